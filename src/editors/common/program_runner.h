#pragma once

#include "device/device_commands.h"
#include "device/report_router.h"

#include <QFrame>
#include <QPoint>

#include <functional>

namespace kq {

class StudioContext;

// Transfer, run and stop of a step's program, and the draggable notice shown
// while it runs: the commands are disabled from a transfer or run until the
// clock reports "FFFF" or goes away. Receives the clock's reports in its
// step's place.
class ProgramRunner final : public QFrame, public ReportReceiver {
    Q_OBJECT

public:
    // parent is the window's central area, where the notice is centred;
    // setCommandsEnabled switches the window's transfer and run commands.
    ProgramRunner(StudioContext &context, ReceiverRole role, QWidget &parent,
                  std::function<void(bool)> setCommandsEnabled);
    ~ProgramRunner() override;

    void Transfer(const ByteList &programBytes);
    void Run();
    void Stop();

    void ReportReceived(const QString &text) override;
    void ClockLost() override;

protected:
    // The notice can be moved aside to see the program.
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    void Finished();

    StudioContext &m_context;
    std::function<void(bool)> m_setCommandsEnabled;
    QPoint m_grab;
};

}  // namespace kq
