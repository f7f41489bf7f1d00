#include "tools/melody/melody_windows.h"

#include "learning/report_window.h"
#include "services/window_registry.h"
#include "tools/melody/melody_window.h"
#include "tools/melody/note_dialog.h"
#include "tools/melody/sound_output.h"

namespace kq {

void RegisterMelodyWindows(WindowRegistry &windows, StudioContext &context, Launcher &launcher)
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
}

}  // namespace kq
