#include "tools/control/thermometer_window.h"

#include "base/text_file.h"
#include "context/studio_context.h"
#include "device/device_messages.h"
#include "model/program_file.h"
#include "services/dialogs.h"
#include "tools/control/picture_button.h"
#include "tools/control/window_placement.h"

#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineSeries>
#include <QMovie>
#include <QPointer>
#include <QScreen>
#include <QShowEvent>
#include <QToolButton>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace kq {

namespace {

const QString kLampOnPicture = QStringLiteral("Img\\Animate\\ON.jpg");
const QString kLampOffPicture = QStringLiteral("Img\\Animate\\OFF1.jpg");
const QString kFanAnimation = QStringLiteral("Img\\Animate\\propera.gif");

// The chart shows at least this many readings' room, so the first ones do
// not fill the width.
constexpr int kChartMinimumReadings = 10;

QLabel *MakeLabel(QWidget *parent, const QString &name, const QString &text, int pointSize)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    QFont font = label->font();
    font.setPointSize(pointSize);
    font.setBold(true);
    label->setFont(font);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

}  // namespace

ThermometerWindow::ThermometerWindow(StudioContext &context, CurrentTime currentTime, QWidget *parent)
    : QWidget(parent, Qt::Window), m_context(context), m_currentTime(std::move(currentTime))
{
    setWindowTitle(QStringLiteral("ソラリット２制御ソフト :"));
    UsePictureBackground(*this);
    m_timer.setObjectName(QStringLiteral("Timer1"));
    connect(&m_timer, &QTimer::timeout, this, &ThermometerWindow::TakeReading);

    auto *chart = new QChart();
    chart->legend()->hide();
    m_series = new QLineSeries(chart);
    m_series->setPointsVisible(true);
    chart->addSeries(m_series);
    m_axisX = new QValueAxis(chart);
    m_axisX->setTitleText(QStringLiteral("計測回数"));
    m_axisX->setLabelFormat(QStringLiteral("%d"));
    m_axisX->setTickType(QValueAxis::TicksDynamic);
    m_axisX->setTickAnchor(0);
    m_axisY = new QValueAxis(chart);
    m_axisY->setTitleText(QStringLiteral("温度"));
    m_axisY->setLabelFormat(QStringLiteral("%.0f"));
    m_axisY->setTickType(QValueAxis::TicksDynamic);
    m_axisY->setTickAnchor(0);
    chart->addAxis(m_axisX, Qt::AlignBottom);
    chart->addAxis(m_axisY, Qt::AlignLeft);
    m_series->attachAxis(m_axisX);
    m_series->attachAxis(m_axisY);
    auto *chartView = new QChartView(chart, this);
    chartView->setObjectName(QStringLiteral("Chart1"));
    chartView->setRenderHint(QPainter::Antialiasing);
    RebuildChart();

    auto *side = new QVBoxLayout;
    auto *current = new QGroupBox(QStringLiteral("現在の温度"), this);
    auto *currentLayout = new QHBoxLayout(current);
    m_temperature = MakeLabel(current, QStringLiteral("Label1"), QStringLiteral("--.-"), 28);
    currentLayout->addWidget(m_temperature);
    currentLayout->addWidget(MakeLabel(current, QString(), QStringLiteral("℃"), 16));
    side->addWidget(current);
    side->addWidget(MakeSetTemperature());

    auto *pictures = new QHBoxLayout;
    m_lamp = new QLabel(this);
    m_lamp->setObjectName(QStringLiteral("LampImage"));
    m_lamp->setAlignment(Qt::AlignCenter);
    m_fan = new QLabel(this);
    m_fan->setObjectName(QStringLiteral("FanAnimation"));
    m_fan->setAlignment(Qt::AlignCenter);
    m_fanMovie = new QMovie(context.Paths().ProgramFile(kFanAnimation), QByteArray(), this);
    m_fan->setMovie(m_fanMovie);
    pictures->addWidget(m_lamp);
    pictures->addWidget(m_fan);
    side->addLayout(pictures);
    side->addWidget(MakeControls());
    side->addStretch();

    auto *layout = new QHBoxLayout(this);
    layout->addWidget(chartView, 1);
    layout->addLayout(side);

    ShowLamp(false);
    ShowFan(false);
    m_context.DeviceLink().RegisterReceiver(ReceiverRole::Thermometer, this);
}

ThermometerWindow::~ThermometerWindow()
{
    m_context.DeviceLink().UnregisterReceiver(this);
}

QWidget *ThermometerWindow::MakeSetTemperature()
{
    auto *box = new QGroupBox(QStringLiteral("設定温度"), this);
    auto *grid = new QGridLayout(box);
    const Paths &paths = m_context.Paths();
    // Columns: tens, ones, the point, tenths, the unit.
    const int columns[] = {0, 1, 3};
    for (int index = 0; index < 3; ++index) {
        const QString number = QString::number(index + 1);
        QToolButton *up = MakePictureButton(box, QStringLiteral("IncImage") + number, paths,
                                            QStringLiteral("Img\\Thermo\\Up.bmp"), QStringLiteral("▲"));
        QToolButton *down = MakePictureButton(box, QStringLiteral("DecImage") + number, paths,
                                              QStringLiteral("Img\\Thermo\\Down.bmp"), QStringLiteral("▼"));
        m_digitLabels[std::size_t(index)] =
            MakeLabel(box, QStringLiteral("OndoLabel") + number, QString::number(m_set.digits[std::size_t(index)]), 28);
        m_digitLabels[std::size_t(index)]->setStyleSheet(
            QStringLiteral("color: #ff6b35; background: #1b1f3b; border-radius: 6px; padding: 2px 8px;"));
        connect(up, &QToolButton::clicked, this, [this, index] { TurnDigit(index, true); });
        connect(down, &QToolButton::clicked, this, [this, index] { TurnDigit(index, false); });
        grid->addWidget(up, 0, columns[index], Qt::AlignCenter);
        grid->addWidget(m_digitLabels[std::size_t(index)], 1, columns[index]);
        grid->addWidget(down, 2, columns[index], Qt::AlignCenter);
    }
    grid->addWidget(MakeLabel(box, QString(), QStringLiteral("."), 28), 1, 2);
    grid->addWidget(MakeLabel(box, QString(), QStringLiteral("℃"), 16), 1, 4);
    return box;
}

QWidget *ThermometerWindow::MakeControls()
{
    auto *box = new QWidget(this);
    auto *layout = new QGridLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new QLabel(QStringLiteral("現在の状態"), box), 0, 0);
    m_state = MakeLabel(box, QStringLiteral("StateLabel"), kWaitingState, 14);
    layout->addWidget(m_state, 0, 1);

    m_csv = new QCheckBox(QStringLiteral("CSVファイル書き出し"), box);
    m_csv->setObjectName(QStringLiteral("CheckBox1"));
    layout->addWidget(m_csv, 1, 0, 1, 2);
    layout->addWidget(new QLabel(QStringLiteral("計測する間隔"), box), 2, 0);
    m_interval = new QComboBox(box);
    m_interval->setObjectName(QStringLiteral("ComboBox1"));
    for (const MeasurementInterval &interval : MeasurementIntervals())
        m_interval->addItem(interval.text);
    m_interval->setCurrentIndex(-1);
    m_interval->setEnabled(false);
    layout->addWidget(m_interval, 2, 1);
    connect(m_csv, &QCheckBox::toggled, m_interval, &QComboBox::setEnabled);

    const Paths &paths = m_context.Paths();
    QToolButton *start = MakePictureButton(box, QStringLiteral("Image3"), paths,
                                           QStringLiteral("Img\\Thermo\\Start.bmp"), QStringLiteral("計測開始"));
    QToolButton *stop = MakePictureButton(box, QStringLiteral("Image4"), paths, QStringLiteral("Img\\Thermo\\Stop.bmp"),
                                          QStringLiteral("計測停止"));
    connect(start, &QToolButton::clicked, this, &ThermometerWindow::Start);
    connect(stop, &QToolButton::clicked, this, &ThermometerWindow::Stop);
    layout->addWidget(start, 3, 0, Qt::AlignCenter);
    layout->addWidget(stop, 3, 1, Qt::AlignCenter);
    return box;
}

void ThermometerWindow::TurnDigit(int index, bool up)
{
    int &digit = m_set.digits[std::size_t(index)];
    digit = up ? DigitUp(digit) : DigitDown(digit);
    m_digitLabels[std::size_t(index)]->setText(QString::number(digit));
}

void ThermometerWindow::Start()
{
    const bool csv = m_csv->isChecked();
    if (csv && m_interval->currentIndex() < 0) {
        m_context.Dialogs().Warning(this, kNoIntervalMessage);
        return;
    }
    m_timer.setInterval(csv ? MeasurementIntervals()[std::size_t(m_interval->currentIndex())].milliseconds
                            : kDefaultIntervalMs);
    m_records.Clear();
    RebuildChart();
    m_csv->setEnabled(false);
    m_interval->setEnabled(false);
    m_state->setText(kMeasuringState);
    m_measuring = true;
    // Started first: a first reading that finds no clock stops it again.
    m_timer.start();
    TakeReading();
}

void ThermometerWindow::Stop()
{
    m_measuring = false;
    m_state->setText(kWaitingState);
    m_timer.stop();
    ShowFan(false);
    m_csv->setEnabled(true);
    m_interval->setEnabled(m_csv->isChecked());
    ShowLamp(false);
    const QPointer<ThermometerWindow> alive(this);
    const bool sent = m_context.DeviceLink().DirectCommand(DirectCode::LampOff);
    if (!alive)
        return;
    if (!sent) {
        m_context.Dialogs().Warning(this, kConnectionMessage);
        return;
    }
    if (m_csv->isChecked())
        SaveRecords();
}

void ThermometerWindow::TakeReading()
{
    // A tick while the last reading still waits for the clock is skipped.
    if (m_reading || !m_measuring)
        return;
    m_reading = true;
    const QPointer<ThermometerWindow> alive(this);
    const DeviceLink::TemperatureReading reading = m_context.DeviceLink().ReadTemperature();
    if (!alive)
        return;
    m_reading = false;
    // Stopped during the read: the pupil's stop has the last word.
    if (!m_measuring)
        return;
    if (reading.result == DeviceLink::TemperatureReading::Result::NoClock) {
        ReturnToWaiting();
        m_context.Dialogs().Warning(this, kMeasurementConnectionMessage);
        return;
    }
    if (reading.result == DeviceLink::TemperatureReading::Result::NothingCame) {
        ReturnToWaiting();
        return;
    }

    const QString shown = TemperatureText(reading.hundredths);
    m_temperature->setText(shown);
    const DirectCode command = ThermostatCommand(m_set, shown);
    ShowFan(command == DirectCode::MotorOn);
    ShowLamp(command == DirectCode::LampOn);
    m_reading = true;
    const bool sent = m_context.DeviceLink().DirectCommand(command);
    if (!alive)
        return;
    m_reading = false;
    if (!m_measuring)
        return;
    if (!sent) {
        ReturnToWaiting();
        m_context.Dialogs().Warning(this, kConnectionMessage);
        return;
    }
    m_records.Append(m_currentTime().time(), shown);
    RebuildChart();
}

void ThermometerWindow::ReturnToWaiting()
{
    m_measuring = false;
    m_timer.stop();
    m_state->setText(kWaitingState);
    ShowFan(false);
    ShowLamp(false);
    m_csv->setEnabled(true);
    m_interval->setEnabled(m_csv->isChecked());
}

void ThermometerWindow::ReportReceived(const QString &)
{
    // The reading's reply goes to the read itself; the status reports the
    // clock sends while idle are of no use here.
}

void ThermometerWindow::ClockLost()
{
    // During a reading the read or the command fails and says so itself.
    if (!m_measuring || m_reading)
        return;
    ReturnToWaiting();
    m_context.Dialogs().Warning(this, kMeasurementConnectionMessage);
}

void ThermometerWindow::ShowFan(bool running)
{
    m_fanRunning = running;
    if (running) {
        m_fanMovie->start();
    } else {
        m_fanMovie->stop();
        m_fanMovie->jumpToFrame(0);
    }
}

void ThermometerWindow::ShowLamp(bool on)
{
    m_lampOn = on;
    m_lamp->setPixmap(QPixmap(m_context.Paths().ProgramFile(on ? kLampOnPicture : kLampOffPicture)));
}

void ThermometerWindow::RebuildChart()
{
    const QList<QPointF> points = m_records.ChartPoints();
    m_series->replace(points);
    // Whole reading numbers, at most ten steps along the axis.
    const int count = std::max(kChartMinimumReadings, int(points.size()));
    const int step = (count + 9) / 10;
    m_axisX->setTickInterval(step);
    m_axisX->setRange(0, step * ((count + step - 1) / step));
    // Whole degrees round the readings, at most about eight steps.
    double low = 0;
    double high = 40;
    if (!points.isEmpty()) {
        const auto [lowest, highest] = std::minmax_element(
            points.cbegin(), points.cend(), [](const QPointF &a, const QPointF &b) { return a.y() < b.y(); });
        low = std::floor(lowest->y()) - 1;
        high = std::ceil(highest->y()) + 1;
    }
    m_axisY->setTickInterval(std::max(1.0, std::ceil((high - low) / 8)));
    m_axisY->setRange(low, high);
}

void ThermometerWindow::SaveRecords()
{
    Dialogs &dialogs = m_context.Dialogs();
    const QString chosen = dialogs.SaveFileName(this, m_fileFolder.Start(), kCsvFilter);
    if (chosen.isEmpty())
        return;
    const QString path = CsvFileName(chosen);
    if (QFileInfo::exists(path) && !dialogs.AskYesNo(this, kOverwriteQuestion))
        return;
    if (!WriteTextLines(path, m_records.Lines())) {
        dialogs.Warning(this, kSaveFailedMessage);
        return;
    }
    m_fileFolder.Remember(path);
}

void ThermometerWindow::showEvent(QShowEvent *event)
{
    // Restored from the task bar, it keeps the size the pupil gave it.
    const QScreen *display = screen();
    if (display && !event->spontaneous())
        setGeometry(ThermometerGeometry(display->geometry().size()));
    QWidget::showEvent(event);
}

void ThermometerWindow::closeEvent(QCloseEvent *event)
{
    m_measuring = false;
    m_timer.stop();
    // The lamp goes off whatever the state; without a clock there is nothing
    // to switch off, and the window goes all the same.
    static_cast<void>(m_context.DeviceLink().DirectCommand(DirectCode::LampOff));
    QWidget::closeEvent(event);
}

}  // namespace kq
