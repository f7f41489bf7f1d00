#include "panel/effects/effect_kernels.h"

#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <cmath>
#include <vector>

namespace kq::panel::kernels {

bool Continue(EffectControl &control, int percent)
{
    control.ReportProgress(percent);
    return !control.StopRequested();
}

void Sharpen(const cv::Mat &src, cv::Mat &dst, int strength)
{
    // Unsharp masking: add back what a light blur takes away. The blur of a
    // band of rows goes straight into the result while it is in the cache.
    const double gain = strength / 20.0;
    constexpr int kBandRows = 16;
    const int bands = (src.rows + kBandRows - 1) / kBandRows;
    cv::parallel_for_(cv::Range(0, bands), [&](const cv::Range &range) {
        cv::Mat blurred;
        for (int band = range.start; band < range.end; ++band) {
            const cv::Range rows(band * kBandRows, std::min(src.rows, (band + 1) * kBandRows));
            cv::GaussianBlur(src.rowRange(rows), blurred, cv::Size(0, 0), 1.5);
            cv::Mat out = dst.rowRange(rows);
            cv::addWeighted(src.rowRange(rows), 1.0 + gain, blurred, -gain, 0.0, out);
        }
    });
}

namespace {

// Runs row(y) for every row, spread over the cores.
template <typename Row>
void ForEachRow(int rows, Row row)
{
    cv::parallel_for_(cv::Range(0, rows), [&](const cv::Range &range) {
        for (int y = range.start; y < range.end; ++y)
            row(y);
    });
}

}  // namespace

void Outline(const cv::Mat &src, cv::Mat &dst, int strength)
{
    // The 4-neighbour Laplacian's size, dark on white. Alpha is 255
    // everywhere, its Laplacian 0, so it comes out 255.
    const double gain = strength / 5.0;
    InStripes(src, dst, [gain](const cv::Mat &in, cv::Mat &out) {
        cv::Mat laplacian, magnitude;
        cv::Laplacian(in, laplacian, CV_16S, 1, 1.0, 0.0, cv::BORDER_REPLICATE);
        cv::convertScaleAbs(laplacian, magnitude, gain);
        cv::subtract(cv::Scalar::all(255), magnitude, out);
    });
}

void Blur(const cv::Mat &src, cv::Mat &dst, int strength)
{
    // Two box passes come close to a Gaussian at a fraction of its cost. A
    // band of rows at a time, the first pass reaching half a box beyond the
    // band, so the second finds its rows in the cache.
    const int side = (strength + 1) | 1, half = side / 2;
    const int bandRows = std::max(32, 4 * side);
    const int bands = (src.rows + bandRows - 1) / bandRows;
    cv::parallel_for_(cv::Range(0, bands), [&](const cv::Range &range) {
        cv::Mat once;
        for (int band = range.start; band < range.end; ++band) {
            const int top = band * bandRows, bottom = std::min(src.rows, top + bandRows);
            const int from = std::max(0, top - half), to = std::min(src.rows, bottom + half);
            cv::blur(src.rowRange(from, to), once, cv::Size(side, side), cv::Point(-1, -1), cv::BORDER_REPLICATE);
            cv::Mat out = dst.rowRange(top, bottom);
            cv::blur(once.rowRange(top - from, bottom - from), out, cv::Size(side, side), cv::Point(-1, -1),
                     cv::BORDER_REPLICATE);
        }
    });
}

void Mosaic(const cv::Mat &src, cv::Mat &dst, int width, int height)
{
    const int bands = (src.rows + height - 1) / height;
    const int blocks = (src.cols + width - 1) / width;
    cv::parallel_for_(cv::Range(0, bands), [&](const cv::Range &range) {
        std::vector<unsigned> sums(static_cast<size_t>(blocks) * 3);
        for (int band = range.start; band < range.end; ++band) {
            const int top = band * height, bottom = std::min(src.rows, top + height);
            std::fill(sums.begin(), sums.end(), 0u);
            for (int y = top; y < bottom; ++y) {
                const uchar *p = src.ptr<uchar>(y);
                for (int block = 0; block < blocks; ++block) {
                    unsigned b = 0, g = 0, r = 0;
                    const int right = std::min(src.cols, (block + 1) * width);
                    for (int x = block * width; x < right; ++x) {
                        b += p[4 * x];
                        g += p[4 * x + 1];
                        r += p[4 * x + 2];
                    }
                    unsigned *s = &sums[static_cast<size_t>(block) * 3];
                    s[0] += b;
                    s[1] += g;
                    s[2] += r;
                }
            }
            std::vector<cv::Vec4b> means(static_cast<size_t>(blocks));
            for (int block = 0; block < blocks; ++block) {
                const unsigned count =
                    static_cast<unsigned>((std::min(src.cols, (block + 1) * width) - block * width) * (bottom - top));
                const unsigned *s = &sums[static_cast<size_t>(block) * 3];
                means[static_cast<size_t>(block)] =
                    cv::Vec4b(static_cast<uchar>((s[0] + count / 2) / count), static_cast<uchar>((s[1] + count / 2) / count),
                              static_cast<uchar>((s[2] + count / 2) / count), 255);
            }
            for (int y = top; y < bottom; ++y) {
                auto *q = dst.ptr<cv::Vec4b>(y);
                for (int block = 0; block < blocks; ++block) {
                    const int left = block * width, right = std::min(src.cols, left + width);
                    std::fill(q + left, q + right, means[static_cast<size_t>(block)]);
                }
            }
        }
    });
}

void Saturate(const cv::Mat &src, cv::Mat &dst, int amount)
{
    // Each colour moves away from (or towards) the pixel's luminance, in
    // 256ths: keep 0 is grey, 256 unchanged.
    const int keep = cvRound(256 * (1.0 + amount / 100.0));
    if (keep == 0) {
        cv::Mat grey(src.size(), CV_8U);
        InStripes(src, grey, [](const cv::Mat &in, cv::Mat &out) { cv::cvtColor(in, out, cv::COLOR_BGRA2GRAY); });
        InStripes(grey, dst, [](const cv::Mat &in, cv::Mat &out) { cv::cvtColor(in, out, cv::COLOR_GRAY2BGRA); });
        return;
    }
    ForEachRow(src.rows, [&](int y) {
        const uchar *p = src.ptr<uchar>(y);
        uchar *q = dst.ptr<uchar>(y);
        for (int x = 0; x < src.cols; ++x) {
            const int b = p[4 * x], g = p[4 * x + 1], r = p[4 * x + 2];
            const int luminance = (29 * b + 150 * g + 77 * r + 128) >> 8;
            q[4 * x] = cv::saturate_cast<uchar>(luminance + (((b - luminance) * keep) >> 8));
            q[4 * x + 1] = cv::saturate_cast<uchar>(luminance + (((g - luminance) * keep) >> 8));
            q[4 * x + 2] = cv::saturate_cast<uchar>(luminance + (((r - luminance) * keep) >> 8));
            q[4 * x + 3] = 255;
        }
    });
}

void Emboss(const cv::Mat &src, cv::Mat &dst, const EmbossEffect &e)
{
    // The eight neighbours in turn; the relief rises towards the chosen one.
    static const cv::Point kDirections[8] = {{-1, -1}, {0, -1}, {1, -1}, {1, 0}, {1, 1}, {0, 1}, {-1, 1}, {-1, 0}};
    const cv::Point d = kDirections[kEmbossPatternRange.Clamp(e.pattern)];
    cv::Mat kernel = cv::Mat::zeros(3, 3, CV_32F);
    kernel.at<float>(1 + d.y, 1 + d.x) = static_cast<float>(e.edge);
    kernel.at<float>(1 - d.y, 1 - d.x) = static_cast<float>(-e.edge);
    cv::Mat grey, relief;
    cv::cvtColor(src, grey, cv::COLOR_BGRA2GRAY);
    cv::filter2D(grey, relief, CV_8U, kernel, cv::Point(-1, -1), e.brightness, cv::BORDER_REPLICATE);
    cv::cvtColor(relief, dst, cv::COLOR_GRAY2BGRA);
}

void Canvas(const cv::Mat &src, cv::Mat &dst, const CanvasEffect &e)
{
    // A woven tile: cells of four pixels with threads alternately across and
    // down, lit from the chosen corner. Its shading is added to the picture.
    constexpr int kCell = 4, kTile = 2 * kCell;
    float height[kTile][kTile];
    for (int y = 0; y < kTile; ++y) {
        for (int x = 0; x < kTile; ++x) {
            const bool across = ((x / kCell) + (y / kCell)) % 2 == 0;
            const int along = across ? y % kCell : x % kCell;
            height[y][x] = std::sin(static_cast<float>(CV_PI) * (along + 0.5f) / kCell);
        }
    }
    static const cv::Point2f kLights[4] = {{1, -1}, {-1, -1}, {-1, 1}, {1, 1}};
    const cv::Point2f light = kLights[static_cast<int>(e.light)];
    float shade[kTile][kTile];
    float largest = 0;
    for (int y = 0; y < kTile; ++y) {
        for (int x = 0; x < kTile; ++x) {
            const float dx = height[y][(x + 1) % kTile] - height[y][(x + kTile - 1) % kTile];
            const float dy = height[(y + 1) % kTile][x] - height[(y + kTile - 1) % kTile][x];
            shade[y][x] = -dx * light.x - dy * light.y;
            largest = std::max(largest, std::abs(shade[y][x]));
        }
    }
    int offset[kTile][kTile];
    for (int y = 0; y < kTile; ++y) {
        for (int x = 0; x < kTile; ++x)
            offset[y][x] = largest > 0 ? cvRound(shade[y][x] / largest * e.depth / 2.0f) : 0;
    }
    ForEachRow(src.rows, [&](int y) {
        const uchar *p = src.ptr<uchar>(y);
        uchar *q = dst.ptr<uchar>(y);
        const int *row = offset[y % kTile];
        for (int x = 0; x < src.cols; ++x) {
            const int o = row[x % kTile];
            q[4 * x] = cv::saturate_cast<uchar>(p[4 * x] + o);
            q[4 * x + 1] = cv::saturate_cast<uchar>(p[4 * x + 1] + o);
            q[4 * x + 2] = cv::saturate_cast<uchar>(p[4 * x + 2] + o);
            q[4 * x + 3] = 255;
        }
    });
}

void AntiAlias(const cv::Mat &src, cv::Mat &dst)
{
    // Soften only where the picture has hard edges; flat parts stay sharp.
    cv::Mat grey, gradient;
    cv::cvtColor(src, grey, cv::COLOR_BGRA2GRAY);
    cv::morphologyEx(grey, gradient, cv::MORPH_GRADIENT, cv::Mat());
    const cv::Mat edges = gradient > 48;
    cv::Mat soft(src.size(), src.type());
    InStripes(src, soft, [](const cv::Mat &in, cv::Mat &out) { cv::GaussianBlur(in, out, cv::Size(3, 3), 0.85); });
    src.copyTo(dst);
    soft.copyTo(dst, edges);
}

namespace {

void ApplyTable(const cv::Mat &src, cv::Mat &dst, const uchar (&table)[256])
{
    ForEachRow(src.rows, [&](int y) {
        const uchar *p = src.ptr<uchar>(y);
        uchar *q = dst.ptr<uchar>(y);
        for (int x = 0; x < src.cols; ++x) {
            q[4 * x] = table[p[4 * x]];
            q[4 * x + 1] = table[p[4 * x + 1]];
            q[4 * x + 2] = table[p[4 * x + 2]];
            q[4 * x + 3] = 255;
        }
    });
}

}  // namespace

void Level(const cv::Mat &src, cv::Mat &dst, int brightness)
{
    // Moving luminance while keeping both colour differences is moving every
    // colour channel by the same amount.
    uchar table[256];
    for (int i = 0; i < 256; ++i)
        table[i] = cv::saturate_cast<uchar>(i + brightness);
    ApplyTable(src, dst, table);
}

void ToneCurve(const cv::Mat &src, cv::Mat &dst, const ToneCurveEffect &e)
{
    // A natural cubic spline through the five points.
    constexpr int n = 5;
    double x[n], y[n], h[n - 1], second[n] = {};
    for (int i = 0; i < n; ++i) {
        x[i] = e.points[static_cast<size_t>(i)].x();
        y[i] = e.points[static_cast<size_t>(i)].y();
    }
    for (int i = 0; i < n - 1; ++i)
        h[i] = x[i + 1] - x[i];
    // Tridiagonal system for the inner second derivatives.
    double diagonal[n] = {}, right[n] = {};
    for (int i = 1; i < n - 1; ++i) {
        diagonal[i] = 2 * (h[i - 1] + h[i]);
        right[i] = 6 * ((y[i + 1] - y[i]) / h[i] - (y[i] - y[i - 1]) / h[i - 1]);
    }
    for (int i = 2; i < n - 1; ++i) {
        const double factor = h[i - 1] / diagonal[i - 1];
        diagonal[i] -= factor * h[i - 1];
        right[i] -= factor * right[i - 1];
    }
    for (int i = n - 2; i >= 1; --i)
        second[i] = (right[i] - h[i] * second[i + 1]) / diagonal[i];
    uchar table[256];
    for (int v = 0; v < 256; ++v) {
        int i = 0;
        while (i < n - 2 && v > x[i + 1])
            ++i;
        const double t = std::clamp(static_cast<double>(v), x[0], x[n - 1]);
        const double a = (x[i + 1] - t) / h[i], b = (t - x[i]) / h[i];
        const double value = a * y[i] + b * y[i + 1]
                             + ((a * a * a - a) * second[i] + (b * b * b - b) * second[i + 1]) * h[i] * h[i] / 6;
        table[v] = cv::saturate_cast<uchar>(value);
    }
    ApplyTable(src, dst, table);
}

}  // namespace kq::panel::kernels
