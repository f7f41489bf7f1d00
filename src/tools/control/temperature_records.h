#pragma once

#include <QList>
#include <QPointF>
#include <QString>
#include <QStringList>
#include <QTime>

#include <array>

// The readings of one measurement, as the CSV file holds them.
namespace kq {

struct MeasurementInterval {
    QString text;  // as the interval list shows it
    int milliseconds;
};

// Without the CSV file, readings are taken every second.
inline constexpr int kDefaultIntervalMs = 1000;
const std::array<MeasurementInterval, 9> &MeasurementIntervals();

inline const QString kCsvFilter = QStringLiteral("CSVファイル(*.csv)");

// The name the records are saved under: ".csv" is added unless the chosen
// name already ends with it, in any case.
QString CsvFileName(const QString &chosen);

// One line "n,time,temperature" per reading, numbered from 1.
class TemperatureRecords {
public:
    void Clear() { m_lines.clear(); }
    // temperatureText as the window shows it ("25.4").
    void Append(const QTime &time, const QString &temperatureText);

    const QStringList &Lines() const { return m_lines; }
    int NextNumber() const { return int(m_lines.size()) + 1; }
    // x: the reading's number, y: its temperature.
    QList<QPointF> ChartPoints() const;

private:
    QStringList m_lines;
};

}  // namespace kq
