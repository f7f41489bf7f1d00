// The panel window's recovery copy: written off the UI thread, since
// photos make the panel file large, and taken back after a crash.
#include "panel/main_window/panel_recovery.h"
#include "base/recovery_store.h"
#include "base/recovery_writer.h"
#include "panel/document/panel_document.h"
#include "panel/main_window/panel_window.h"

#include <QFileInfo>

namespace kq::panel {

void PanelWindow::MakeRecoveryWriter(kq::RecoveryStore &store)
{
    // The UI thread only copies implicitly shared values; the worker encodes
    // the photos that changed and writes.
    const auto snapshot = [this] {
        RecoveryCopy header;
        header.window = kPanelRecoveryWindow;
        header.filePath = m_panelFile;
        header.detail = m_document->Model().code;
        std::function<EncodedLines()> write = m_document->FileWriter();
        return std::pair {header, RecoveryWriter::BodyMaker([write = std::move(write)]() -> std::optional<QByteArray> {
                              return write();
                          })};
    };
    m_recovery = new RecoveryWriter(store, kPanelRecoveryWindow, snapshot, RecoveryWriter::Thread::Worker, this);
}

bool PanelWindow::RestoreWork(const kq::RecoveryCopy &copy)
{
    const std::optional<int> model = KitModelIndexOf(copy.detail);
    if (!model)
        return false;
    SetUpForModel(*model);
    const QString folder = copy.filePath.isEmpty() ? QString() : QFileInfo(copy.filePath).absolutePath();
    if (!m_document->LoadBytes(copy.body, folder))
        return false;
    m_panelFile = copy.filePath;
    if (!copy.filePath.isEmpty())
        m_fileFolder.Remember(copy.filePath);
    RefreshAll();
    show();
    // Safe again in this program's own copy before the old one goes.
    m_recovery->NoteChange();
    m_recovery->Flush();
    return true;
}

}  // namespace kq::panel
