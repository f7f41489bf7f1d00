#include "editors/common/program_runner.h"

#include "context/studio_context.h"
#include "controls/notice_text.h"
#include "device/device_messages.h"
#include "services/dialogs.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

namespace kq {

ProgramRunner::ProgramRunner(StudioContext &context, ReceiverRole role, QWidget &parent,
                             std::function<void(bool)> setCommandsEnabled)
    : QFrame(&parent), m_context(context), m_setCommandsEnabled(std::move(setCommandsEnabled))
{
    setObjectName(QStringLiteral("RunPanel"));
    setAutoFillBackground(true);
    setStyleSheet(QStringLiteral("#RunPanel { background: #2f9e44; } QLabel { color: white; }"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(NoticeText(QStringLiteral("プログラム実行中"), this, 20));
    layout->addWidget(NoticeText(QStringLiteral("プログラム終了後この画面は自動的に消えます。"), this, 11));
    auto *stop = new QPushButton(QStringLiteral("プログラム停止"), this);
    stop->setObjectName(QStringLiteral("StopButton"));
    // The clock ends the program itself; the stop command stays in reserve.
    stop->hide();
    connect(stop, &QPushButton::clicked, this, [this] { Stop(); });
    layout->addWidget(stop);
    resize(420, 120);
    hide();
    m_context.DeviceLink().RegisterReceiver(role, this);
}

ProgramRunner::~ProgramRunner()
{
    m_context.DeviceLink().UnregisterReceiver(this);
}

void ProgramRunner::Transfer(const ByteList &programBytes)
{
    m_setCommandsEnabled(false);
    // Framed by the link; the commands come back with the clock's completion
    // report.
    if (!m_context.DeviceLink().TransferProgram(programBytes, window())) {
        m_context.Dialogs().Warning(window(), kConnectionMessage);
        m_setCommandsEnabled(true);
    }
}

void ProgramRunner::Run()
{
    m_setCommandsEnabled(false);
    ShowCentred(*this);
    if (!m_context.DeviceLink().RunProgram()) {
        m_context.Dialogs().Warning(window(), kConnectionMessage);
        Finished();
    }
}

void ProgramRunner::Stop()
{
    if (!m_context.DeviceLink().StopProgram()) {
        m_context.Dialogs().Warning(window(), kConnectionMessage);
        return;
    }
    Finished();
}

void ProgramRunner::ReportReceived(const QString &text)
{
    if (text == QLatin1String("FFFF"))
        Finished();
}

void ProgramRunner::ClockLost()
{
    Finished();
}

void ProgramRunner::Finished()
{
    m_setCommandsEnabled(true);
    hide();
}

void ProgramRunner::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        m_grab = event->position().toPoint();
}

void ProgramRunner::mouseMoveEvent(QMouseEvent *event)
{
    if (event->buttons() & Qt::LeftButton)
        move(mapToParent(event->position().toPoint() - m_grab));
}

}  // namespace kq
