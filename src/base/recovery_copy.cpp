#include "base/recovery_copy.h"

#include <QCryptographicHash>
#include <QHash>
#include <QList>
#include <QUrl>

namespace kq {

namespace {

const QByteArray kFirstLine = QByteArrayLiteral("KQ-RECOVERY 1");
const QByteArray kEndOfHeader = QByteArrayLiteral("\n\n");

QByteArray BodyHash(QByteArrayView body)
{
    return QCryptographicHash::hash(body, QCryptographicHash::Sha1).toHex();
}

// Percent-encoded, so a path with a line break or "=" cannot break a header.
QByteArray Field(const char *key, const QString &value)
{
    return QByteArray(key) + '=' + QUrl::toPercentEncoding(value) + '\n';
}

}  // namespace

QByteArray SerializeRecoveryCopy(const RecoveryCopy &copy)
{
    QByteArray bytes = kFirstLine + '\n';
    bytes += Field("window", copy.window);
    bytes += Field("path", copy.filePath);
    bytes += Field("changed", copy.changed.toUTC().toString(Qt::ISODateWithMs));
    bytes += Field("detail", copy.detail);
    bytes += "size=" + QByteArray::number(copy.body.size()) + '\n';
    bytes += "sha1=" + BodyHash(copy.body) + '\n';
    bytes += '\n';
    bytes += copy.body;
    return bytes;
}

std::optional<RecoveryCopy> ParseRecoveryCopy(QByteArrayView bytes)
{
    const qsizetype headerEnd = bytes.indexOf(kEndOfHeader);
    if (headerEnd < 0)
        return std::nullopt;
    const QList<QByteArray> lines = bytes.first(headerEnd).toByteArray().split('\n');
    if (lines.isEmpty() || lines.first() != kFirstLine)
        return std::nullopt;

    QHash<QByteArray, QByteArray> fields;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const qsizetype equals = lines[i].indexOf('=');
        if (equals <= 0)
            return std::nullopt;
        fields.insert(lines[i].left(equals), lines[i].mid(equals + 1));
    }
    static const char *const kKeys[] = {"window", "path", "changed", "detail", "size", "sha1"};
    for (const char *key : kKeys) {
        if (!fields.contains(key))
            return std::nullopt;
    }

    const QByteArrayView body = bytes.sliced(headerEnd + kEndOfHeader.size());
    bool sizeRead = false;
    const qsizetype size = fields.value("size").toLongLong(&sizeRead);
    if (!sizeRead || size != body.size() || fields.value("sha1") != BodyHash(body))
        return std::nullopt;

    RecoveryCopy copy;
    copy.window = QUrl::fromPercentEncoding(fields.value("window"));
    copy.filePath = QUrl::fromPercentEncoding(fields.value("path"));
    copy.changed = QDateTime::fromString(QUrl::fromPercentEncoding(fields.value("changed")), Qt::ISODateWithMs);
    copy.detail = QUrl::fromPercentEncoding(fields.value("detail"));
    copy.body = body.toByteArray();
    if (copy.window.isEmpty() || !copy.changed.isValid())
        return std::nullopt;
    return copy;
}

}  // namespace kq
