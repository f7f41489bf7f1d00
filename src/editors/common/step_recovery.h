#pragma once

#include "base/recovery_writer.h"
#include "context/step.h"

#include <QString>

// The recovery copy of a programming step: the step's program file as its
// save writes it, kept up to date while the pupil edits and taken back at
// the next start after a crash.
namespace kq {

class RecoveryRestorers;
class RegisteredStepWindows;
class StepDocument;
class StepWindowHost;
class StudioContext;

// The window name of a step's copies, also their key in the store: "STEP1",
// "STEP2" or "STEP3".
QString StepRecoveryWindow(Step step);

// Owned by a step's window, beside its document.
class StepRecovery {
public:
    // The writer is a child of the host's window, so it goes with it.
    StepRecovery(StudioContext &context, StepDocument &document, StepWindowHost &host);

    // Writes the copy now (a restore, or the work handed over by a step
    // switch), so the work is safe before an older copy goes.
    void WriteNow();
    // The window closed normally. During a step switch the copy is brought
    // up to date and kept until the next step holds the work; the switch
    // then removes it.
    void Closed();

    RecoveryWriter &Writer() { return m_writer; }

private:
    void DocumentChanged();
    RecoveryWriter::Snapshot Snapshot();

    StudioContext &m_context;
    StepDocument &m_document;
    StepWindowHost &m_host;
    RecoveryWriter m_writer;
};

// Registers the restore of a step's copies: the step's window opens with
// the work, its file path and caption, unsaved, and writes its own copy.
void RegisterStepRestorer(RecoveryRestorers &restorers, StudioContext &context, RegisteredStepWindows &steps,
                          Step step);

}  // namespace kq
