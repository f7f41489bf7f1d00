#include "panel/effects/effect_kernels.h"

#include <opencv2/core/hal/intrin.hpp>

#include <algorithm>
#include <optional>
#include <vector>

namespace kq::panel::kernels {

namespace {

constexpr float kBlue = 0.114f, kGreen = 0.587f, kRed = 0.299f;
// A square's means are kept as they have always been rounded: colours in
// 64ths and squares in quarters, each sum divided in single precision.
constexpr int kValueScale = 64;
constexpr float kSquareScale = 0.25f;

// The picture as the squares see it: rows and columns beyond the edges
// repeat the edge. Per channel the squares of the channels are summed
// beside the channels; by luminance the squared luminance, from a plane of
// its own, takes the fourth channel.
struct Terms {
    const cv::Mat &src;
    const cv::Mat &luminanceSquares;  // CV_16U, empty per channel
    int r;

    bool ByLuminance() const { return !luminanceSquares.empty(); }
    const uchar *Row(int y) const { return src.ptr<uchar>(std::clamp(y, 0, src.rows - 1)); }
    const ushort *LuminanceRow(int y) const { return luminanceSquares.ptr<ushort>(std::clamp(y, 0, src.rows - 1)); }
};

// The squares whose top row is one row of the padded picture, a row at a
// time down: the sums of each column over the square's r + 1 rows, and from
// them every square's mean colour (four ints, rounded as the output is) and
// variance (per channel, or one by luminance).
class SquareRow {
public:
    SquareRow(const Terms &terms, int top) : m_terms(terms), m_top(top)
    {
        const size_t cols = static_cast<size_t>(terms.src.cols);
        const size_t squares = cols + static_cast<size_t>(terms.r);
        m_values.assign(4 * cols, 0);
        m_squares.assign(terms.ByLuminance() ? 0 : 4 * cols, 0);
        m_colours.resize(4 * squares);
        m_variances.resize(terms.ByLuminance() ? squares : 4 * squares);
        // Padded row top holds source row top - r.
        for (int y = top - terms.r; y <= top; ++y)
            Slide(y, std::nullopt);
        Means();
    }

    // On to the next row of squares.
    void Down()
    {
        Slide(m_top + 1, m_top - m_terms.r);
        ++m_top;
        Means();
    }

    const int *Colour(int square) const { return &m_colours[4 * static_cast<size_t>(square)]; }
    const float *Variances() const { return m_variances.data(); }

private:
    // Adds source row in and takes out source row out.
    void Slide(int in, std::optional<int> out)
    {
        const int cols = m_terms.src.cols;
        const uchar *p = m_terms.Row(in);
        const uchar *q = out ? m_terms.Row(*out) : nullptr;
        int *values = m_values.data();
        if (m_terms.ByLuminance()) {
            const ushort *l = m_terms.LuminanceRow(in);
            const ushort *k = out ? m_terms.LuminanceRow(*out) : nullptr;
            for (int x = 0; x < cols; ++x) {
                for (int c = 0; c < 3; ++c)
                    values[4 * x + c] += p[4 * x + c] - (q ? q[4 * x + c] : 0);
                values[4 * x + 3] += l[x] - (k ? k[x] : 0);
            }
            return;
        }
        int *squares = m_squares.data();
        for (int i = 0; i < 4 * cols; ++i) {
            const int a = p[i], b = q ? q[i] : 0;
            values[i] += a - b;
            squares[i] += ((a * a) >> 2) - ((b * b) >> 2);
        }
    }

    // The square starting at padded column x covers the columns' sums of
    // source columns x - r .. x, cut to the picture.
    void Means()
    {
        using namespace cv;
        const int cols = m_terms.src.cols, r = m_terms.r;
        const float scale = static_cast<float>(1.0 / ((r + 1) * (r + 1)));
        const v_float32x4 vScale = v_setall_f32(scale);
        const v_float32x4 vValueScale = v_setall_f32(1.0f / kValueScale);
        const v_float32x4 vSquareScale = v_setall_f32(1.0f / kSquareScale);
        const bool byLuminance = m_terms.ByLuminance();
        // Colour sums in 64ths; the fourth lane by luminance holds squares
        // (and the colour taken from it is never used).
        const v_int32x4 valueFactor(kValueScale, kValueScale, kValueScale, byLuminance ? 1 : kValueScale);
        const int *values = m_values.data();
        const int *squares = m_squares.data();
        v_int32x4 value = v_load(values) * v_setall_s32(r + 1), square = v_setzero_s32();
        if (!byLuminance)
            square = v_load(squares) * v_setall_s32(r + 1);
        for (int x = 0; x < cols + r; ++x) {
            const v_int32x4 means = v_round(v_cvt_f32(value * valueFactor) * vScale);
            const v_float32x4 mean = v_cvt_f32(means) * vValueScale;
            v_store(&m_colours[4 * static_cast<size_t>(x)], v_round(mean));
            if (byLuminance) {
                int m[4];
                v_store(m, means);
                const float luminance = (kBlue * m[0] + kGreen * m[1] + kRed * m[2]) / kValueScale;
                m_variances[static_cast<size_t>(x)] = m[3] / kSquareScale - luminance * luminance;
            } else {
                const v_float32x4 meanSquare = v_cvt_f32(v_round(v_cvt_f32(square) * vScale)) * vSquareScale;
                v_store(&m_variances[4 * static_cast<size_t>(x)], meanSquare - mean * mean);
            }
            const int in = std::min(x + 1, cols - 1), out = std::max(x - r, 0);
            value += v_load(values + 4 * in) - v_load(values + 4 * out);
            if (!byLuminance)
                square += v_load(squares + 4 * in) - v_load(squares + 4 * out);
        }
    }

    const Terms &m_terms;
    int m_top;
    std::vector<int> m_values, m_squares, m_colours;
    std::vector<float> m_variances;
};

// The calmest of the four squares that have (x, y) as a corner, in the order
// left-top, right-top, left-bottom, right-bottom; the first wins a tie.
void PaintRow(const SquareRow &top, const SquareRow &bottom, int r, bool byLuminance, int cols, uchar *out)
{
    using namespace cv;
    for (int x = 0; x < cols; ++x) {
        const SquareRow *rows[4] = {&top, &top, &bottom, &bottom};
        const int squares[4] = {x, x + r, x, x + r};
        v_int32x4 colour;
        if (byLuminance) {
            int chosen = 0;
            float calmest = rows[0]->Variances()[squares[0]];
            for (int i = 1; i < 4; ++i) {
                const float variance = rows[i]->Variances()[squares[i]];
                if (variance < calmest) {
                    calmest = variance;
                    chosen = i;
                }
            }
            colour = v_load(rows[chosen]->Colour(squares[chosen]));
        } else {
            colour = v_load(rows[0]->Colour(squares[0]));
            v_float32x4 calmest = v_load(rows[0]->Variances() + 4 * squares[0]);
            for (int i = 1; i < 4; ++i) {
                const v_float32x4 variance = v_load(rows[i]->Variances() + 4 * squares[i]);
                const v_float32x4 calmer = variance < calmest;
                calmest = v_select(calmer, variance, calmest);
                colour = v_select(v_reinterpret_as_s32(calmer), v_load(rows[i]->Colour(squares[i])), colour);
            }
        }
        int c[4];
        v_store(c, colour);
        for (int k = 0; k < 3; ++k)
            out[4 * x + k] = saturate_cast<uchar>(c[k]);
        out[4 * x + 3] = 255;
    }
}

}  // namespace

// A brush of radius r: each pixel takes the mean colour of the calmest of the
// four (r + 1) x (r + 1) squares that have it as a corner, so flat patches form
// and edges stay. Sums slid down the picture and along each row give every
// square's means at a cost that does not grow with the brush. By luminance
// the calmest square is chosen by its luminance; per channel each channel
// chooses its own.
void OilPaint(const cv::Mat &src, cv::Mat &dst, const OilPaintEffect &e)
{
    const int r = kOilPaintSizeRange.Clamp(e.size);
    cv::Mat luminanceSquares;
    if (e.mode == OilPaintMode::ByLuminance) {
        luminanceSquares.create(src.size(), CV_16U);
        cv::parallel_for_(cv::Range(0, src.rows), [&](const cv::Range &range) {
            for (int y = range.start; y < range.end; ++y) {
                const uchar *p = src.ptr<uchar>(y);
                ushort *l = luminanceSquares.ptr<ushort>(y);
                for (int x = 0; x < src.cols; ++x) {
                    const float luminance = kBlue * p[4 * x] + kGreen * p[4 * x + 1] + kRed * p[4 * x + 2];
                    l[x] = cv::saturate_cast<ushort>(luminance * luminance * kSquareScale);
                }
            }
        });
    }
    const Terms terms{src, luminanceSquares, r};
    // Each band of rows starts its sums afresh, r + 1 rows each: bands of at
    // least twice that, enough of them to keep every core busy.
    const int threads = std::max(1, cv::getNumThreads());
    const int bands =
        std::clamp(src.rows / (2 * (r + 1)), std::min(src.rows, threads), std::min(src.rows, 2 * threads));
    cv::parallel_for_(cv::Range(0, bands), [&](const cv::Range &range) {
        for (int band = range.start; band < range.end; ++band) {
            const int first = src.rows * band / bands, end = src.rows * (band + 1) / bands;
            // A pixel's top squares start on its own padded row, its bottom
            // ones r rows further down.
            SquareRow top(terms, first), bottom(terms, first + r);
            for (int y = first; y < end; ++y) {
                if (y > first) {
                    top.Down();
                    bottom.Down();
                }
                PaintRow(top, bottom, r, !luminanceSquares.empty(), src.cols, dst.ptr<uchar>(y));
            }
        }
    });
}

}  // namespace kq::panel::kernels
