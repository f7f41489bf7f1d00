#pragma once

#include "device/report_router.h"
#include "services/dialog_folder.h"
#include "tools/control/current_time.h"
#include "tools/control/set_temperature.h"
#include "tools/control/temperature_records.h"

#include <QTimer>
#include <QWidget>

#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineSeries;
class QMovie;
class QValueAxis;

namespace kq {

class StudioContext;

inline const QString kWaitingState = QStringLiteral("待機中");
inline const QString kMeasuringState = QStringLiteral("計測中");
inline const QString kNoIntervalMessage = QStringLiteral("測定間隔時間を設定して下さい。");
inline const QString kMeasurementConnectionMessage = QStringLiteral("本体との接続が確認出来ません。確認して下さい。");

// The thermostat experiment: reads the clock's temperature at an interval,
// charts every reading, and runs the fan or lights the lamp by comparing it
// with the set temperature. While it is open it comes first for the clock's
// reports, so no editor acts on them.
class ThermometerWindow final : public QWidget, public ReportReceiver {
    Q_OBJECT

public:
    ThermometerWindow(StudioContext &context, CurrentTime currentTime, QWidget *parent = nullptr);
    ~ThermometerWindow() override;

    // The start and stop pictures.
    void Start();
    void Stop();
    // One reading, as the timer takes it each interval.
    void TakeReading();

    bool IsMeasuring() const { return m_measuring; }
    bool IsFanRunning() const { return m_fanRunning; }
    bool IsLampOn() const { return m_lampOn; }
    const TemperatureRecords &Records() const { return m_records; }
    const QTimer &MeasurementTimer() const { return m_timer; }
    QLineSeries *Series() const { return m_series; }

    void ReportReceived(const QString &text) override;
    void ClockLost() override;

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    QWidget *MakeSetTemperature();
    QWidget *MakeControls();
    void TurnDigit(int index, bool up);
    void ShowFan(bool running);
    void ShowLamp(bool on);
    void ReturnToWaiting();
    void RebuildChart();
    void SaveRecords();

    StudioContext &m_context;
    CurrentTime m_currentTime;
    SetTemperature m_set;
    TemperatureRecords m_records;
    DialogFolder m_fileFolder;
    QTimer m_timer;
    bool m_measuring = false;
    bool m_reading = false;
    bool m_fanRunning = false;
    bool m_lampOn = false;

    std::array<QLabel *, 3> m_digitLabels {};
    QLabel *m_temperature = nullptr;
    QLabel *m_state = nullptr;
    QLabel *m_lamp = nullptr;
    QLabel *m_fan = nullptr;
    QMovie *m_fanMovie = nullptr;
    QCheckBox *m_csv = nullptr;
    QComboBox *m_interval = nullptr;
    QLineSeries *m_series = nullptr;
    QValueAxis *m_axisX = nullptr;
    QValueAxis *m_axisY = nullptr;
};

}  // namespace kq
