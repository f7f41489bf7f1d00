#include "support/recording_dialogs.h"

namespace kq::testing {

void RecordingDialogs::Warning(QWidget *, const QString &text)
{
    m_records.append({Kind::Warning, text});
}

void RecordingDialogs::Information(QWidget *, const QString &text)
{
    m_records.append({Kind::Information, text});
}

bool RecordingDialogs::AskYesNo(QWidget *, const QString &text)
{
    m_records.append({Kind::Question, text});
    return yesNoAnswers.isEmpty() ? true : yesNoAnswers.dequeue();
}

QString RecordingDialogs::OpenFileName(QWidget *, const QString &folder, const QString &)
{
    m_records.append({Kind::OpenFile, folder});
    return fileNames.isEmpty() ? QString() : fileNames.dequeue();
}

QString RecordingDialogs::OpenPictureFileName(QWidget *parent, const QString &folder, const QString &filter)
{
    return OpenFileName(parent, folder, filter);
}

QString RecordingDialogs::SaveFileName(QWidget *, const QString &folder, const QString &)
{
    m_records.append({Kind::SaveFile, folder});
    return fileNames.isEmpty() ? QString() : fileNames.dequeue();
}

void RecordingDialogs::Notice(QWidget *, const QString &text)
{
    m_records.append({Kind::Notice, text});
}

std::optional<QColor> RecordingDialogs::ChooseColour(QWidget *, const QColor &initial)
{
    m_records.append({Kind::Colour, initial.name()});
    return colours.isEmpty() ? std::nullopt : colours.dequeue();
}

bool RecordingDialogs::SetUpPrinter(QWidget *, QPrinter &)
{
    m_records.append({Kind::Print, {}});
    return printAnswers.isEmpty() ? false : printAnswers.dequeue();
}

QStringList RecordingDialogs::Texts(Kind kind) const
{
    QStringList result;
    for (const Record &record : m_records) {
        if (record.kind == kind)
            result.append(record.text);
    }
    return result;
}

}  // namespace kq::testing
