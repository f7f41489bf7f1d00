#pragma once

#include "panel/effects/effect_control.h"

#include <QDialog>

#include <atomic>
#include <functional>

class QProgressBar;
class QPushButton;

namespace kq::panel {

// The progress window: a bar from 0 to 100 and "中止". The work runs on a
// worker thread while this window keeps the user interface alive.
class ProgressWindow : public QDialog {
    Q_OBJECT

public:
    explicit ProgressWindow(QWidget *parent = nullptr);

    // Shows the window centred over `over` (modal), runs work on a worker
    // thread and returns when it has finished: false when "中止" stopped it
    // or the work returned false. Each run starts with no stop request.
    [[nodiscard]] bool Run(QWidget *over, const std::function<bool(EffectControl &)> &work);

    int Progress() const;

protected:
    void reject() override;

private:
    class Control final : public EffectControl {
    public:
        explicit Control(ProgressWindow &window) : m_window(window) {}
        bool StopRequested() const override { return m_stop.load(); }
        void ReportProgress(int percent) override;
        void Reset();
        void RequestStop() { m_stop.store(true); }

    private:
        ProgressWindow &m_window;
        std::atomic<bool> m_stop{false};
        std::atomic<int> m_percent{0};
    };

    QProgressBar *m_bar;
    QPushButton *m_cancel;
    Control m_control{*this};
    bool m_running = false;
};

}  // namespace kq::panel
