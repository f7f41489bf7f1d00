#pragma once

#include <QColor>
#include <QImage>

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace kq::panel::testing {

// A small picture with what effects act on: smooth gradients, hard edges
// (a dark disc and a bright bar) and a little deterministic noise.
inline QImage PhotoFixture(int width = 64, int height = 48)
{
    QImage image(width, height, QImage::Format_RGB32);
    std::uint32_t seed = 12345;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            seed = seed * 1664525u + 1013904223u;
            const int noise = static_cast<int>((seed >> 24) % 41) - 20;
            int r = 40 + 160 * x / width, g = 60 + 140 * y / height, b = 200 - 120 * x / width;
            const double dx = x - width * 0.35, dy = y - height * 0.5;
            if (dx * dx + dy * dy < (height * 0.3) * (height * 0.3)) {
                r = 30;
                g = 40;
                b = 90;
            }
            if (x > width * 0.7 && x < width * 0.8)
                r = g = b = 235;
            image.setPixel(x, y, qRgb(std::clamp(r + noise, 0, 255), std::clamp(g + noise, 0, 255),
                                      std::clamp(b + noise, 0, 255)));
        }
    }
    return image;
}

// The variance of the pixels' luminance.
inline double LuminanceVariance(const QImage &image)
{
    double sum = 0, squares = 0;
    const double count = double(image.width()) * image.height();
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const double v = qGray(image.pixel(x, y));
            sum += v;
            squares += v * v;
        }
    }
    const double mean = sum / count;
    return squares / count - mean * mean;
}

}  // namespace kq::panel::testing
