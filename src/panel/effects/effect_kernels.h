#pragma once

#include "panel/effects/effect_control.h"
#include "panel/effects/effect_settings.h"

#include <opencv2/core.hpp>

#include <algorithm>

// The effects' pixel work. src and dst are CV_8UC4 of one size; dst comes
// allocated and is mostly written in place (the caller copies back when an
// OpenCV call replaced it). The ones taking a control return false when it
// asked to stop.
namespace kq::panel::kernels {

// Reports percent and tells whether to go on.
bool Continue(EffectControl &control, int percent);

// Runs filter(srcRows, dstRows) on horizontal stripes on all cores; dst has
// src's size and type already. OpenCV's filters read the rows just outside a
// stripe from the whole picture, so the result is that of one call.
template <typename Filter>
void InStripes(const cv::Mat &src, cv::Mat &dst, Filter filter)
{
    const int stripes = std::max(1, std::min(src.rows, 2 * cv::getNumThreads()));
    cv::parallel_for_(cv::Range(0, stripes), [&](const cv::Range &range) {
        for (int s = range.start; s < range.end; ++s) {
            const cv::Range rows(src.rows * s / stripes, src.rows * (s + 1) / stripes);
            cv::Mat out = dst.rowRange(rows);
            filter(src.rowRange(rows), out);
        }
    });
}

// Runs work(rows, mapX, mapY) on bands of a few rows of a remap's target,
// rows columns wide, on all cores. The CV_32F maps have the band's rows for
// work to fill and remap with: small enough to stay in the cache, and no large
// buffer is written only to be read once (fresh pages are dear). Their rows
// have room up to a multiple of four columns, so vector code may fill whole
// groups.
template <typename Work>
void InMapBands(int rows, int columns, Work work)
{
    constexpr int kBandRows = 8;
    const int bands = (rows + kBandRows - 1) / kBandRows;
    const int room = (columns + 3) / 4 * 4;
    cv::parallel_for_(cv::Range(0, bands), [&](const cv::Range &range) {
        cv::Mat mapX(kBandRows, room, CV_32F), mapY(kBandRows, room, CV_32F);
        for (int band = range.start; band < range.end; ++band) {
            const cv::Range bandRows(band * kBandRows, std::min(rows, (band + 1) * kBandRows));
            const cv::Rect used(0, 0, columns, bandRows.size());
            cv::Mat x = mapX(used), y = mapY(used);
            work(bandRows, x, y);
        }
    });
}

// The colour the uncovered pixels of a distortion take.
inline const cv::Scalar kBackground(255, 255, 255, 255);

void Sharpen(const cv::Mat &src, cv::Mat &dst, int strength);
void Outline(const cv::Mat &src, cv::Mat &dst, int strength);
void Blur(const cv::Mat &src, cv::Mat &dst, int strength);
void Mosaic(const cv::Mat &src, cv::Mat &dst, int width, int height);
// amount -100 is grey, 0 unchanged.
void Saturate(const cv::Mat &src, cv::Mat &dst, int amount);
void Emboss(const cv::Mat &src, cv::Mat &dst, const EmbossEffect &e);
void Canvas(const cv::Mat &src, cv::Mat &dst, const CanvasEffect &e);
void AntiAlias(const cv::Mat &src, cv::Mat &dst);
void Level(const cv::Mat &src, cv::Mat &dst, int brightness);
void ToneCurve(const cv::Mat &src, cv::Mat &dst, const ToneCurveEffect &e);
void OilPaint(const cv::Mat &src, cv::Mat &dst, const OilPaintEffect &e);

// Distortions inside box (the area's box): dst outside box is src.
void Lens(const cv::Mat &src, cv::Mat &dst, const cv::Rect &box, const LensEffect &e);
void WhirlPinch(const cv::Mat &src, cv::Mat &dst, const cv::Rect &box, const WhirlPinchEffect &e);
void Ripple(const cv::Mat &src, cv::Mat &dst, const cv::Rect &box, const RippleEffect &e);
void Waves(const cv::Mat &src, cv::Mat &dst, const cv::Rect &box, const WavesEffect &e);
void GlassTile(const cv::Mat &src, cv::Mat &dst, const cv::Rect &box, const GlassTileEffect &e);

// Radial and zoom blurs turn around the box's centre.
bool MotionBlur(const cv::Mat &src, cv::Mat &dst, const cv::Rect &box, const MotionBlurEffect &e,
                EffectControl &control);

}  // namespace kq::panel::kernels
