#include "tools/control/temperature_records.h"

namespace kq {

const std::array<MeasurementInterval, 9> &MeasurementIntervals()
{
    static const std::array<MeasurementInterval, 9> intervals {{
        {QStringLiteral("1秒"), 1000},
        {QStringLiteral("5秒"), 5000},
        {QStringLiteral("10秒"), 10000},
        {QStringLiteral("30秒"), 30000},
        {QStringLiteral("1分"), 60000},
        {QStringLiteral("5分"), 300000},
        {QStringLiteral("10分"), 600000},
        {QStringLiteral("30分"), 1800000},
        {QStringLiteral("60分"), 3600000},
    }};
    return intervals;
}

QString CsvFileName(const QString &chosen)
{
    const QString ending = QStringLiteral(".csv");
    return chosen.toLower().endsWith(ending) ? chosen : chosen + ending;
}

void TemperatureRecords::Append(const QTime &time, const QString &temperatureText)
{
    // The time of day as the system's clock shows it in Japan.
    m_lines.append(
        QStringLiteral("%1,%2,%3").arg(NextNumber()).arg(time.toString(QStringLiteral("H:mm:ss")), temperatureText));
}

QList<QPointF> TemperatureRecords::ChartPoints() const
{
    QList<QPointF> points;
    points.reserve(m_lines.size());
    for (const QString &line : m_lines)
        points.append(QPointF(double(points.size() + 1), line.section(QLatin1Char(','), 2, 2).toDouble()));
    return points;
}

}  // namespace kq
