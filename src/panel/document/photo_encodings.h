#pragma once

#include <QByteArray>
#include <QHash>
#include <QImage>
#include <QMutex>
#include <QSet>

#include <optional>

// The photos' pictures as the panel file carries them (base64 of a JPEG at
// quality 100), kept per picture: encoding a large photo takes far longer
// than anything else in a save, and most saves and recovery copies find
// most photos unchanged. A picture is known by QImage::cacheKey(), which
// every change of its pixels renews. Used from the UI thread and the
// recovery copy's worker at once.
namespace kq::panel {

class PhotoEncodings {
public:
    // nullopt when the picture cannot be encoded (a null picture).
    std::optional<QByteArray> Base64Jpeg(const QImage &picture);
    // picture was just read from jpeg (a panel file's own bytes): they are its
    // encoding, and writing them again loses nothing more.
    void Remember(const QImage &picture, const QByteArray &base64Jpeg);
    // Forgets the pictures that are no longer in the panel.
    void KeepOnly(const QSet<qint64> &pictureKeys);

    // How many pictures were encoded so far.
    int EncodedCount() const;

private:
    mutable QMutex m_mutex;
    QHash<qint64, QByteArray> m_encoded;
    int m_encodedCount = 0;
};

}  // namespace kq::panel
