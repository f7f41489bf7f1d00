// The flowchart window's commands that reach beyond the sheet: the clock
// (transfer, run, the trace, the status line and the read-back), the
// transfer data, the report and the preview.
#include "editors/flowchart/flowchart_window.h"

#include "base/waiter.h"
#include "context/studio_context.h"
#include "controls/notice_text.h"
#include "device/device_messages.h"
#include "editors/common/step_preview.h"
#include "editors/flowchart/flowchart_code.h"
#include "editors/flowchart/flowchart_linear.h"
#include "editors/flowchart/flowchart_readback.h"
#include "editors/flowchart/flowchart_sheet.h"
#include "learning/report_window.h"
#include "learning/transfer_data_window.h"
#include "model/program_file.h"
#include "services/dialogs.h"
#include "services/window_registry.h"

#include <QFrame>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>

namespace kq {

namespace {

constexpr int kSettleMs = 100;
constexpr int kTraceMs = 50;
const QString kFinishedReport = QStringLiteral("FFFF");
const QString kStatusGroupReport = QStringLiteral("0000");
const QString kExecutedPrefix = QStringLiteral("11");

// A status value: four hexadecimal digits, low byte first.
std::optional<int> StatusValueOf(const QString &text)
{
    if (text.size() != 4)
        return std::nullopt;
    bool ok = false;
    const int value = (text.mid(2, 2) + text.mid(0, 2)).toInt(&ok, 16);
    return ok ? std::optional<int>(value) : std::nullopt;
}

}  // namespace

ByteList FlowchartWindow::Generate()
{
    GeneratedProgram program = GenerateProgram(m_document.Chart());
    m_addressMap = std::move(program.addressMap);
    if (program.result != CheckResult::Correct)
        m_context.Dialogs().Warning(this, CheckMessageOf(program.result));
    return program.bytes;
}

void FlowchartWindow::Transfer()
{
    m_statusTimer.stop();
    m_context.Waiter().WaitProcessing(kSettleMs);
    const ByteList bytes = Generate();
    if (bytes.isEmpty())
        return;
    SetCommandsEnabled(false);
    // The commands come back with the clock's completion report.
    if (!m_context.DeviceLink().TransferProgram(bytes, this)) {
        m_context.Dialogs().Warning(this, kConnectionMessage);
        SetCommandsEnabled(true);
    }
}

void FlowchartWindow::Run()
{
    m_statusTimer.stop();
    m_context.Waiter().WaitProcessing(kSettleMs);
    SetCommandsEnabled(false);
    ShowCentred(*m_runPanel);
    m_running = true;
    m_trace.Restart();
    m_sheet->SetRunning(true);
    if (!m_context.DeviceLink().RunProgram()) {
        m_context.Dialogs().Warning(this, kConnectionMessage);
        SetCommandsEnabled(true);
        m_runPanel->hide();
        m_running = false;
        m_sheet->SetRunning(false);
    }
}

void FlowchartWindow::Stop()
{
    if (!m_context.DeviceLink().StopProgram()) {
        m_context.Dialogs().Warning(this, kConnectionMessage);
        return;
    }
    SetCommandsEnabled(true);
    m_runPanel->hide();
    m_running = false;
    m_sheet->SetRunning(false);
    m_sheet->SetTraceSlot(kNoSlot);
}

void FlowchartWindow::EndRun()
{
    SetCommandsEnabled(true);
    m_runPanel->hide();
    m_running = false;
    m_trace.Restart();
    m_sheet->SetRunning(false);
    m_sheet->SetTraceSlot(kNoSlot);
    m_statusTimer.start();
}

void FlowchartWindow::ReportReceived(const QString &text)
{
    if (text == kFinishedReport) {
        m_takingStatus = false;
        EndRun();
        return;
    }
    if (text == kStatusGroupReport) {
        m_statusValues.clear();
        m_takingStatus = true;
        return;
    }
    if (m_takingStatus) {
        m_statusValues << text;
        m_takingStatus = m_statusValues.size() < 2;
        return;
    }
    bool ok = false;
    const int address = text.mid(2).toInt(&ok, 16);
    if (text.size() == 4 && text.startsWith(kExecutedPrefix) && ok && m_runPanel->isVisible())
        Trace(address);
}

void FlowchartWindow::ClockLost()
{
    // No completion report will come.
    SetCommandsEnabled(true);
    m_runPanel->hide();
    m_running = false;
    m_sheet->SetRunning(false);
    m_sheet->SetTraceSlot(kNoSlot);
}

void FlowchartWindow::Trace(int address)
{
    const std::optional<int> slot = m_trace.Executed(m_document.Chart(), m_addressMap, address);
    if (!slot)
        return;
    m_sheet->SetTraceSlot(*slot);
    m_sheet->repaint();
    m_context.Waiter().WaitProcessing(kTraceMs);
}

void FlowchartWindow::TracePreview(std::optional<int> address)
{
    // The preview paces itself: the frame moves without a wait of its own.
    if (!address) {
        m_previewTrace.Restart();
        m_sheet->SetTraceSlot(kNoSlot);
        return;
    }
    if (const std::optional<int> slot = m_previewTrace.Executed(m_document.Chart(), m_addressMap, *address))
        m_sheet->SetTraceSlot(*slot);
}

void FlowchartWindow::ShowStatus()
{
    if (m_statusValues.size() == 2) {
        const std::optional<int> temperature = StatusValueOf(m_statusValues[0]);
        const std::optional<int> brightness = StatusValueOf(m_statusValues[1]);
        if (temperature && brightness) {
            m_temperature->setText(QString::asprintf("%.1f", *temperature / 100.0));
            m_brightness->setText(QString::number(*brightness));
        }
    }
}

void FlowchartWindow::ShowTransferDataView()
{
    const LinearForm form = LinearFormOf(m_document.Chart());
    if (form.message)
        m_context.Dialogs().Warning(this, *form.message);
    if (form.backEdge)
        return;
    if (form.lines.isEmpty()) {
        m_context.Dialogs().Warning(this, kNoTransferDataMessage);
        return;
    }
    ShowTransferData(m_windows, this, form.lines);
}

void FlowchartWindow::MakeReport()
{
    if (!WriteRoutinePictures(m_painter, m_document.Chart(), m_context.Paths())) {
        m_context.Dialogs().Warning(this, kSaveFailedMessage);
        return;
    }
    ReportWork work;
    work.kind = ReportKind::Routine;
    OpenReport(m_windows, this, work);
}

void FlowchartWindow::Preview()
{
    const ByteList bytes = Generate();
    if (bytes.isEmpty())
        return;
    m_previewTrace.Restart();
    OpenStepPreview(m_windows, *this, bytes, [this](std::optional<int> address) { TracePreview(address); });
}

void FlowchartWindow::ReadBack()
{
    if (m_document.Chart().HasBoxes() && !m_document.IsMarkedSaved()
        && !m_context.Dialogs().AskYesNo(this, kFlowchartReadBackQuestion))
        return;
    HidePanel();
    m_document.Edit([](Flowchart &chart) { chart.ClearAll(); });
    SyncRoutineCombo();
    ShowCentred(*m_readPanel);
    m_statusTimer.stop();
    m_context.Waiter().WaitProcessing(kSettleMs);
    const std::optional<QStringList> dump = m_context.DeviceLink().ReadMemory();
    m_readPanel->hide();
    if (!dump) {
        m_context.Dialogs().Warning(this, kConnectionMessage);
        return;
    }
    const std::optional<QStringList> section = ReadBackSection(*dump);
    // Nothing usable came back: the sheet stays cleared and the pupil is told.
    if (!section || !m_document.LoadSection(*section)) {
        m_document.Edit([](Flowchart &chart) { chart.ClearAll(); });
        m_context.Dialogs().Warning(this, kFlowchartNothingReadMessage);
        return;
    }
    m_document.ClearHistory();
    SyncRoutineCombo();
    m_sheetArea->verticalScrollBar()->setValue(0);
}

void FlowchartWindow::showEvent(QShowEvent *event)
{
    StepWindowFrame::showEvent(event);
    if (!m_running)
        m_statusTimer.start();
}

}  // namespace kq
