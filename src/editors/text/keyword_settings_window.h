#pragma once

#include "editors/text/keyword_settings.h"

#include <QWidget>

#include <array>

class QLineEdit;

namespace kq {

class StudioContext;

// "設定": the keywords of the text language, one entry field per slot in
// the groups of the statements, with apply, cancel and restore defaults.
class KeywordSettingsWindow final : public QWidget {
    Q_OBJECT

public:
    explicit KeywordSettingsWindow(StudioContext &context, QWidget *parent = nullptr);

    QLineEdit *Entry(int slot) const { return m_entries[std::size_t(slot - 1)]; }
    KeywordEntries Entries() const;

    void Apply();
    void RestoreDefaults();

private:
    void Fill(const KeywordFile &file);

    StudioContext &m_context;
    std::array<QLineEdit *, kKeywordSlots> m_entries{};
};

}  // namespace kq
