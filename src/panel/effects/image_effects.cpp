#include "panel/effects/image_effects.h"

#include "panel/effects/effect_kernels.h"
#include "panel/effects/mat_view.h"

#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>

namespace kq::panel {

namespace {

using Result = std::optional<QImage>;

cv::Rect ToCv(const QRect &r)
{
    return cv::Rect(r.x(), r.y(), r.width(), r.height());
}

// Runs a kernel over the whole picture into a new image, then puts the
// pixels outside the area back. work(src, dst) returns false to stop.
template <typename Work>
Result Filtered(const QImage &source, const EffectArea &area, EffectControl &control, Work work)
{
    if (!kernels::Continue(control, 0))
        return std::nullopt;
    QImage result(source.size(), QImage::Format_RGB32);
    const cv::Mat src = ConstMatView(source);
    cv::Mat dst = MatView(result);
    cv::Mat written = dst;
    if (!work(src, written) || !kernels::Continue(control, 90))
        return std::nullopt;
    // Some OpenCV calls (warpPolar's inverse, for one) put their result in a
    // matrix of their own rather than the one given.
    if (written.data != dst.data)
        written.copyTo(dst);
    if (!area.IsWhole()) {
        const cv::Mat outside = AreaMask(area, source.size()) == 0;
        src.copyTo(dst, outside);
    }
    // RGB32 keeps its alpha byte at 255.
    kernels::InStripes(dst, dst,
                       [](const cv::Mat &in, cv::Mat &out) { cv::bitwise_or(in, cv::Scalar(0, 0, 0, 255), out); });
    control.ReportProgress(100);
    return result;
}

// A kernel that cannot be stopped half-way.
template <typename Kernel>
Result Simple(const QImage &source, const EffectArea &area, EffectControl &control, Kernel kernel)
{
    return Filtered(source, area, control, [&](const cv::Mat &src, cv::Mat &dst) {
        kernel(src, dst);
        return true;
    });
}

cv::Rect BoxOf(const EffectArea &area, const QImage &image)
{
    return ToCv(area.Box(image.size()));
}

Result Run(const QImage &s, const SharpEffect &e, EffectControl &c)
{
    return Simple(s, e.area, c, [&](const cv::Mat &src, cv::Mat &dst) { kernels::Sharpen(src, dst, e.strength); });
}

Result Run(const QImage &s, const OutlineEffect &e, EffectControl &c)
{
    return Simple(s, e.area, c, [&](const cv::Mat &src, cv::Mat &dst) { kernels::Outline(src, dst, e.strength); });
}

Result Run(const QImage &s, const BlurEffect &e, EffectControl &c)
{
    return Simple(s, e.area, c, [&](const cv::Mat &src, cv::Mat &dst) { kernels::Blur(src, dst, e.strength); });
}

Result Run(const QImage &s, const MosaicEffect &e, EffectControl &c)
{
    return Simple(s, e.area, c, [&](const cv::Mat &src, cv::Mat &dst) {
        kernels::Mosaic(src, dst, std::max(1, e.width), std::max(1, e.height));
    });
}

Result Run(const QImage &s, const ChromaEffect &e, EffectControl &c)
{
    return Simple(s, e.area, c, [&](const cv::Mat &src, cv::Mat &dst) { kernels::Saturate(src, dst, e.amount); });
}

Result Run(const QImage &s, const LensEffect &e, EffectControl &c)
{
    return Simple(s, e.area, c,
                  [&](const cv::Mat &src, cv::Mat &dst) { kernels::Lens(src, dst, BoxOf(e.area, s), e); });
}

Result Run(const QImage &s, const CanvasEffect &e, EffectControl &c)
{
    return Simple(s, e.area, c, [&](const cv::Mat &src, cv::Mat &dst) { kernels::Canvas(src, dst, e); });
}

Result Run(const QImage &s, const EmbossEffect &e, EffectControl &c)
{
    return Simple(s, e.area, c, [&](const cv::Mat &src, cv::Mat &dst) { kernels::Emboss(src, dst, e); });
}

Result Run(const QImage &s, const WhirlPinchEffect &e, EffectControl &c)
{
    return Simple(s, e.area, c,
                  [&](const cv::Mat &src, cv::Mat &dst) { kernels::WhirlPinch(src, dst, BoxOf(e.area, s), e); });
}

Result Run(const QImage &s, const MotionBlurEffect &e, EffectControl &c)
{
    return Filtered(s, e.area, c, [&](const cv::Mat &src, cv::Mat &dst) {
        return kernels::MotionBlur(src, dst, BoxOf(e.area, s), e, c);
    });
}

Result Run(const QImage &s, const GlassTileEffect &e, EffectControl &c)
{
    return Simple(s, e.area, c,
                  [&](const cv::Mat &src, cv::Mat &dst) { kernels::GlassTile(src, dst, BoxOf(e.area, s), e); });
}

Result Run(const QImage &s, const OilPaintEffect &e, EffectControl &c)
{
    return Simple(s, e.area, c, [&](const cv::Mat &src, cv::Mat &dst) { kernels::OilPaint(src, dst, e); });
}

Result Run(const QImage &s, const RippleEffect &e, EffectControl &c)
{
    return Simple(s, e.area, c,
                  [&](const cv::Mat &src, cv::Mat &dst) { kernels::Ripple(src, dst, BoxOf(e.area, s), e); });
}

Result Run(const QImage &s, const WavesEffect &e, EffectControl &c)
{
    return Simple(s, e.area, c,
                  [&](const cv::Mat &src, cv::Mat &dst) { kernels::Waves(src, dst, BoxOf(e.area, s), e); });
}

Result Run(const QImage &s, const AntiAliasEffect &, EffectControl &c)
{
    return Simple(s, EffectArea{}, c, [&](const cv::Mat &src, cv::Mat &dst) { kernels::AntiAlias(src, dst); });
}

Result Run(const QImage &s, const LevelEffect &e, EffectControl &c)
{
    return Simple(s, e.area, c, [&](const cv::Mat &src, cv::Mat &dst) { kernels::Level(src, dst, e.brightness); });
}

Result Run(const QImage &s, const ToneCurveEffect &e, EffectControl &c)
{
    return Simple(s, EffectArea{}, c, [&](const cv::Mat &src, cv::Mat &dst) { kernels::ToneCurve(src, dst, e); });
}

Result Run(const QImage &s, const GrayEffect &e, EffectControl &c)
{
    return Simple(s, e.area, c, [&](const cv::Mat &src, cv::Mat &dst) { kernels::Saturate(src, dst, -100); });
}

// Row by row on all cores (either mirror, both, or a plain copy).
void Mirror(const cv::Mat &src, cv::Mat &dst, bool leftRight, bool upDown)
{
    cv::parallel_for_(cv::Range(0, src.rows), [&](const cv::Range &range) {
        for (int y = range.start; y < range.end; ++y) {
            const auto *in = src.ptr<std::uint32_t>(upDown ? src.rows - 1 - y : y);
            auto *out = dst.ptr<std::uint32_t>(y);
            if (leftRight)
                std::reverse_copy(in, in + src.cols, out);
            else
                std::copy(in, in + src.cols, out);
        }
    });
}

// Exact quarter turns move pixels, nothing is interpolated. One pass over
// tiles that fit the cache, rather than a transpose and a flip.
void QuarterTurn(const cv::Mat &src, cv::Mat &dst, bool clockwise)
{
    constexpr int kTile = 64;
    const int tileRows = (dst.rows + kTile - 1) / kTile;
    cv::parallel_for_(cv::Range(0, tileRows), [&](const cv::Range &range) {
        for (int tileRow = range.start; tileRow < range.end; ++tileRow) {
            const int top = tileRow * kTile, bottom = std::min(dst.rows, top + kTile);
            for (int left = 0; left < dst.cols; left += kTile) {
                const int right = std::min(dst.cols, left + kTile);
                for (int y = top; y < bottom; ++y) {
                    auto *out = dst.ptr<std::uint32_t>(y);
                    for (int x = left; x < right; ++x) {
                        out[x] = clockwise ? src.ptr<std::uint32_t>(src.rows - 1 - x)[y]
                                           : src.ptr<std::uint32_t>(x)[src.cols - 1 - y];
                    }
                }
            }
        }
    });
}

// The turned picture's size: the bounding box, without the pixel a rounding
// error would add at angles like 45.
cv::Size TurnedSize(cv::Size size, int degrees)
{
    const double radians = degrees * CV_PI / 180.0;
    const double c = std::abs(std::cos(radians)), s = std::abs(std::sin(radians));
    return cv::Size(cvCeil(size.width * c + size.height * s - 1e-6), cvCeil(size.width * s + size.height * c - 1e-6));
}

Result Run(const QImage &s, const RotationEffect &e, EffectControl &c)
{
    if (!kernels::Continue(c, 0))
        return std::nullopt;
    const int degrees = ((e.angle % 360) + 360) % 360;
    cv::Mat work = ConstMatView(s);
    const bool mirrored = e.mirrorLeftRight || e.mirrorUpDown;
    if (mirrored && degrees != 0) {
        cv::Mat flipped(work.size(), work.type());
        Mirror(work, flipped, e.mirrorLeftRight, e.mirrorUpDown);
        work = flipped;
    }
    const bool quarter = degrees % 90 == 0;
    const cv::Size size = quarter ? (degrees % 180 == 0 ? work.size() : cv::Size(work.rows, work.cols))
                                  : TurnedSize(work.size(), degrees);
    QImage result(size.width, size.height, QImage::Format_RGB32);
    cv::Mat dst = MatView(result);
    if (degrees == 0) {
        Mirror(work, dst, e.mirrorLeftRight, e.mirrorUpDown);
    } else if (degrees == 180) {
        Mirror(work, dst, true, true);
    } else if (quarter) {
        QuarterTurn(work, dst, degrees == 90);
    } else {
        cv::Mat m = cv::getRotationMatrix2D(cv::Point2f((work.cols - 1) / 2.0f, (work.rows - 1) / 2.0f), -degrees, 1.0);
        m.at<double>(0, 2) += (size.width - work.cols) / 2.0;
        m.at<double>(1, 2) += (size.height - work.rows) / 2.0;
        const cv::Scalar fill(e.fill.blue(), e.fill.green(), e.fill.red(), 255);
        cv::warpAffine(work, dst, m, size, cv::INTER_LINEAR, cv::BORDER_CONSTANT, fill);
    }
    if (!kernels::Continue(c, 100))
        return std::nullopt;
    return result;
}

Result Run(const QImage &s, const ResizeEffect &e, EffectControl &c)
{
    if (!kernels::Continue(c, 0))
        return std::nullopt;
    const QSize size(kImageSideRange.Clamp(e.size.width()), kImageSideRange.Clamp(e.size.height()));
    QImage result(size, QImage::Format_RGB32);
    cv::Mat dst = MatView(result);
    const bool shrinking = size.width() <= s.width() && size.height() <= s.height();
    cv::resize(ConstMatView(s), dst, dst.size(), 0, 0, shrinking ? cv::INTER_AREA : cv::INTER_LINEAR);
    if (!kernels::Continue(c, 100))
        return std::nullopt;
    return result;
}

Result Run(const QImage &s, const RectangleCutEffect &e, EffectControl &c)
{
    const QRect kept = CutRectangle(e.rect, s.size());
    if (kept.isEmpty() || !kernels::Continue(c, 100))
        return std::nullopt;
    return s.copy(kept);
}

Result Run(const QImage &s, const EllipseCutEffect &e, EffectControl &c)
{
    if (!kernels::Continue(c, 0))
        return std::nullopt;
    // Pixels whose centres lie inside the ellipse stay; the rect's edges are
    // pixel edges.
    const double cx = e.rect.x() + e.rect.width() / 2.0, cy = e.rect.y() + e.rect.height() / 2.0;
    const double a = e.rect.width() / 2.0, b = e.rect.height() / 2.0;
    cv::Mat inside(s.height(), s.width(), CV_8U, cv::Scalar(0));
    for (int y = 0; y < s.height(); ++y) {
        const double v = (y + 0.5 - cy) / b;
        if (v * v >= 1.0)
            continue;
        const double half = a * std::sqrt(1.0 - v * v);
        const int from = std::clamp(static_cast<int>(std::ceil(cx - half - 0.5)), 0, s.width());
        const int to = std::clamp(static_cast<int>(std::ceil(cx + half - 0.5)), 0, s.width());
        inside.row(y).colRange(from, std::max(from, to)).setTo(255);
    }
    QImage result = s.copy();
    MatView(result).setTo(kernels::kBackground, inside == 0);
    if (!kernels::Continue(c, 100))
        return std::nullopt;
    return result;
}

}  // namespace

QRect CutRectangle(const QRect &rect, QSize image)
{
    return rect.intersected(QRect(QPoint(0, 0), image));
}

bool ApplyEffect(QImage &image, const Effect &effect, EffectControl &control)
{
    if (image.isNull())
        return false;
    const QImage source = image.convertToFormat(QImage::Format_RGB32);
    const Result result = std::visit([&](const auto &e) { return Run(source, e, control); }, effect);
    if (!result)
        return false;
    image = *result;
    return true;
}

}  // namespace kq::panel
