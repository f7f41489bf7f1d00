#include "learning/report_builder.h"

#include "learning/report_display_size.h"

namespace kq {

namespace {

// Each line of a multi-line field followed by a line break.
QString MultiLineHtml(const QString &text)
{
    if (text.isEmpty())
        return {};
    QString html;
    for (const QString &line : text.split(QLatin1Char('\n')))
        html += QString(line).remove(QLatin1Char('\r')).toHtmlEscaped() + QStringLiteral("<BR>");
    return html;
}

QString NameHtml(const ReportFields &fields)
{
    return (fields.year + QStringLiteral("年　") + fields.group + QStringLiteral("組　") + fields.number
            + QStringLiteral("番　　名前：　") + fields.name)
        .toHtmlEscaped();
}

// The first common placeholder found is replaced; nullopt when none is there.
std::optional<QString> ReplaceCommonPlaceholder(const QString &line, const ReportFields &fields)
{
    const std::pair<QString, QString> placeholders[] = {
        {QStringLiteral("Name"), NameHtml(fields)},
        {QStringLiteral("Kanso"), MultiLineHtml(fields.impressions)},
        {QStringLiteral("Koso"), MultiLineHtml(fields.conception)},
        {QStringLiteral("Taitoru"), MultiLineHtml(fields.title)},
        {QStringLiteral("Siyou"), MultiLineHtml(fields.features)},
        {QStringLiteral("Kuhu"), MultiLineHtml(fields.ingenuity)},
    };
    for (const auto &[placeholder, value] : placeholders) {
        if (line.contains(placeholder))
            return QString(line).replace(placeholder, value);
    }
    return std::nullopt;
}

QString RoutineLine(const QString &line, const ReportWork &work)
{
    QString joined;
    for (int n = 0; n < kRoutinePictureCount; ++n) {
        if (!work.routineSizes[n])
            continue;
        const QString label = n == 0 ? QStringLiteral("メインルーチン") : QStringLiteral("サブルーチン") + QString::number(n);
        QString copy = QString(line).replace(QStringLiteral("ROUTINE"), label);
        if (!copy.contains(QStringLiteral("Picture")))
            continue;
        const QString source = QStringLiteral("Img/Routine%1.bmp").arg(n);
        joined += copy.replace(QStringLiteral("Picture"),
                               ReportImageElement(source, ReportDisplaySize(*work.routineSizes[n], 500, 700)));
    }
    return joined;
}

QString IconLine(const QString &line, const ReportWork &work)
{
    QString joined;
    for (const QString &entry : work.iconEntries) {
        const QStringList parts = entry.split(QLatin1Char(','));
        const QString description = parts.size() > 1 ? parts[1] : QString();
        const QString source = work.iconFolder + parts[0] + QStringLiteral(".bmp");
        joined += QString(line)
                      .replace(QStringLiteral("ICON"), ReportImageElement(source, QSize(32, 25)))
                      .replace(QStringLiteral("Content"), description.toHtmlEscaped());
    }
    return joined;
}

QString WordLine(const QString &line, const ReportWork &work)
{
    QString text;
    for (const QString &programLine : work.programText)
        text += programLine.toHtmlEscaped() + QStringLiteral("<BR><BR>");
    return QString(line).replace(QStringLiteral("WORD"), text);
}

QString KindLine(const QString &line, const ReportWork &work)
{
    switch (work.kind) {
    case ReportKind::Routine:
        return line.contains(QStringLiteral("ROUTINE")) ? RoutineLine(line, work) : line;
    case ReportKind::Word:
        return line.contains(QStringLiteral("WORD")) ? WordLine(line, work) : line;
    case ReportKind::Icons:
        return line.contains(QStringLiteral("ICON")) ? IconLine(line, work) : line;
    case ReportKind::Sound:
        return line.contains(QStringLiteral("Picture"))
                   ? QString(line).replace(QStringLiteral("Picture"),
                                           ReportImageElement(QStringLiteral("Img/Sound.bmp"),
                                                              ReportDisplaySize(work.soundSize, 600, 800)))
                   : line;
    }
    return line;
}

}  // namespace

QString ReportTemplatePath(ReportKind kind)
{
    switch (kind) {
    case ReportKind::Routine:
        return QStringLiteral("Data/Report/Report_Routine.html");
    case ReportKind::Word:
        return QStringLiteral("Data/Report/Report_Word.html");
    case ReportKind::Icons:
        return QStringLiteral("Data/Report/Report_DD.html");
    case ReportKind::Sound:
        return QStringLiteral("Data/Report/Report_Sound.html");
    }
    return {};
}

bool HasReportIdentity(const ReportFields &fields)
{
    return !fields.year.isEmpty() && !fields.group.isEmpty() && !fields.number.isEmpty() && !fields.name.isEmpty();
}

QString ReportImageElement(const QString &source, QSize size)
{
    return QStringLiteral("<img src=\"%1\" width=\"%2\" height=\"%3\">")
        .arg(source.toHtmlEscaped())
        .arg(size.width())
        .arg(size.height());
}

QStringList BuildReportLines(const QStringList &templateLines, const ReportFields &fields, const ReportWork &work)
{
    QStringList output;
    output.reserve(templateLines.size());
    for (const QString &line : templateLines) {
        const std::optional<QString> replaced = ReplaceCommonPlaceholder(line, fields);
        if (replaced && !replaced->isEmpty())
            output.append(*replaced);
        else
            output.append(KindLine(line, work));
    }
    return output;
}

}  // namespace kq
