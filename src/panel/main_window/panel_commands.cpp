// The window's commands: files, pictures, text, layers and transparency.
#include "panel/main_window/panel_window.h"

#include "panel/document/panel_document.h"
#include "panel/main_window/design_canvas.h"
#include "panel/main_window/edit_preview.h"
#include "panel/menu/panel_export.h"
#include "panel/menu/part_position.h"
#include "panel/menu/picker_window.h"
#include "panel/menu/print_window.h"
#include "panel/progress/progress_window.h"
#include "panel/text_window/colour_panel.h"
#include "base/recovery_writer.h"
#include "panel/text_window/text_window.h"
#include "services/dialogs.h"
#include "services/launcher.h"

#include <QCheckBox>
#include <QLabel>
#include <QProgressBar>

namespace kq::panel {

namespace {

const QString kPhotoFilter = QStringLiteral("JPEG (*.jpg *.jpeg *.JPG *.JPEG)");

}  // namespace

bool PanelWindow::Refused(const std::optional<QString> &message)
{
    if (message)
        m_dialogs.Warning(this, *message);
    return message.has_value();
}

void PanelWindow::ShowProgressPanel(const QString &caption)
{
    m_progressCaption->setText(caption);
    m_progressBar->setValue(0);
    m_progressPanel->show();
    m_progressPanel->raise();
    m_progressPanel->repaint();
}

void PanelWindow::HideProgressPanel()
{
    m_progressPanel->hide();
}

void PanelWindow::OpenPanel()
{
    const QString path = m_dialogs.OpenFileName(this, m_fileFolder.Start(), kPanelFileFilter);
    if (!path.isEmpty())
        OpenPanelFile(path);
}

void PanelWindow::OpenPanelFile(const QString &path)
{
    // The pupil went to that folder: the next dialog starts there, also
    // after a file that could not be opened.
    m_fileFolder.Remember(path);
    if (!HasPanelFileExtension(path)) {
        m_dialogs.Warning(this, kPanelWrongExtensionMessage);
        return;
    }
    ShowProgressPanel(kLoadingCaption);
    const PanelFileResult result = m_document->Load(path, [this](int percent) {
        m_progressBar->setValue(percent);
        m_progressPanel->repaint();
    });
    HideProgressPanel();
    if (result) {
        // The window holds the file as it is: nothing to recover.
        m_panelFile = path;
        m_recovery->Remove();
    } else {
        m_dialogs.Warning(this, result.message);
    }
    RefreshAll();
}

void PanelWindow::SavePanel()
{
    const QString chosen = m_dialogs.SaveFileName(this, m_fileFolder.Start(), kPanelFileFilter);
    if (chosen.isEmpty())
        return;
    const QString path = PanelFileSaveName(chosen);
    if (NeedsOverwriteQuestion(path) && !m_dialogs.AskYesNo(this, kPanelOverwriteQuestion))
        return;
    ShowProgressPanel(kSavingCaption);
    const PanelFileResult result = m_document->Save(path, [this](int percent) {
        m_progressBar->setValue(percent);
        m_progressPanel->repaint();
    });
    HideProgressPanel();
    if (!result) {
        m_dialogs.Warning(this, result.message);
        return;
    }
    m_panelFile = path;
    m_recovery->Remove();
    m_fileFolder.Remember(path);
}

void PanelWindow::ExportFlattened()
{
    if (!m_document->HasBackground())
        return;
    // The result says whether a file was written; the export shows its own
    // messages, so there is nothing more to tell here.
    [[maybe_unused]] const bool written =
        ExportPanel(this, m_dialogs, m_fileFolder, *m_progress, m_document->Flatten(true));
}

void PanelWindow::OpenPrintWindow()
{
    m_printWindow->Open(m_document->Flatten(true), m_document->Model());
}

void PanelWindow::ChooseBackground()
{
    const std::optional<QString> path = m_picker->Pick(m_paths.ProgramFile(BackgroundFolder(m_document->Model())));
    if (!path)
        return;
    if (!m_document->ChooseBackground(*path))
        m_dialogs.Warning(this, kPanelReadFailedMessage);
    RefreshAll();
    ShowPage(Page::Design);
}

void PanelWindow::AddPart()
{
    if (Refused(m_document->CanAddLayer()))
        return;
    const std::optional<QString> path = m_picker->Pick(m_paths.ProgramFile(PartsFolder(m_document->Model())));
    if (!path)
        return;
    if (!m_document->AddPart(*path, PresetPartPosition(m_document->Model(), *path)))
        m_dialogs.Warning(this, kPanelReadFailedMessage);
    RefreshAll();
    ShowPage(Page::Design);
}

void PanelWindow::AddPhoto()
{
    if (Refused(m_document->CanAddLayer()))
        return;
    const QString path = m_dialogs.OpenPictureFileName(this, m_fileFolder.Start(), kPhotoFilter);
    if (path.isEmpty())
        return;
    m_fileFolder.Remember(path);
    // A large photo takes a moment to decode: the progress window shows
    // meanwhile. The canvas must not draw the document while it changes.
    bool added = false;
    m_canvas->setUpdatesEnabled(false);
    [[maybe_unused]] const bool finished = m_progress->Run(this, [&](EffectControl &) {
        added = m_document->AddPhoto(path);
        return added;
    });
    m_canvas->setUpdatesEnabled(true);
    if (!added)
        m_dialogs.Warning(this, kPanelReadFailedMessage);
    RefreshAll();
    ShowPage(Page::Design);
}

void PanelWindow::AddText()
{
    if (Refused(m_document->CanAddLayer()))
        return;
    ShowPage(Page::Design);
    m_textWindow->OpenForNew();
}

void PanelWindow::AddAcceptedText(const TextRecord &record)
{
    if (!m_document->AddText(record))
        Refused(m_document->CanAddLayer());
    RefreshAll();
}

void PanelWindow::EditTextAt(QPoint documentPoint)
{
    const int n = m_document->LayerUnder(documentPoint);
    if (n < 0 || m_document->KindOf(n) != LayerKind::Text)
        return;
    const std::optional<TextRecord> old = ParseTextRecord(m_document->CreationRecord(n));
    if (!old)
        return;
    const std::optional<TextRecord> edited = m_textWindow->EditModally(*old);
    m_canvas->IgnoreNextPress();
    if (!edited)
        return;
    m_document->ReplaceText(n, *edited);
    RefreshAll();
}

void PanelWindow::Undo()
{
    m_document->RestoreSnapshot();
    RefreshAll();
}

void PanelWindow::ClearAll()
{
    if (!m_dialogs.AskYesNo(this, kClearQuestion))
        return;
    m_document->Reset();
    RefreshAll();
}

void PanelWindow::OpenHelp()
{
    m_launcher.OpenDocument(m_paths.ProgramFile(QStringLiteral("HTML/KQ-18navi.html")));
}

void PanelWindow::RaiseLayer()
{
    if (Refused(m_document->RaiseSelected()))
        return;
    RefreshLayerList();
    ShowSelection();
}

void PanelWindow::LowerLayer()
{
    if (Refused(m_document->LowerSelected()))
        return;
    RefreshLayerList();
    ShowSelection();
}

void PanelWindow::DeleteSelectedLayer()
{
    const int n = m_document->Selected();
    if (n < 0 || !m_dialogs.AskYesNo(this, kDeleteQuestion))
        return;
    m_document->DeleteLayer(n);
    RefreshAll();
}

void PanelWindow::ChangeTransparency(bool pickColour)
{
    const int n = m_document->Selected();
    const bool applies =
        n >= 0 && (m_document->KindOf(n) == LayerKind::Photo || m_document->KindOf(n) == LayerKind::Text);
    if (applies && pickColour) {
        const std::optional<QColor> colour = m_dialogs.ChooseColour(this, m_transparentColour->Colour());
        if (colour)
            m_transparentColour->SetColour(*colour);
        else
            return;
    }
    if (applies)
        m_document->SetTransparency(n, m_transparent->isChecked(), m_transparentColour->Colour());
    // The edit preview and the box follow the layer (also when nothing changed).
    ShowSelection();
}

}  // namespace kq::panel
