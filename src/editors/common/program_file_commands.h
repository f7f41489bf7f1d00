#pragma once

#include "base/save_failed_text.h"
#include "base/text_file.h"

#include <QString>
#include <QStringList>

#include <optional>

// The file commands every programming step shares: building its file, saving,
// opening (dialog, drop, demo, hand-over) and the question before closing.
namespace kq {

class StepDocument;
class StepWindowHost;
class StudioContext;

inline const QString kStudioCaption = QStringLiteral("ソラリット２制御ソフト :");
inline const QString kNotSavedQuestion = QStringLiteral("プログラムが保存されておりません。\r\nよろしいですか？");
inline const QString kCloseQuestion = QStringLiteral("画面を閉じるとプログラムは消去されます。\r\nよろしいですか？");

// "ソラリット２制御ソフト :" followed by the path.
QString StudioCaptionFor(const QString &path);
// The path a caption of StudioCaptionFor shows; empty for any other caption.
QString FilePathInCaption(const QString &caption);

// The step's program lines; when it has none, its check messages are shown
// (over host) and the result is empty.
std::optional<QStringList> CheckedProgramLines(StudioContext &context, const StepDocument &step,
                                               StepWindowHost &host);

// The current program's file, built fresh: "OK" and the step's program
// lines, or "NG" after the step's check messages have been shown; the
// context's report fields; the section.
QStringList WriteProgramFile(StudioContext &context, const StepDocument &step, StepWindowHost &host);
// The same file without showing the check messages, for what the pupil did
// not ask for (the recovery copy).
QStringList QuietProgramFile(StudioContext &context, const StepDocument &step);

// "ファイルへ保存": save dialog, the step's ending for a name without
// ".kq27", the overwrite question, the file and its copy "savefile.kq27",
// the caption, then the document's Saved(). True when the file was saved; a write that fails shows the
// step's save-failed message (naming a character the file cannot hold) and
// leaves any earlier file as it was.
bool SaveProgramFile(StudioContext &context, StepDocument &step, StepWindowHost &host);

enum class OpenOrigin {
    ChosenFile,  // the open dialog or a drop: the caption shows the path
    Demo,  // the caption stays
    HandOver,  // "cache.kq27" during a step switch: the caption stays, and the
               // report fields already hold the pupil's latest text
};

enum class OpenResult {
    Opened,
    Cancelled,  // no file chosen, or the name refused before reading
    Refused,  // another step's program that this step cannot show
    Failed,  // unreadable or damaged; "ファイルの読み込みに失敗しました。" shown
};

// Loads a program file into the step: its own section (and the report fields
// stored with it), or the program lines of another step's valid file.
// A program opened starts a new undo history.
OpenResult OpenProgramFile(StudioContext &context, StepDocument &step, StepWindowHost &host, const QString &path,
                           OpenOrigin origin);

// "ファイル読み込み": open dialog, then the extension check, then opening.
OpenResult OpenProgramFileFromDialog(StudioContext &context, StepDocument &step, StepWindowHost &host);

// Files dropped on the step's window: one file with the ".kq27" extension.
OpenResult OpenDroppedProgramFiles(StudioContext &context, StepDocument &step, StepWindowHost &host,
                                   const QStringList &paths);

// Whether the open dialog or a demo may replace the step's program: asks
// first when it has instructions and its history is not marked saved.
[[nodiscard]] bool MayReplaceProgram(StudioContext &context, const StepDocument &step, StepWindowHost &host);

// Whether the step's window may close: asks before a program with
// instructions that differs from "savefile.kq27" is discarded, unless a step
// switch is under way.
[[nodiscard]] bool MayCloseStep(StudioContext &context, const StepDocument &step, StepWindowHost &host);

}  // namespace kq
