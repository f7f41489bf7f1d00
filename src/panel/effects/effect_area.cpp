#include "panel/effects/effect_area.h"

#include <QStringList>

#include <opencv2/core.hpp>

#include <algorithm>
#include <cmath>

namespace kq::panel {

namespace {

// Coordinates from a damaged record are held to this; far outside is as
// good as just outside.
constexpr int kCoordinateLimit = 1 << 20;

}  // namespace

bool EffectArea::IsWhole() const
{
    return std::all_of(corners.begin(), corners.end(), [](QPoint p) { return p.isNull(); });
}

QRect EffectArea::Box(QSize image) const
{
    const QRect whole(QPoint(0, 0), image);
    if (IsWhole())
        return whole;
    int left = corners[0].x(), right = left, top = corners[0].y(), bottom = top;
    for (QPoint p : corners) {
        left = std::min(left, p.x());
        right = std::max(right, p.x());
        top = std::min(top, p.y());
        bottom = std::max(bottom, p.y());
    }
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)).intersected(whole);
}

EffectArea EffectArea::FromSelection(const QRect &selection)
{
    if (selection.isNull() || selection.isEmpty())
        return {};
    const int left = selection.x(), top = selection.y();
    const int right = left + selection.width(), bottom = top + selection.height();
    return {{QPoint(left, top), QPoint(right, top), QPoint(right, bottom), QPoint(left, bottom)}};
}

QString AreaText(const EffectArea &area)
{
    QStringList numbers;
    for (QPoint p : area.corners)
        numbers << QString::number(p.x()) << QString::number(p.y());
    return numbers.join(QLatin1Char('/'));
}

std::optional<EffectArea> ParseAreaText(const QString &text)
{
    const QStringList numbers = text.split(QLatin1Char('/'));
    if (numbers.size() != 8)
        return std::nullopt;
    EffectArea area;
    for (int i = 0; i < 8; ++i) {
        bool ok = false;
        const int value = std::clamp(numbers[i].trimmed().toInt(&ok), -kCoordinateLimit, kCoordinateLimit);
        if (!ok)
            return std::nullopt;
        QPoint &corner = area.corners[static_cast<size_t>(i / 2)];
        (i % 2 == 0 ? corner.rx() : corner.ry()) = value;
    }
    return area;
}

cv::Mat AreaMask(const EffectArea &area, QSize image)
{
    cv::Mat mask(image.height(), image.width(), CV_8U, cv::Scalar(0));
    if (area.IsWhole()) {
        mask.setTo(255);
        return mask;
    }
    // A pixel is inside when its centre is (even-odd rule), so a rectangle's
    // right and bottom edges, lying on pixel edges, leave the next pixels out.
    const auto &c = area.corners;
    cv::parallel_for_(cv::Range(0, image.height()), [&](const cv::Range &rows) {
        for (int y = rows.start; y < rows.end; ++y) {
            const double centre = y + 0.5;
            double crossings[4];
            int count = 0;
            for (size_t i = 0; i < 4; ++i) {
                const QPoint a = c[i], b = c[(i + 1) % 4];
                if ((a.y() <= centre) != (b.y() <= centre))
                    crossings[count++] = a.x() + (centre - a.y()) * (b.x() - a.x()) / double(b.y() - a.y());
            }
            // At most four: sorted by insertion (std::sort here trips the
            // optimiser's array-bounds warning).
            for (int k = 1; k < count; ++k)
                for (int j = k; j > 0 && crossings[j - 1] > crossings[j]; --j)
                    std::swap(crossings[j - 1], crossings[j]);
            uchar *row = mask.ptr<uchar>(y);
            for (int k = 0; k + 1 < count; k += 2) {
                const int from = std::clamp(static_cast<int>(std::ceil(crossings[k] - 0.5)), 0, image.width());
                const int to = std::clamp(static_cast<int>(std::ceil(crossings[k + 1] - 0.5)), 0, image.width());
                std::fill(row + from, row + to, uchar(255));
            }
        }
    });
    return mask;
}

}  // namespace kq::panel
