#pragma once

#include "base/paths.h"
#include "base/recovery_store.h"
#include "panel/main_window/panel_window.h"
#include "panel/menu/product_menu.h"
#include "services/recovery_offer.h"

#include <QString>

namespace kq {
class Dialogs;
class Launcher;
}  // namespace kq

// The panel maker's program: the product menu, the panel window and the
// recovery copies of its work, made in main() and ended there.
namespace kq::panel {

class PanelApp {
public:
    PanelApp(kq::Dialogs &dialogs, kq::Launcher &launcher, const kq::Paths &panelPaths);

    ProductMenu &Menu() { return m_menu; }
    PanelWindow &Window() { return m_window; }
    kq::RecoveryStore &Recovery() { return m_recovery; }

    // First offers back the work that a program ended without closing left,
    // then shows the product menu, which opens fileAtStart (when given) once
    // a kit model is chosen. Restored work comes in place of both.
    void Start(const QString &fileAtStart);
    // The offer alone: one question, and the panel restored in its window.
    void OfferAbandonedWork();

private:
    kq::Dialogs &m_dialogs;
    const kq::Paths &m_paths;
    kq::RecoveryStore m_recovery;
    ProductMenu m_menu;
    PanelWindow m_window;
    kq::RecoveryRestorers m_restorers;
};

}  // namespace kq::panel
