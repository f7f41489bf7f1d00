#include "svg_picture.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QSvgRenderer>

namespace kq::assets {

namespace {

// Pictures are stored without transparency: the windows draw them on their
// own backgrounds, and BMP and JPEG hold no alpha anyway.
QString Save(const QImage &image, const QString &path)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    const QByteArray format = QFileInfo(path).suffix().toLower().toLatin1();
    // Qt writes BMP and JPEG; GIF pictures would need a giflib writer here.
    QImageWriter writer(path, format);
    if (format == "jpg" || format == "jpeg")
        writer.setQuality(92);
    if (!writer.write(image.convertToFormat(QImage::Format_RGB888)))
        return QStringLiteral("cannot write %1: %2").arg(path, writer.errorString());
    return {};
}

}  // namespace

QString RenderPicture(const QString &source, const QString &dataDir, const QString &output,
                      const QStringList &elementIds)
{
    QSvgRenderer renderer(source);
    if (!renderer.isValid())
        return QStringLiteral("cannot read the drawing %1").arg(source);

    QImage image(renderer.defaultSize(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        renderer.render(&painter);
    }

    const QString path = QDir(dataDir).filePath(output);
    if (QString error = Save(image, path); !error.isEmpty())
        return error;

    const QFileInfo info(path);
    for (const QString &id : elementIds) {
        if (!renderer.elementExists(id))
            return QStringLiteral("%1 has no element %2").arg(source, id);
        const QRect area = renderer.transformForElement(id).mapRect(renderer.boundsOnElement(id)).toRect();
        if (area.isEmpty() || !image.rect().contains(area))
            return QStringLiteral("element %1 of %2 lies outside the drawing").arg(id, source);
        const QString piece = info.dir().filePath(id + QLatin1Char('.') + info.suffix());
        if (QString error = Save(image.copy(area), piece); !error.isEmpty())
            return error;
    }
    return {};
}

}  // namespace kq::assets
