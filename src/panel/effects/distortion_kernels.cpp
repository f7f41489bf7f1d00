#include "panel/effects/effect_kernels.h"

#include <opencv2/core/hal/intrin.hpp>
#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <cmath>
#include <vector>

namespace kq::panel::kernels {

namespace {

// Remaps box, the rest of dst keeping src: fill(y, mapX, mapY) fills the
// source positions of the box's pixels on image row y.
template <typename Fill>
void RemapBoxRows(const cv::Mat &src, cv::Mat &dst, const cv::Rect &box, int border, Fill fill)
{
    if (box.empty()) {
        src.copyTo(dst);
        return;
    }
    // Only what lies outside the box is copied: above, below and beside it.
    for (const cv::Rect &outside :
         {cv::Rect(0, 0, src.cols, box.y), cv::Rect(0, box.br().y, src.cols, src.rows - box.br().y),
          cv::Rect(0, box.y, box.x, box.height), cv::Rect(box.br().x, box.y, src.cols - box.br().x, box.height)}) {
        cv::Mat target = dst(outside);
        src(outside).copyTo(target);
    }
    InMapBands(box.height, box.width, [&](const cv::Range &rows, cv::Mat &mapX, cv::Mat &mapY) {
        for (int row = 0; row < rows.size(); ++row)
            fill(static_cast<float>(box.y + rows.start + row), mapX.ptr<float>(row), mapY.ptr<float>(row));
        cv::Mat target = dst(cv::Rect(box.x, box.y + rows.start, box.width, rows.size()));
        cv::remap(src, target, mapX, mapY, cv::INTER_LINEAR, border, kBackground);
    });
}

// The same with source(x, y) giving the source position of the pixel at
// image coordinates (x, y).
template <typename Source>
void RemapBox(const cv::Mat &src, cv::Mat &dst, const cv::Rect &box, int border, Source source)
{
    RemapBoxRows(src, dst, box, border, [&](float y, float *mx, float *my) {
        for (int column = 0; column < box.width; ++column) {
            const cv::Point2f p = source(static_cast<float>(box.x + column), y);
            mx[column] = p.x;
            my[column] = p.y;
        }
    });
}

cv::Point2f Centre(const cv::Rect &box)
{
    return {box.x + (box.width - 1) / 2.0f, box.y + (box.height - 1) / 2.0f};
}

constexpr float kPi = static_cast<float>(CV_PI);

}  // namespace

void Lens(const cv::Mat &src, cv::Mat &dst, const cv::Rect &box, const LensEffect &e)
{
    // In the inscribed ellipse a position at relative radius r shows the one
    // at r / (m - (m - 1) r^2): magnified m times at the centre, unchanged at
    // the rim. Outside it, -1 lands in the white border when painting.
    // Without branches, so the maps are made several pixels at once.
    const cv::Point2f c = Centre(box);
    const float a = box.width / 2.0f, b = box.height / 2.0f;
    const float m = static_cast<float>(e.magnification);
    const bool paint = e.paintOutside;
    RemapBox(src, dst, box, cv::BORDER_CONSTANT, [c, a, b, m, paint](float x, float y) {
        const float u = (x - c.x) / a, v = (y - c.y) / b;
        const float r2 = u * u + v * v;
        const float f = 1.0f / (m - (m - 1.0f) * r2);
        const bool inside = r2 < 1.0f;
        const float outsideX = paint ? -1e4f : x, outsideY = paint ? -1e4f : y;
        return cv::Point2f(inside ? c.x + (x - c.x) * f : outsideX, inside ? c.y + (y - c.y) * f : outsideY);
    });
}

namespace {

// f(t) for t in [0, 1] sampled finely, so the per-pixel work is a lookup.
class Table {
public:
    // Filled on all cores: the whirl's three tables of sines and powers
    // take as long as a good part of its map.
    template <typename F>
    explicit Table(F f, int steps = 16384) : m_values(static_cast<size_t>(steps) + 1), m_steps(steps)
    {
        cv::parallel_for_(cv::Range(0, steps + 1), [&](const cv::Range &range) {
            for (int i = range.start; i < range.end; ++i)
                m_values[static_cast<size_t>(i)] = f(static_cast<float>(i) / steps);
        });
    }
    // The nearest entries for four values of t; tables of one size share
    // them.
    cv::v_int32x4 Index(const cv::v_float32x4 &t) const
    {
        const cv::v_float32x4 scaled = t * cv::v_setall_f32(static_cast<float>(m_steps)) + cv::v_setall_f32(0.5f);
        return cv::v_min(cv::v_trunc(cv::v_max(cv::v_setzero_f32(), scaled)), cv::v_setall_s32(m_steps));
    }
    const float *Values() const { return m_values.data(); }

private:
    std::vector<float> m_values;
    int m_steps;
};

}  // namespace

void WhirlPinch(const cv::Mat &src, cv::Mat &dst, const cv::Rect &box, const WhirlPinchEffect &e)
{
    const cv::Point2f c = Centre(box);
    const float reach = (10.0f + e.size) / 20.0f;
    const float a = box.width / 2.0f * reach, b = box.height / 2.0f * reach;
    const float twist = e.angle * kPi / 180.0f;
    const float pinch = e.pinch / 10.0f;
    // Everything depends on the relative distance d only. Pinching looks
    // further out for the same place; the twist fades to nothing at the rim.
    const Table factor([&](float d) { return d == 0.0f ? 1.0f : std::pow(std::sin(kPi / 2 * d), -pinch); });
    const Table cosine([&](float d) { return std::cos(twist * (1.0f - d) * (1.0f - d)); });
    const Table sine([&](float d) { return std::sin(twist * (1.0f - d) * (1.0f - d)); });
    // Four pixels at a time; the tables are read one pixel at a time.
    const float *factors = factor.Values(), *cosines = cosine.Values(), *sines = sine.Values();
    RemapBoxRows(src, dst, box, cv::BORDER_REPLICATE, [&](float y, float *mx, float *my) {
        using namespace cv;
        const v_float32x4 cx = v_setall_f32(c.x), cy = v_setall_f32(c.y), va = v_setall_f32(a), vb = v_setall_f32(b);
        const v_float32x4 one = v_setall_f32(1.0f), zero = v_setzero_f32();
        const v_float32x4 rowY = v_setall_f32(y), v = v_setall_f32((y - c.y) / b);
        for (int column = 0; column < box.width; column += 4) {
            const v_float32x4 x = v_setall_f32(static_cast<float>(box.x + column)) + v_float32x4(0, 1, 2, 3);
            const v_float32x4 u = (x - cx) / va;
            const v_float32x4 d2 = u * u + v * v;
            int index[4];
            v_store(index, factor.Index(v_sqrt(d2)));
            float f[4], cs[4], sn[4];
            for (int k = 0; k < 4; ++k) {
                f[k] = factors[index[k]];
                cs[k] = cosines[index[k]];
                sn[k] = sines[index[k]];
            }
            const v_float32x4 vf = v_load(f), vcs = v_load(cs), vsn = v_load(sn);
            const v_float32x4 twisted = (d2 < one) & (d2 != zero);
            v_store(mx + column, v_select(twisted, cx + (vcs * u - vsn * v) * vf * va, x));
            v_store(my + column, v_select(twisted, cy + (vsn * u + vcs * v) * vf * vb, rowY));
        }
    });
}

void Ripple(const cv::Mat &src, cv::Mat &dst, const cv::Rect &box, const RippleEffect &e)
{
    // Rings around the box's centre: each pixel looks a little further in or
    // out along its radius.
    const cv::Point2f c = Centre(box);
    const float amplitude = e.amplitude / 4.0f;
    const float wavelength = e.wavelength * 8.0f;
    const float farthest = std::hypot(std::max(c.x - box.x, box.br().x - c.x), std::max(c.y - box.y, box.br().y - c.y)) + 1;
    const Table wave([&](float t) { return amplitude * std::sin(2 * kPi * t * farthest / wavelength); },
                     std::max(16, static_cast<int>(farthest * 8)));
    const int border = e.fillFromNeighbours ? cv::BORDER_REPLICATE : cv::BORDER_CONSTANT;
    // Four pixels at a time, as the whirl.
    const float *waves = wave.Values();
    RemapBoxRows(src, dst, box, border, [&](float y, float *mx, float *my) {
        using namespace cv;
        const v_float32x4 cx = v_setall_f32(c.x), cy = v_setall_f32(c.y), far = v_setall_f32(farthest);
        const v_float32x4 one = v_setall_f32(1.0f), zero = v_setzero_f32();
        const v_float32x4 rowY = v_setall_f32(y), dy = v_setall_f32(y - c.y);
        for (int column = 0; column < box.width; column += 4) {
            const v_float32x4 x = v_setall_f32(static_cast<float>(box.x + column)) + v_float32x4(0, 1, 2, 3);
            const v_float32x4 dx = x - cx;
            const v_float32x4 r = v_sqrt(dx * dx + dy * dy);
            int index[4];
            v_store(index, wave.Index(r / far));
            float w[4];
            for (int k = 0; k < 4; ++k)
                w[k] = waves[index[k]];
            const v_float32x4 scale = one + v_load(w) / r;
            const v_float32x4 moved = r != zero;
            v_store(mx + column, v_select(moved, cx + dx * scale, x));
            v_store(my + column, v_select(moved, cy + dy * scale, rowY));
        }
    });
}

void Waves(const cv::Mat &src, cv::Mat &dst, const cv::Rect &box, const WavesEffect &e)
{
    // The shift depends on the row (waves across) or the column (down) only.
    const float size = e.size / 4.0f;
    const float wavelength = e.wavelength * 10.0f;
    const bool saw = e.shape == WaveShape::Saw;
    const bool across = e.direction == WaveDirection::Horizontal;
    std::vector<float> shift(static_cast<size_t>(across ? box.br().y : box.br().x));
    for (size_t i = 0; i < shift.size(); ++i) {
        const float phase = static_cast<float>(i) / wavelength;
        shift[i] = size * (saw ? 2.0f * (phase - std::floor(phase + 0.5f)) : std::sin(2 * kPi * phase));
    }
    static const int kBorders[3] = {cv::BORDER_CONSTANT, cv::BORDER_REPLICATE, cv::BORDER_WRAP};
    const int border = kBorders[static_cast<int>(e.edge)];
    if (across) {
        RemapBox(src, dst, box, border,
                 [&](float x, float y) { return cv::Point2f(x + shift[static_cast<size_t>(y)], y); });
    } else {
        RemapBox(src, dst, box, border,
                 [&](float x, float y) { return cv::Point2f(x, y + shift[static_cast<size_t>(x)]); });
    }
}

void GlassTile(const cv::Mat &src, cv::Mat &dst, const cv::Rect &box, const GlassTileEffect &e)
{
    // Each tile shows twice its own extent around its centre, shrunk, as a
    // block of ribbed glass does. Across and down are independent.
    auto positions = [](int start, int end, int tile) {
        std::vector<float> source(static_cast<size_t>(end));
        for (int i = start; i < end; ++i) {
            const float centre = start + ((i - start) / tile + 0.5f) * tile - 0.5f;
            source[static_cast<size_t>(i)] = 2.0f * i - centre;
        }
        return source;
    };
    const std::vector<float> xs = positions(box.x, box.br().x, e.width);
    const std::vector<float> ys = positions(box.y, box.br().y, e.height);
    RemapBox(src, dst, box, cv::BORDER_REFLECT_101, [&](float x, float y) {
        return cv::Point2f(xs[static_cast<size_t>(x)], ys[static_cast<size_t>(y)]);
    });
}

}  // namespace kq::panel::kernels
