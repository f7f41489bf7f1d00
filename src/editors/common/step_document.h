#pragma once

#include "context/step.h"
#include "services/dialog_folder.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

#include <optional>

namespace kq {

// A message in a step's own words, with the icon the step shows it with.
struct StepMessage {
    enum class Kind { Warning, Information };
    Kind kind = Kind::Warning;
    QString text;
    bool operator==(const StepMessage &) const = default;
};

// The program lines of a step's program, or why there are none: the step's
// check messages in the order the pupil sees them.
struct ProgramLinesResult {
    std::optional<QStringList> lines;  // "START" .. "END" when the program is valid
    QList<StepMessage> messages;

    bool IsValid() const { return lines.has_value(); }
};

// The program of one programming step, without its window: what the shared
// file commands (save, open, switch, close) need. Each step keeps the program
// in its own shape; the commands build and take apart the file around it.
class StepDocument : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    virtual Step StepKind() const = 0;
    // kIconSectionMarker, kFlowchartSectionMarker or kTextSectionMarker.
    virtual QString SectionMarker() const = 0;
    // Appended to a saved name that lacks ".kq27": "(アイコン).kq27",
    // "(フロー).kq27" or "(文字).kq27".
    virtual QString DefaultEnding() const = 0;
    // Shown when a save cannot be written.
    virtual QString SaveFailedMessage() const = 0;
    // Shown when a file of another step holds no valid program ("NG", a
    // melody, anything without the step's marker that is not "OK").
    virtual StepMessage ForeignFileRefusal() const = 0;
    // How the step shows that a chosen or dropped file's name is no program
    // file's.
    virtual StepMessage::Kind WrongExtensionKind() const { return StepMessage::Kind::Warning; }

    // The current program's lines, or the step's check messages; shows
    // nothing itself.
    [[nodiscard]] virtual ProgramLinesResult ProgramLines() const = 0;
    // The step's own section, without the marker.
    virtual QStringList SectionLines() const = 0;
    // Whether the program holds at least one instruction.
    virtual bool HasInstructions() const = 0;

    // Replaces the program by the section of one of the step's own files.
    // False when the section is damaged: the caller reports the read failure
    // and the step stays as far as it got.
    [[nodiscard]] virtual bool LoadSection(const QStringList &section) = 0;
    // Replaces the program by the program lines ("START" .. "END") of another
    // step's valid file. The step's refusal when it cannot show them; it then
    // stays as its own rules say.
    [[nodiscard]] virtual std::optional<StepMessage> LoadProgramLines(const QStringList &programLines) = 0;

    // The steps that keep an undo history: a save marks the current state as
    // saved, a program opened from a file starts a new history.
    virtual void MarkSaved() {}
    virtual void ClearHistory() {}
    // Whether the history's newest entry is the mark of a save.
    virtual bool IsMarkedSaved() const { return false; }

signals:
    // The program changed: windows redraw, unsaved-work checks compare again.
    void Changed();
    // The save command wrote the program to a file.
    void Saved();
};

// The window that shows a step's document, as the file commands need it.
class StepWindowHost {
public:
    virtual ~StepWindowHost() = default;
    // Parent of every dialog the commands show.
    virtual QWidget *DialogParent() = 0;
    virtual void SetCaption(const QString &caption) = 0;
    // Where the window's open and save dialogs start.
    DialogFolder &FileFolder() { return m_fileFolder; }

private:
    DialogFolder m_fileFolder;
};

class StepRecovery;

// An open step: its document, the window showing it and the window's
// recovery copy (none for windows that keep no copy).
struct StepEditor {
    StepDocument *document = nullptr;
    StepWindowHost *host = nullptr;
    StepRecovery *recovery = nullptr;

    explicit operator bool() const { return document && host; }
};

}  // namespace kq
