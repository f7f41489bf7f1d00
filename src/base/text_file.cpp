#include "base/text_file.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

namespace kq {

namespace {
constexpr const char *kCodePage = "windows-31j";
}

std::optional<TextFileContent> ReadTextLines(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;

    QStringDecoder decoder(kCodePage);
    const QString text = decoder.decode(bytes);

    TextFileContent content;
    content.hasDecodingErrors = decoder.hasError();
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n'))
            continue;
        content.lines.append(text.mid(start, i - start));
        if (c == QLatin1Char('\r') && i + 1 < n && text.at(i + 1) == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
    if (start < n)
        content.lines.append(text.mid(start));
    return content;
}

std::optional<QByteArray> EncodeTextLines(const QStringList &lines)
{
    QStringEncoder encoder(kCodePage);
    QByteArray bytes;
    for (const QString &line : lines) {
        bytes.append(encoder.encode(line));
        bytes.append("\r\n");
    }
    if (encoder.hasError())
        return std::nullopt;
    return bytes;
}

bool WriteTextLines(const QString &path, const QStringList &lines)
{
    const std::optional<QByteArray> bytes = EncodeTextLines(lines);
    if (!bytes)
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(*bytes) != bytes->size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

}  // namespace kq
