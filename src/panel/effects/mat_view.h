#pragma once

#include <QImage>

#include <opencv2/core.hpp>

// An RGB32 QImage's pixels seen as a CV_8UC4 matrix (B, G, R, 255), without
// copying. The image must outlive the view.
namespace kq::panel {

inline cv::Mat MatView(QImage &image)
{
    return cv::Mat(image.height(), image.width(), CV_8UC4, image.bits(), static_cast<size_t>(image.bytesPerLine()));
}

inline cv::Mat ConstMatView(const QImage &image)
{
    // OpenCV has no read-only matrix; callers only read through it.
    return cv::Mat(image.height(), image.width(), CV_8UC4, const_cast<uchar *>(image.constBits()),
                   static_cast<size_t>(image.bytesPerLine()));
}

}  // namespace kq::panel
