#include "panel/effects/effect_kernels.h"

#include <opencv2/imgproc.hpp>

#include <algorithm>

namespace kq::panel::kernels {

namespace {

constexpr float kBlue = 0.114f, kGreen = 0.587f, kRed = 0.299f;
// The box filters run on 16 bits: colours in 64ths, squares in quarters.
constexpr float kValueScale = 64.0f, kSquareScale = 0.25f;

}  // namespace

// A brush of radius r: each pixel takes the mean colour of the calmest of the
// four (r + 1) x (r + 1) squares that have it as a corner, so flat patches form
// and edges stay. Box filters give every square's means at once, so the cost
// does not grow with the brush. By luminance the calmest square is chosen by
// its luminance; per channel each channel chooses its own.
bool OilPaint(const cv::Mat &src, cv::Mat &dst, const OilPaintEffect &e, EffectControl &control)
{
    const int r = e.size;
    const bool byLuminance = e.mode == OilPaintMode::ByLuminance;
    // The picture widened by r on every side (edge pixels repeated), with the
    // squares of the channels (or of the luminance, in the alpha channel)
    // beside it.
    const cv::Size widened(src.cols + 2 * r, src.rows + 2 * r);
    cv::Mat values(widened, CV_16UC4), squares;
    if (!byLuminance)
        squares.create(widened, CV_16UC4);
    cv::parallel_for_(cv::Range(0, widened.height), [&](const cv::Range &range) {
        for (int y = range.start; y < range.end; ++y) {
            const uchar *p = src.ptr<uchar>(std::clamp(y - r, 0, src.rows - 1));
            auto *v = values.ptr<cv::Vec4w>(y);
            auto *s = byLuminance ? nullptr : squares.ptr<cv::Vec4w>(y);
            for (int x = 0; x < widened.width; ++x) {
                const uchar *q = p + 4 * std::clamp(x - r, 0, src.cols - 1);
                const int b = q[0], g = q[1], red = q[2];
                if (byLuminance) {
                    const float luminance = kBlue * b + kGreen * g + kRed * red;
                    v[x] = cv::Vec4w(static_cast<ushort>(b * kValueScale), static_cast<ushort>(g * kValueScale),
                                     static_cast<ushort>(red * kValueScale),
                                     cv::saturate_cast<ushort>(luminance * luminance * kSquareScale));
                } else {
                    v[x] = cv::Vec4w(static_cast<ushort>(b * kValueScale), static_cast<ushort>(g * kValueScale),
                                     static_cast<ushort>(red * kValueScale), 0);
                    s[x] = cv::Vec4w(static_cast<ushort>(b * b * kSquareScale), static_cast<ushort>(g * g * kSquareScale),
                                     static_cast<ushort>(red * red * kSquareScale), 0);
                }
            }
        }
    });
    if (!Continue(control, 20))
        return false;
    const cv::Size square(r + 1, r + 1);
    auto mean = [square](const cv::Mat &in, cv::Mat &out) {
        cv::boxFilter(in, out, -1, square, cv::Point(0, 0), true, cv::BORDER_REPLICATE);
    };
    cv::Mat means(widened, CV_16UC4), meanSquares;
    InStripes(values, means, mean);
    values.release();
    if (!byLuminance) {
        meanSquares.create(widened, CV_16UC4);
        InStripes(squares, meanSquares, mean);
        squares.release();
    }
    if (!Continue(control, 60))
        return false;

    cv::parallel_for_(cv::Range(0, src.rows), [&](const cv::Range &range) {
        for (int y = range.start; y < range.end; ++y) {
            // Square starts in padded coordinates: (x, y) is the pixel's
            // left-top square, (x + r, y + r) its right-bottom one.
            const cv::Vec4w *meanRows[2] = {means.ptr<cv::Vec4w>(y), means.ptr<cv::Vec4w>(y + r)};
            const cv::Vec4w *squareRows[2] = {nullptr, nullptr};
            if (!byLuminance) {
                squareRows[0] = meanSquares.ptr<cv::Vec4w>(y);
                squareRows[1] = meanSquares.ptr<cv::Vec4w>(y + r);
            }
            uchar *out = dst.ptr<uchar>(y);
            for (int x = 0; x < src.cols; ++x) {
                const int columns[2] = {x, x + r};
                if (byLuminance) {
                    float calmest = 0;
                    const cv::Vec4w *chosen = nullptr;
                    for (const cv::Vec4w *row : meanRows) {
                        for (int column : columns) {
                            const cv::Vec4w &m = row[column];
                            const float luminance = (kBlue * m[0] + kGreen * m[1] + kRed * m[2]) / kValueScale;
                            const float variance = m[3] / kSquareScale - luminance * luminance;
                            if (!chosen || variance < calmest) {
                                calmest = variance;
                                chosen = &m;
                            }
                        }
                    }
                    for (int c = 0; c < 3; ++c)
                        out[4 * x + c] = cv::saturate_cast<uchar>((*chosen)[c] / kValueScale);
                } else {
                    for (int c = 0; c < 3; ++c) {
                        float calmest = 0, colour = 0;
                        bool first = true;
                        for (int q = 0; q < 2; ++q) {
                            for (int column : columns) {
                                const float mean = meanRows[q][column][c] / kValueScale;
                                const float variance = squareRows[q][column][c] / kSquareScale - mean * mean;
                                if (first || variance < calmest) {
                                    first = false;
                                    calmest = variance;
                                    colour = mean;
                                }
                            }
                        }
                        out[4 * x + c] = cv::saturate_cast<uchar>(colour);
                    }
                }
                out[4 * x + 3] = 255;
            }
        }
    });
    return true;
}

}  // namespace kq::panel::kernels
