#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class QWidget;

namespace kq {

// A message in a step's own words, with the icon the step shows it with.
struct StepMessage {
    enum class Kind { Warning, Information };
    Kind kind = Kind::Warning;
    QString text;
    bool operator==(const StepMessage &) const = default;
};

// What the editor of each programming step gives the shared file commands
// (save, open, switch step, close). The editor keeps its program in its own
// shape; the commands build and take apart the file around it.
class StepDocument {
public:
    virtual ~StepDocument() = default;

    // 1 icons, 2 flowchart, 3 text.
    virtual int StepNumber() const = 0;
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

    // The program lines "START" .. "END" of the current program; nullopt when
    // it is not valid, after the step has shown its own check messages.
    virtual std::optional<QStringList> ProgramLines() = 0;
    // The step's own section, without the marker.
    virtual QStringList SectionLines() const = 0;
    // Whether the program holds at least one instruction.
    virtual bool HasInstructions() const = 0;

    // Replaces the program by the section of one of the step's own files.
    // False when the section is damaged: the caller reports the read failure
    // and the step stays as far as it got.
    virtual bool LoadSection(const QStringList &section) = 0;
    // Replaces the program by the program lines ("START" .. "END") of another
    // step's valid file. The step's refusal when it cannot show them
    // (instructions it has no shape for, too many bytes, damaged lines); it
    // then stays as its own rules say.
    virtual std::optional<StepMessage> LoadProgramLines(const QStringList &programLines) = 0;

    // The step's window: parent of every dialog the commands show, and the
    // holder of the caption they set.
    virtual QWidget *DialogParent() = 0;
    virtual void SetCaption(const QString &caption) = 0;
};

}  // namespace kq
