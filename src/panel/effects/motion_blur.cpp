#include "panel/effects/effect_kernels.h"

#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <cmath>
#include <vector>

namespace kq::panel::kernels {

namespace {

// Turns the picture so the streaks run across, blurs along the rows with a
// running box (cost independent of the length), and turns it back. A long
// streak makes the picture smooth along it, so it is sampled more sparsely
// there.
bool LinearBlur(const cv::Mat &src, cv::Mat &dst, int length, int angle, EffectControl &control)
{
    const int turn = angle % 180;
    if (turn == 0 || turn == 90) {
        const cv::Size kernel = turn == 0 ? cv::Size(length, 1) : cv::Size(1, length);
        InStripes(src, dst, [kernel](const cv::Mat &in, cv::Mat &out) {
            cv::blur(in, out, kernel, cv::Point(-1, -1), cv::BORDER_REPLICATE);
        });
        return true;
    }
    const int step = std::clamp(length / 32, 1, 8);
    const int kernel = std::max(2, cvRound(static_cast<double>(length) / step));
    const double radians = turn * CV_PI / 180.0;
    const double c = std::abs(std::cos(radians)), s = std::abs(std::sin(radians));
    const cv::Size turned(cvCeil((src.cols * c + src.rows * s) / step), cvCeil(src.cols * s + src.rows * c));
    cv::Mat m = cv::getRotationMatrix2D(cv::Point2f((src.cols - 1) / 2.0f, (src.rows - 1) / 2.0f), -turn, 1.0);
    m.at<double>(0, 2) += (turned.width * step - src.cols) / 2.0;
    m.at<double>(1, 2) += (turned.height - src.rows) / 2.0;
    m.row(0) /= step;
    cv::Mat rotated, blurred;
    cv::warpAffine(src, rotated, m, turned, cv::INTER_LINEAR, cv::BORDER_REPLICATE);
    if (!Continue(control, 35))
        return false;
    blurred.create(rotated.size(), rotated.type());
    InStripes(rotated, blurred, [kernel](const cv::Mat &in, cv::Mat &out) {
        cv::blur(in, out, cv::Size(kernel, 1), cv::Point(-1, -1), cv::BORDER_REPLICATE);
    });
    if (!Continue(control, 65))
        return false;
    cv::warpAffine(blurred, dst, m, src.size(), cv::INTER_LINEAR | cv::WARP_INVERSE_MAP, cv::BORDER_REPLICATE);
    return true;
}

// Radial and zoom blurs are straight blurs in polar coordinates around the
// box's centre: along the angle for a spin, along the logarithm of the
// radius for a zoom (so the streaks grow with the distance from the centre).
bool PolarBlur(const cv::Mat &src, cv::Mat &dst, const cv::Rect &box, const MotionBlurEffect &e,
               EffectControl &control)
{
    const bool zoom = e.kind == MotionKind::Zoom;
    const cv::Point2f centre(box.x + (box.width - 1) / 2.0f, box.y + (box.height - 1) / 2.0f);
    float reach = 0;
    for (cv::Point2f corner : {cv::Point2f(0, 0), cv::Point2f(src.cols, 0), cv::Point2f(0, src.rows),
                               cv::Point2f(src.cols, src.rows)})
        reach = std::max(reach, std::hypot(corner.x - centre.x, corner.y - centre.y));
    reach += 2;
    // The polar picture has the blurred direction across, so the box runs
    // along its rows: the angle for a spin, log(1 + radius) for a zoom. The
    // other direction gets one step per pixel (per two at the outer rim for
    // the angle); the blurred one only as many as make a smooth streak, as a
    // mean of that many samples differs from the true one by very little.
    constexpr int kStepsPerStreak = 32;
    const double streak = zoom ? std::log1p(e.length / 255.0) : e.length * 0.25 * CV_PI / 180.0;
    const int fullAngles = std::max(8, cvCeil(CV_PI * reach)), fullRadii = cvCeil(reach) + 1;
    const int angles = zoom ? fullAngles : std::clamp(cvCeil(2 * CV_PI * kStepsPerStreak / streak), 8, fullAngles);
    const int radii = zoom ? std::clamp(cvCeil(std::log1p(reach) * kStepsPerStreak / streak) + 1, 2, fullRadii)
                           : fullRadii;
    const float perRadius = zoom ? std::log1p(reach) / (radii - 1) : reach / (radii - 1);
    const int length = zoom ? cvRound(streak / perRadius) : cvRound(streak / (2 * CV_PI) * angles);
    if (length < 2) {
        src.copyTo(dst);
        return true;
    }
    const int kernel = length | 1;
    const cv::Size polarSize = zoom ? cv::Size(radii, angles) : cv::Size(angles, radii);

    std::vector<float> radius(static_cast<size_t>(radii)), cosine(static_cast<size_t>(angles)),
        sine(static_cast<size_t>(angles));
    for (int j = 0; j < radii; ++j)
        radius[static_cast<size_t>(j)] = zoom ? std::expm1(j * perRadius) : j * perRadius;
    for (int i = 0; i < angles; ++i) {
        cosine[static_cast<size_t>(i)] = static_cast<float>(std::cos(2 * CV_PI * i / angles));
        sine[static_cast<size_t>(i)] = static_cast<float>(std::sin(2 * CV_PI * i / angles));
    }
    // Into polar coordinates and blurred there, a band of polar rows at a
    // time. The angle wraps round: a spin pads with the other end before
    // blurring.
    cv::Mat blurred(polarSize, src.type());
    const int pad = zoom ? 0 : kernel / 2;
    InMapBands(polarSize.height, polarSize.width, [&](const cv::Range &rows, cv::Mat &mapX, cv::Mat &mapY) {
        for (int row = 0; row < rows.size(); ++row) {
            float *mx = mapX.ptr<float>(row);
            float *my = mapY.ptr<float>(row);
            const size_t polarRow = static_cast<size_t>(rows.start + row);
            for (int column = 0; column < polarSize.width; ++column) {
                const size_t angle = zoom ? polarRow : static_cast<size_t>(column);
                const float r = radius[zoom ? static_cast<size_t>(column) : polarRow];
                mx[column] = centre.x + r * cosine[angle];
                my[column] = centre.y + r * sine[angle];
            }
        }
        cv::Mat polar, wrapped;
        cv::remap(src, polar, mapX, mapY, cv::INTER_LINEAR, cv::BORDER_REPLICATE);
        cv::copyMakeBorder(polar, wrapped, 0, 0, pad, pad, cv::BORDER_WRAP);
        cv::Mat out = blurred.rowRange(rows);
        cv::blur(wrapped.colRange(pad, pad + polarSize.width), out, cv::Size(kernel, 1), cv::Point(-1, -1),
                 cv::BORDER_REPLICATE);
    });
    if (!Continue(control, 55))
        return false;

    // Back: every pixel's angle and radius as polar coordinates.
    cv::Mat dx(1, src.cols, CV_32F);
    for (int x = 0; x < src.cols; ++x)
        dx.at<float>(0, x) = x - centre.x;
    InMapBands(src.rows, src.cols, [&](const cv::Range &rows, cv::Mat &radiusMap, cv::Mat &angleMap) {
        cv::Mat dy(1, src.cols, CV_32F);
        for (int row = 0; row < rows.size(); ++row) {
            dy.setTo(rows.start + row - centre.y);
            cv::Mat magnitude = radiusMap.row(row), angle = angleMap.row(row);
            cv::cartToPolar(dx, dy, magnitude, angle);
            if (zoom) {
                magnitude += 1.0;
                cv::log(magnitude, magnitude);
            }
            magnitude *= 1.0 / perRadius;
            angle *= angles / (2 * CV_PI);
        }
        cv::Mat target = dst.rowRange(rows);
        if (zoom)
            cv::remap(blurred, target, radiusMap, angleMap, cv::INTER_LINEAR, cv::BORDER_WRAP);
        else
            cv::remap(blurred, target, angleMap, radiusMap, cv::INTER_LINEAR, cv::BORDER_WRAP);
    });
    return true;
}

}  // namespace

bool MotionBlur(const cv::Mat &src, cv::Mat &dst, const cv::Rect &box, const MotionBlurEffect &e,
                EffectControl &control)
{
    if (e.length < 2) {
        src.copyTo(dst);
        return true;
    }
    if (e.kind == MotionKind::Linear)
        return LinearBlur(src, dst, e.length, e.angle, control);
    return PolarBlur(src, dst, box, e, control);
}

}  // namespace kq::panel::kernels
