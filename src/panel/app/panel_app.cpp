#include "panel/app/panel_app.h"

#include "panel/app/file_at_start.h"
#include "panel/main_window/panel_recovery.h"
#include "panel/menu/hand_over.h"
#include "services/dialogs.h"

#include <QApplication>

namespace kq::panel {

PanelApp::PanelApp(kq::Dialogs &dialogs, kq::Launcher &launcher, const kq::Paths &panelPaths)
    : m_dialogs(dialogs),
      m_paths(panelPaths),
      m_recovery(PanelRecoveryFolder(panelPaths)),
      m_menu(panelPaths),
      m_window(dialogs, launcher, panelPaths, m_recovery)
{
    QObject::connect(&m_menu, &ProductMenu::ModelChosen, &m_window, &PanelWindow::ShowForModel);
    m_restorers.Register(kPanelRecoveryWindow, m_window.windowTitle(), [this](const RecoveryCopy &copy) {
        if (!m_window.RestoreWork(copy))
            return false;
        m_menu.hide();
        return true;
    });
    // Told once, without stopping the work, over whichever window is in use.
    m_recovery.SetFailureNotice([this] {
        QWidget *window = QApplication::activeWindow();
        m_dialogs.Notice(window ? window : &m_window, RecoveryWriteFailedMessage());
    });
}

void PanelApp::OfferAbandonedWork()
{
    kq::OfferAbandonedWork(m_recovery, m_dialogs, &m_menu, m_restorers);
}

void PanelApp::Start(const QString &fileAtStart)
{
    // Asked before the menu shows, so that neither the pupil nor the studio's
    // hand-over chooses a model while the question is open.
    OfferAbandonedWork();
    if (m_window.isVisible()) {
        // The studio's choice was for a new panel; read now, it can never
        // choose one at a later start.
        [[maybe_unused]] const std::optional<int> handOver = TakeHandOverModel(m_paths);
        return;
    }
    if (!fileAtStart.isEmpty())
        OpenOnceModelChosen(m_menu, m_window, fileAtStart);
    m_menu.show();
}

}  // namespace kq::panel
