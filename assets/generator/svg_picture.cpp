#include "svg_picture.h"

#include "gif_animation.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QSvgRenderer>

#include <algorithm>

namespace kq::assets {

namespace {

// Pictures are stored without transparency: the windows draw them on their
// own backgrounds, and BMP and JPEG hold no alpha anyway.
QString Save(const QImage &image, const QString &path)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    const QByteArray format = QFileInfo(path).suffix().toLower().toLatin1();
    // Qt writes BMP and JPEG but not GIF.
    if (format == "gif")
        return SaveGifPicture(image, path);
    QImageWriter writer(path, format);
    if (format == "jpg" || format == "jpeg")
        writer.setQuality(92);
    if (!writer.write(image.convertToFormat(QImage::Format_RGB888)))
        return QStringLiteral("cannot write %1: %2").arg(path, writer.errorString());
    return {};
}

QImage WhiteImage(QSize size)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    return image;
}

}  // namespace

QString RenderPicture(const QString &source, const QString &dataDir, const QString &output,
                      const QStringList &elementIds)
{
    QSvgRenderer renderer(source);
    if (!renderer.isValid())
        return QStringLiteral("cannot read the drawing %1").arg(source);

    QImage image = WhiteImage(renderer.defaultSize());
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

QString RenderElement(const QString &source, const QString &elementId, int size, const QString &dataDir,
                      const QString &output)
{
    QSvgRenderer renderer(source);
    if (!renderer.isValid())
        return QStringLiteral("cannot read the drawing %1").arg(source);
    if (!renderer.elementExists(elementId))
        return QStringLiteral("%1 has no element %2").arg(source, elementId);
    if (size <= 0)
        return QStringLiteral("the size of %1 must be positive").arg(elementId);

    const QRectF bounds = renderer.transformForElement(elementId).mapRect(renderer.boundsOnElement(elementId));
    if (bounds.isEmpty())
        return QStringLiteral("element %1 of %2 is empty").arg(elementId, source);
    // A small white margin keeps smoothed edges and strokes whole.
    const double margin = size * 0.05;
    const double scale = (size - 2 * margin) / std::max(bounds.width(), bounds.height());
    QImage image =
        WhiteImage(QSize(qRound(bounds.width() * scale + 2 * margin), qRound(bounds.height() * scale + 2 * margin)));
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        renderer.render(&painter, elementId, QRectF(margin, margin, bounds.width() * scale, bounds.height() * scale));
    }
    return Save(image, QDir(dataDir).filePath(output));
}

QString RenderCentre(const QString &source, QSize size, const QString &dataDir, const QString &output)
{
    QSvgRenderer renderer(source);
    if (!renderer.isValid())
        return QStringLiteral("cannot read the drawing %1").arg(source);
    const QSize drawing = renderer.defaultSize();
    if (size.isEmpty() || size.width() > drawing.width() || size.height() > drawing.height())
        return QStringLiteral("%1 x %2 does not fit into the drawing %3")
            .arg(size.width())
            .arg(size.height())
            .arg(source);

    QImage image = WhiteImage(size);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        const QPointF offset((drawing.width() - size.width()) / 2.0, (drawing.height() - size.height()) / 2.0);
        renderer.render(&painter, QRectF(-offset, QSizeF(drawing)));
    }
    return Save(image, QDir(dataDir).filePath(output));
}

QString RenderIcon(const QString &source, int size, const QString &path)
{
    QSvgRenderer renderer(source);
    if (!renderer.isValid())
        return QStringLiteral("cannot read the drawing %1").arg(source);
    if (size <= 0)
        return QStringLiteral("the size of the icon %1 must be positive").arg(source);

    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter);
    }
    QDir().mkpath(QFileInfo(path).absolutePath());
    QImageWriter writer(path, "png");
    if (!writer.write(image))
        return QStringLiteral("cannot write %1: %2").arg(path, writer.errorString());
    return {};
}

}  // namespace kq::assets
