#include "gif_animation.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <gif_lib.h>

#include <algorithm>
#include <array>
#include <climits>
#include <memory>
#include <optional>
#include <vector>

namespace kq::assets {

namespace {

constexpr int kPaletteSize = 256;

QImage RenderFrame(QSvgRenderer &renderer, const QString &id)
{
    QImage image(renderer.defaultSize(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    for (const QString &element : {QStringLiteral("background"), id}) {
        if (!renderer.elementExists(element))
            continue;
        const QRectF area = renderer.transformForElement(element).mapRect(renderer.boundsOnElement(element));
        renderer.render(&painter, element, area);
    }
    return image;
}

// The colours used most across all frames, so the flat areas of the
// drawing keep their exact colour and only smoothed edges move a little.
std::vector<QRgb> PaletteOf(const std::vector<QImage> &frames)
{
    QHash<QRgb, qint64> counts;
    for (const QImage &frame : frames) {
        for (int y = 0; y < frame.height(); ++y) {
            const auto *line = reinterpret_cast<const QRgb *>(frame.constScanLine(y));
            for (int x = 0; x < frame.width(); ++x)
                ++counts[line[x] | 0xFF000000u];
        }
    }
    std::vector<std::pair<qint64, QRgb>> byUse;
    byUse.reserve(std::size_t(counts.size()));
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        byUse.emplace_back(it.value(), it.key());
    std::sort(byUse.begin(), byUse.end(), [](const auto &a, const auto &b) {
        return a.first != b.first ? a.first > b.first : a.second < b.second;
    });
    std::vector<QRgb> palette;
    for (std::size_t i = 0; i < byUse.size() && palette.size() < kPaletteSize; ++i)
        palette.push_back(byUse[i].second);
    palette.resize(kPaletteSize, qRgb(0, 0, 0));
    return palette;
}

int Nearest(const std::vector<QRgb> &palette, QRgb colour)
{
    int best = 0;
    int bestDistance = INT_MAX;
    for (int i = 0; i < int(palette.size()); ++i) {
        const int dr = qRed(palette[std::size_t(i)]) - qRed(colour);
        const int dg = qGreen(palette[std::size_t(i)]) - qGreen(colour);
        const int db = qBlue(palette[std::size_t(i)]) - qBlue(colour);
        const int distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = i;
        }
    }
    return best;
}

QString GifError(const char *what, int code)
{
    return QStringLiteral("%1: %2").arg(QLatin1String(what), QLatin1String(GifErrorString(code)));
}

// frameDelayMs: the delay between the frames of a looping animation, or
// nullopt for a still picture (no loop, no delay).
QString WriteGif(const QString &path, const std::vector<QImage> &frames, std::optional<int> frameDelayMs)
{
    const std::vector<QRgb> palette = PaletteOf(frames);
    std::array<GifColorType, kPaletteSize> colours{};
    for (std::size_t i = 0; i < kPaletteSize; ++i)
        colours[i] = {GifByteType(qRed(palette[i])), GifByteType(qGreen(palette[i])), GifByteType(qBlue(palette[i]))};

    int error = 0;
    const QByteArray name = QFile::encodeName(path);
    GifFileType *gif = EGifOpenFileName(name.constData(), false, &error);
    if (!gif)
        return GifError("cannot open the GIF file", error);
    const auto close = [&gif] {
        int closeError = 0;
        const bool closed = EGifCloseFile(gif, &closeError) == GIF_OK;
        gif = nullptr;
        return closed ? QString() : GifError("cannot finish the GIF file", closeError);
    };
    const auto fail = [&](const char *what) {
        const int code = gif->Error;
        close();
        return GifError(what, code);
    };

    const std::unique_ptr<ColorMapObject, void (*)(ColorMapObject *)> map(
        GifMakeMapObject(kPaletteSize, colours.data()), GifFreeMapObject);
    const int width = frames.front().width();
    const int height = frames.front().height();
    EGifSetGifVersion(gif, true);
    if (EGifPutScreenDesc(gif, width, height, 8, 0, map.get()) != GIF_OK)
        return fail("cannot write the screen description");
    // NETSCAPE2.0: loop for ever.
    static const GifByteType loopName[] = "NETSCAPE2.0";
    static const GifByteType loopForever[] = {1, 0, 0};
    if (frameDelayMs
        && (EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE) != GIF_OK
            || EGifPutExtensionBlock(gif, 11, loopName) != GIF_OK
            || EGifPutExtensionBlock(gif, 3, loopForever) != GIF_OK || EGifPutExtensionTrailer(gif) != GIF_OK))
        return fail("cannot write the loop extension");

    QHash<QRgb, GifPixelType> indexOf;
    std::vector<GifPixelType> row(std::size_t(width), 0);
    for (const QImage &frame : frames) {
        GraphicsControlBlock control{};
        control.DisposalMode = DISPOSE_DO_NOT;
        control.DelayTime = std::max(1, frameDelayMs.value_or(0) / 10);  // hundredths of a second
        control.TransparentColor = NO_TRANSPARENT_COLOR;
        GifByteType extension[4];
        EGifGCBToExtension(&control, extension);
        if (frameDelayMs && EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, extension) != GIF_OK)
            return fail("cannot write a frame's delay");
        if (EGifPutImageDesc(gif, 0, 0, width, height, false, nullptr) != GIF_OK)
            return fail("cannot write a frame");
        for (int y = 0; y < height; ++y) {
            const auto *line = reinterpret_cast<const QRgb *>(frame.constScanLine(y));
            for (int x = 0; x < width; ++x) {
                const QRgb colour = line[x] | 0xFF000000u;
                auto found = indexOf.constFind(colour);
                if (found == indexOf.constEnd())
                    found = indexOf.insert(colour, GifPixelType(Nearest(palette, colour)));
                row[std::size_t(x)] = *found;
            }
            if (EGifPutLine(gif, row.data(), width) != GIF_OK)
                return fail("cannot write a frame's pixels");
        }
    }
    return close();
}

QString SaveGif(const QString &path, const std::vector<QImage> &frames, std::optional<int> frameDelayMs)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    const QString error = WriteGif(path, frames, frameDelayMs);
    // A half-written picture must not pass for a built one.
    if (!error.isEmpty()) {
        QFile::remove(path);
        return error;
    }
    // giflib creates its file for the owner only; the data tree is readable
    // by everyone, as the other pictures are.
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    return {};
}

}  // namespace

QString SaveGifPicture(const QImage &image, const QString &path)
{
    return SaveGif(path, {image.convertToFormat(QImage::Format_RGB32)}, std::nullopt);
}

QString RenderAnimation(const QString &source, const QString &dataDir, const QString &output, int frameDelayMs)
{
    QSvgRenderer renderer(source);
    if (!renderer.isValid())
        return QStringLiteral("cannot read the drawing %1").arg(source);
    std::vector<QImage> frames;
    for (int number = 1; renderer.elementExists(QStringLiteral("frame%1").arg(number)); ++number)
        frames.push_back(RenderFrame(renderer, QStringLiteral("frame%1").arg(number)));
    if (frames.empty())
        return QStringLiteral("%1 has no element frame1").arg(source);

    return SaveGif(QDir(dataDir).filePath(output), frames, frameDelayMs);
}

}  // namespace kq::assets
