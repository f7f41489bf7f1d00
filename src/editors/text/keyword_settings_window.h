#pragma once

#include "base/recovery_writer.h"
#include "editors/text/keyword_settings.h"

#include <QByteArray>
#include <QStringList>
#include <QWidget>

#include <array>
#include <optional>

class QLineEdit;

namespace kq {

class StudioContext;

// The window's name in its recovery copies, and how the offer names it.
inline const QString kKeywordsRecoveryWindow = QStringLiteral("Keywords");
inline const QString kKeywordsRecoveryCaption = QStringLiteral("キーワード設定");

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

    RecoveryWriter &Recovery() { return m_recovery; }
    // Shows the unapplied texts of a recovery copy; false when the copy is
    // no keyword file.
    bool Restore(const RecoveryCopy &copy);

protected:
    // Applied or given up: the texts are no work to keep any more.
    void closeEvent(QCloseEvent *event) override;

private:
    void Fill(const KeywordFile &file);
    // The texts in the keyword file's form, when the file can hold them.
    std::optional<QByteArray> CopyBody() const;
    void EntriesChanged();

    StudioContext &m_context;
    std::array<QLineEdit *, kKeywordSlots> m_entries{};
    // The default file, which the texts are written into as apply does.
    QStringList m_defaultLines;
    // The last texts the keyword file can hold, in its form.
    QByteArray m_copyBody;
    RecoveryWriter m_recovery;
};

}  // namespace kq
