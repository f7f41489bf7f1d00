#include "panel/document/photo_encodings.h"

#include "base/picture_file.h"

#include <QMutexLocker>

namespace kq::panel {

std::optional<QByteArray> PhotoEncodings::Base64Jpeg(const QImage &picture)
{
    const qint64 key = picture.cacheKey();
    {
        QMutexLocker locker(&m_mutex);
        if (const auto found = m_encoded.constFind(key); found != m_encoded.cend())
            return *found;
    }
    // Encoded outside the lock: a save and a recovery copy may encode
    // different photos at once.
    const std::optional<QByteArray> jpeg = PictureBytes(picture, "jpeg", 100);
    if (!jpeg)
        return std::nullopt;
    const QByteArray base64 = jpeg->toBase64();
    QMutexLocker locker(&m_mutex);
    m_encoded.insert(key, base64);
    ++m_encodedCount;
    return base64;
}

void PhotoEncodings::Remember(const QImage &picture, const QByteArray &base64Jpeg)
{
    QMutexLocker locker(&m_mutex);
    m_encoded.insert(picture.cacheKey(), base64Jpeg);
}

void PhotoEncodings::KeepOnly(const QSet<qint64> &pictureKeys)
{
    QMutexLocker locker(&m_mutex);
    m_encoded.removeIf([&pictureKeys](const auto &entry) { return !pictureKeys.contains(entry.key()); });
}

int PhotoEncodings::EncodedCount() const
{
    QMutexLocker locker(&m_mutex);
    return m_encodedCount;
}

}  // namespace kq::panel
