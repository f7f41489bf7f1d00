#include "model/report_lines.h"

#include <QRegularExpression>
#include <QUrl>

namespace kq {

namespace {

struct ReportKey {
    const char16_t *key;
    QString ReportFields::*field;
    bool multiLine;
};

constexpr ReportKey kReportKeys[] = {
    {u"reponen=", &ReportFields::year, false},
    {u"repokumi=", &ReportFields::group, false},
    {u"repoban=", &ReportFields::number, false},
    {u"reponame=", &ReportFields::name, false},
    {u"repotitle=", &ReportFields::title, true},
    {u"repokoso=", &ReportFields::conception, true},
    {u"reposiyou=", &ReportFields::features, true},
    {u"repokuhu=", &ReportFields::ingenuity, true},
    {u"repokanso=", &ReportFields::impressions, true},
};

// A single-line field cannot hold a line break, but a pasted one must not
// split the file's layout either.
QString SingleLineReportValue(const QString &text)
{
    QString value = text;
    value.remove(QLatin1Char('\r'));
    value.remove(QLatin1Char('\n'));
    return value;
}

bool NeedsQuotes(const QString &line)
{
    for (QChar c : line) {
        if (c.unicode() <= 0x20 || c == QLatin1Char('"') || c == QLatin1Char(','))
            return true;
    }
    return false;
}

}  // namespace

QStringList ReportLines(const ReportFields &fields)
{
    QStringList lines;
    for (const ReportKey &key : kReportKeys) {
        const QString &value = fields.*key.field;
        lines.append(QString::fromUtf16(key.key)
                     + (key.multiLine ? MultiLineReportValue(value) : SingleLineReportValue(value)));
    }
    return lines;
}

ReportFields ReadReportLines(const QStringList &lines)
{
    ReportFields fields;
    for (const QString &line : lines) {
        for (const ReportKey &key : kReportKeys) {
            const QStringView keyText(key.key);
            if (line.startsWith(keyText)) {
                fields.*key.field = line.mid(keyText.size());
                break;
            }
        }
    }
    return fields;
}

QString MultiLineReportValue(const QString &text)
{
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    QStringList lines = text.split(lineBreak);
    // A final line break ends the last line; it does not start another one.
    if (lines.constLast().isEmpty())
        lines.removeLast();
    // Comma text writes a lone empty line as an empty quoted string.
    if (lines.size() == 1 && lines.constFirst().isEmpty())
        return QStringLiteral("\"\"");

    QString value;
    for (const QString &line : lines) {
        if (NeedsQuotes(line))
            value += QLatin1Char('"') + QString(line).replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"');
        else
            value += line;
    }
    // The separators and the commas inside quoted lines alike.
    value.remove(QLatin1Char(','));
    return value;
}

QStringList ExactReportLines(const ReportFields &fields)
{
    QStringList lines;
    for (const ReportKey &key : kReportKeys)
        lines.append(QString::fromUtf16(key.key) + QString::fromLatin1(QUrl::toPercentEncoding(fields.*key.field)));
    return lines;
}

std::optional<ReportFields> ReadExactReportLines(const QStringList &lines)
{
    if (lines.size() != qsizetype(std::size(kReportKeys)))
        return std::nullopt;
    ReportFields fields;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const ReportKey &key = kReportKeys[i];
        const QStringView keyText(key.key);
        if (!lines[i].startsWith(keyText))
            return std::nullopt;
        fields.*key.field = QUrl::fromPercentEncoding(lines[i].mid(keyText.size()).toLatin1());
    }
    return fields;
}

}  // namespace kq
