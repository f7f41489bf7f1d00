#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QRectF>
#include <QRegularExpression>
#include <QTransform>

#include <algorithm>
#include <optional>

// Just enough of a PDF as Qt writes it to see where pictures land: the page
// size and, for every picture drawn, its rectangle in millimetres from the
// paper's top-left corner.
namespace kq::testing {

struct PdfPage {
    QSizeF paperMm;
    QList<QRectF> picturesMm;
};

namespace pdf_detail {

inline QByteArray Inflate(const QByteArray &deflated)
{
    // qUncompress wants the expected length in front of the zlib stream.
    QByteArray framed;
    const quint32 expected = 16u * 1024 * 1024;
    framed.append(char(expected >> 24)).append(char(expected >> 16)).append(char(expected >> 8)).append(char(expected));
    framed.append(deflated);
    return qUncompress(framed);
}

// The content streams' operators q, Q, cm and Do; the rest is skipped.
inline QList<QRectF> PicturesInPoints(const QByteArray &content)
{
    QList<QRectF> pictures;
    QList<QTransform> saved;
    QTransform current;
    QList<double> operands;
    for (const QByteArray &token : content.simplified().split(' ')) {
        bool isNumber = false;
        const double value = token.toDouble(&isNumber);
        if (isNumber) {
            operands.append(value);
            continue;
        }
        if (token == "q") {
            saved.append(current);
        } else if (token == "Q" && !saved.isEmpty()) {
            current = saved.takeLast();
        } else if (token == "cm" && operands.size() >= 6) {
            const qsizetype n = operands.size();
            const QTransform matrix(operands[n - 6], operands[n - 5], operands[n - 4], operands[n - 3], operands[n - 2],
                                    operands[n - 1]);
            current = matrix * current;
        } else if (token == "Do") {
            pictures.append(current.mapRect(QRectF(0, 0, 1, 1)));
        }
        if (!token.startsWith('/'))
            operands.clear();
    }
    return pictures;
}

}  // namespace pdf_detail

inline std::optional<PdfPage> ReadSinglePagePdf(const QByteArray &pdf)
{
    static const QRegularExpression mediaBox(QStringLiteral("/MediaBox \\[0 0 ([0-9.]+) ([0-9.]+)\\]"));
    const QRegularExpressionMatch box = mediaBox.match(QString::fromLatin1(pdf));
    if (!box.hasMatch())
        return std::nullopt;
    constexpr double kMmPerPoint = 25.4 / 72.0;
    const double heightPt = box.captured(2).toDouble();
    PdfPage page{{box.captured(1).toDouble() * kMmPerPoint, heightPt * kMmPerPoint}, {}};

    // Every deflated stream that is not a picture is page content.
    qsizetype at = 0;
    while ((at = pdf.indexOf("/FlateDecode", at)) >= 0) {
        const qsizetype dictionary = pdf.lastIndexOf("<<", at);
        const qsizetype start = pdf.indexOf("stream\n", at);
        const qsizetype end = pdf.indexOf("endstream", start);
        at = end;
        if (dictionary < 0 || start < 0 || end < 0)
            return std::nullopt;
        if (pdf.mid(dictionary, start - dictionary).contains("/Subtype /Image"))
            continue;
        const QByteArray content = pdf_detail::Inflate(pdf.mid(start + 7, end - start - 7));
        for (const QRectF &points : pdf_detail::PicturesInPoints(content)) {
            page.picturesMm.append(QRectF(points.left() * kMmPerPoint, (heightPt - points.bottom()) * kMmPerPoint,
                                          points.width() * kMmPerPoint, points.height() * kMmPerPoint));
        }
    }
    return page;
}

// The pixels of the PDF's first picture as Qt writes it: JPEG bytes, or
// deflated 8-bit RGB. Null when there is none or it is of another kind.
inline QImage FirstPdfPicture(const QByteArray &pdf)
{
    const qsizetype image = pdf.indexOf("/Subtype /Image");
    const qsizetype start = pdf.indexOf("stream\n", image);
    const qsizetype end = pdf.indexOf("endstream", start);
    if (image < 0 || start < 0 || end < 0)
        return {};
    const QString dictionary = QString::fromLatin1(pdf.mid(image, start - image));
    const QByteArray data = pdf.mid(start + 7, end - start - 7);
    if (dictionary.contains(QStringLiteral("/DCTDecode")))
        return QImage::fromData(data, "JPEG");
    static const QRegularExpression width(QStringLiteral("/Width (\\d+)"));
    static const QRegularExpression height(QStringLiteral("/Height (\\d+)"));
    const int w = width.match(dictionary).captured(1).toInt();
    const int h = height.match(dictionary).captured(1).toInt();
    const QByteArray rgb = pdf_detail::Inflate(data);
    if (!dictionary.contains(QStringLiteral("/FlateDecode")) || w <= 0 || h <= 0 || rgb.size() < qsizetype(w) * h * 3)
        return {};
    QImage picture(w, h, QImage::Format_RGB888);
    for (int y = 0; y < h; ++y)
        std::copy_n(rgb.constData() + qsizetype(y) * w * 3, w * 3, reinterpret_cast<char *>(picture.scanLine(y)));
    return picture;
}

}  // namespace kq::testing
