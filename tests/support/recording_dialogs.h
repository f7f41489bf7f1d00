#pragma once

#include "services/dialogs.h"

#include <QList>
#include <QQueue>
#include <QStringList>

namespace kq::testing {

// Records every message (kind and exact text) and gives prepared answers.
// Unscripted questions answer Yes; unscripted file dialogs are cancelled.
class RecordingDialogs final : public Dialogs {
public:
    enum class Kind { Warning, Information, Question, OpenFile, SaveFile, Notice, Colour, Print };
    struct Record {
        Kind kind;
        QString text;
        bool operator==(const Record &) const = default;
    };

    void Warning(QWidget *parent, const QString &text) override;
    void Information(QWidget *parent, const QString &text) override;
    bool AskYesNo(QWidget *parent, const QString &text) override;
    QString OpenFileName(QWidget *parent, const QString &folder, const QString &filter) override;
    QString SaveFileName(QWidget *parent, const QString &folder, const QString &filter) override;
    // Recorded and answered as OpenFileName.
    QString OpenPictureFileName(QWidget *parent, const QString &folder, const QString &filter) override;
    void Notice(QWidget *parent, const QString &text) override;
    std::optional<QColor> ChooseColour(QWidget *parent, const QColor &initial) override;
    bool SetUpPrinter(QWidget *parent, QPrinter &printer) override;

    QQueue<bool> yesNoAnswers;
    QQueue<QString> fileNames;
    QQueue<std::optional<QColor>> colours;
    QQueue<bool> printAnswers;

    const QList<Record> &Records() const { return m_records; }
    // The texts of the records of one kind, in order.
    QStringList Texts(Kind kind) const;
    void Clear() { m_records.clear(); }

private:
    QList<Record> m_records;
};

}  // namespace kq::testing
