#include "tools/melody/melody_windows.h"

#include "learning/report_window.h"
#include "services/recovery_offer.h"
#include "services/window_registry.h"
#include "tools/melody/melody_window.h"
#include "tools/melody/note_dialog.h"
#include "tools/melody/sound_output.h"

namespace kq {

void RegisterMelodyWindows(WindowRegistry &windows, StudioContext &context, Launcher &launcher,
                           RecoveryRestorers &restorers)
{
    windows.Register(WindowKind::NoteDialog, WindowLifetime::Reused, [] { return new NoteDialog; });
    windows.Register(WindowKind::MelodyEditor, WindowLifetime::PerOpening, [&windows, &context, &launcher] {
        const auto chooseNote = [&windows](int length) -> std::optional<NoteChoice> {
            auto *dialog = qobject_cast<NoteDialog *>(windows.Made(WindowKind::NoteDialog));
            return dialog ? dialog->Choose(length) : std::nullopt;
        };
        auto *window = new MelodyWindow(context, launcher, chooseNote, std::make_unique<AudioSinkOutput>());
        QObject::connect(window, &MelodyWindow::ReportRequested, window, [&windows, window] {
            ReportWork work;
            work.kind = ReportKind::Sound;
            OpenReport(windows, window, work);
        });
        return window;
    });
    restorers.Register(kMelodyRecoveryWindow, kMelodyRecoveryCaption, [&windows](const RecoveryCopy &copy) {
        // A second copy (two studios ended at once) must not replace the
        // first one's melody: it is kept aside instead.
        if (windows.Find(WindowKind::MelodyEditor))
            return false;
        auto *window = qobject_cast<MelodyWindow *>(windows.OpenFromMenu(WindowKind::MelodyEditor));
        if (!window)
            return false;
        if (window->Restore(copy))
            return true;
        // Empty, it leaves without a question and the menu comes back.
        window->close();
        return false;
    });
}

}  // namespace kq
