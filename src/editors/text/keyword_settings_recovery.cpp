#include "editors/text/keyword_settings_recovery.h"

#include "editors/text/keyword_settings_window.h"
#include "services/recovery_offer.h"
#include "services/window_registry.h"

namespace kq {

void RegisterKeywordSettingsRecovery(RecoveryRestorers &restorers, WindowRegistry &windows)
{
    restorers.Register(kKeywordsRecoveryWindow, kKeywordsRecoveryCaption, [&windows](const RecoveryCopy &copy) {
        // A second copy (two studios ended at once) must not replace the
        // first one's texts: it is kept aside instead.
        if (windows.Find(WindowKind::KeywordSettings))
            return false;
        auto *window = qobject_cast<KeywordSettingsWindow *>(windows.OpenFromMenu(WindowKind::KeywordSettings));
        if (!window)
            return false;
        if (window->Restore(copy))
            return true;
        window->close();
        return false;
    });
}

}  // namespace kq
