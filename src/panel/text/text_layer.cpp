#include "panel/text/text_layer.h"

#include "base/text_file.h"

#include "panel/model/colour_text.h"
#include "panel/model/panel_record.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QPainter>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <vector>

namespace kq::panel {

namespace {

const QString kTrue = QStringLiteral("True");
const QString kFalse = QStringLiteral("False");

QString BoolText(bool value)
{
    return value ? kTrue : kFalse;
}

std::optional<bool> ParseBool(const QString &text)
{
    if (text == kTrue)
        return true;
    if (text == kFalse)
        return false;
    return std::nullopt;
}

std::optional<int> ParseWhole(const QString &text)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

// Whether the face that draws font has a bold style of its own. The usual
// Japanese faces (IPAGothic, IPAMincho) have none, and drawn without
// anti-aliasing they come out regular when bold is asked for.
bool FaceHasBold(const QFont &font)
{
    const QString family = QFontInfo(font).family();
    const QStringList styles = QFontDatabase::styles(family);
    return std::any_of(styles.begin(), styles.end(), [&family](const QString &style) {
        return QFontDatabase::weight(family, style) >= QFont::DemiBold;
    });
}

// Each stroke of a synthesised bold grows by this many pixels on every
// side: together about a 24th of the em, as font engines embolden.
int SyntheticBoldRadius(const QFont &font)
{
    if (!font.bold() || FaceHasBold(font))
        return 0;
    return std::max(1, int(std::lround(font.pixelSize() / 48.0)));
}

// Every pixel within radius (a square) of a pixel of colour takes colour:
// strokes thicken with hard edges, so a colour key on the background still
// leaves no fringe.
void Embolden(QImage &image, QRgb colour, int radius)
{
    const int width = image.width();
    const int height = image.height();
    std::vector<int> across(std::size_t(width) * height, 0);  // ink within radius along the row
    for (int y = 0; y < height; ++y) {
        const auto *row = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        std::vector<int> before(width + 1, 0);
        for (int x = 0; x < width; ++x)
            before[x + 1] = before[x] + (row[x] == colour);
        for (int x = 0; x < width; ++x)
            across[std::size_t(y) * width + x] = before[std::min(width, x + radius + 1)] - before[std::max(0, x - radius)];
    }
    std::vector<int> column(height + 1, 0);
    for (int x = 0; x < width; ++x) {
        for (int y = 0; y < height; ++y)
            column[y + 1] = column[y] + (across[std::size_t(y) * width + x] > 0);
        for (int y = 0; y < height; ++y) {
            if (column[std::min(height, y + radius + 1)] - column[std::max(0, y - radius)] > 0)
                reinterpret_cast<QRgb *>(image.scanLine(y))[x] = colour;
        }
    }
}

}  // namespace

// Panels are often made on a system with the usual Japanese faces ("ＭＳ
// ゴシック", "ＭＳ 明朝"); without these followers a missing face would
// become whatever Latin face the system picks.
QStringList FaceFamilies(const QString &face)
{
    static const QStringList kGothic = {QStringLiteral("IPAGothic"), QStringLiteral("IPAゴシック"),
                                        QStringLiteral("Noto Sans CJK JP"), QStringLiteral("VL Gothic")};
    static const QStringList kProportionalGothic = {QStringLiteral("IPAPGothic"),
                                                    QStringLiteral("IPA Pゴシック")};
    static const QStringList kMincho = {QStringLiteral("IPAMincho"), QStringLiteral("IPA明朝"),
                                        QStringLiteral("Noto Serif CJK JP")};
    static const QStringList kProportionalMincho = {QStringLiteral("IPAPMincho"), QStringLiteral("IPA P明朝")};

    const QString name = face.normalized(QString::NormalizationForm_KC).toLower().remove(QLatin1Char(' '));
    const bool proportional = name.contains(QStringLiteral("pゴシック")) || name.contains(QStringLiteral("pgothic"))
                              || name.contains(QStringLiteral("p明朝")) || name.contains(QStringLiteral("pmincho"));
    QStringList families{face};
    if (name.contains(QStringLiteral("明朝")) || name.contains(QStringLiteral("mincho")))
        return families + (proportional ? kProportionalMincho : QStringList()) + kMincho + kGothic;
    return families + (proportional ? kProportionalGothic : QStringList()) + kGothic;
}

std::optional<TextDescription> ParseTextDescription(const QString &field7)
{
    const QStringList parts = field7.split(QLatin1Char('/'));
    if (parts.size() != 7)
        return std::nullopt;
    const std::optional<QColor> colour = ParseColourText(parts[2]);
    const std::optional<int> size = ParseWhole(parts[3]);
    const std::optional<bool> bold = ParseBool(parts[4]);
    const std::optional<bool> italic = ParseBool(parts[5]);
    const std::optional<QColor> background = ParseColourText(parts[6]);
    if (!colour || !size || *size < kMinTextSize || *size > kMaxTextSize || !bold || !italic || !background)
        return std::nullopt;
    return TextDescription{parts[0], parts[1], *colour, *size, *bold, *italic, *background};
}

QString DescriptionField(const TextDescription &d)
{
    return QStringList{d.text,           d.face,           ColourText(d.colour), QString::number(d.size),
                       BoolText(d.bold), BoolText(d.italic), ColourText(d.background)}
        .join(QLatin1Char('/'));
}

QString UnusableCharacterMessage(const QString &character)
{
    return QStringLiteral("「") + character + QStringLiteral("」は使えません。\r\n別の文字に変えて下さい。");
}

std::optional<QString> TextRefusal(const QString &text)
{
    if (text.isEmpty())
        return kEmptyTextMessage;
    if (text.contains(QLatin1Char(',')) || text.contains(QLatin1Char('/')))
        return kTextSeparatorMessage;
    if (std::any_of(text.begin(), text.end(), [](QChar c) { return c.category() == QChar::Other_Control; }))
        return kTextControlMessage;
    if (const EncodedLines encoded = EncodeTextLines({text}); !encoded)
        return UnusableCharacterMessage(encoded.unencodable);
    return std::nullopt;
}

QFont TextFont(const TextDescription &d, double factor)
{
    QFont font;
    font.setFamilies(FaceFamilies(d.face));
    font.setPixelSize(std::max(1, int(std::lround(d.size * 3 * factor))));
    font.setBold(d.bold);
    font.setItalic(d.italic);
    return font;
}

QSize MeasureText(const TextDescription &d)
{
    QFont font = TextFont(d, 1.0);
    const int boldRadius = SyntheticBoldRadius(font);
    if (boldRadius > 0)
        font.setBold(false);
    const QFontMetrics metrics(font);
    // An italic's last glyph leans past its advance; the ink box covers it.
    const int width = std::max(metrics.horizontalAdvance(d.text), metrics.boundingRect(d.text).right() + 1);
    return {std::max(0, width + 2 * boldRadius), metrics.height()};
}

QImage RenderTextLayer(const TextDescription &d, QSize measured, double factor)
{
    const QSize size(std::max(1, int(std::lround(measured.width() * factor))),
                     std::max(1, int(std::lround(measured.height() * factor))));
    QImage image(size, QImage::Format_RGB32);
    image.fill(d.background);

    QFont font = TextFont(d, factor);
    // A face without a bold style is drawn regular and thickened after.
    const int boldRadius = SyntheticBoldRadius(font);
    if (boldRadius > 0)
        font.setBold(false);
    font.setStyleStrategy(QFont::NoAntialias);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::TextAntialiasing, false);
        painter.setFont(font);
        painter.setPen(d.colour);
        painter.drawText(QPointF(boldRadius, QFontMetrics(font).ascent()), d.text);
    }
    if (boldRadius > 0 && d.colour.rgb() != d.background.rgb())
        Embolden(image, d.colour.rgb(), boldRadius);
    return image;
}

std::optional<TextRecord> ParseTextRecord(const QString &line)
{
    const QStringList fields = RecordFields(line);
    if (fields.size() != 9 || fields[1] != kTextKind)
        return std::nullopt;
    const std::optional<int> layer = ParseWhole(fields[0]);
    const std::optional<int> width = ParseWhole(fields[2]);
    const std::optional<int> x = ParseWhole(fields[3]);
    const std::optional<int> y = ParseWhole(fields[4]);
    const std::optional<int> height = ParseWhole(fields[5]);
    const std::optional<TextDescription> description = ParseTextDescription(fields[6]);
    const std::optional<bool> transparent = ParseBool(fields[7]);
    const std::optional<QColor> colour = ParseColourText(fields[8]);
    constexpr int kLargest = 32767;
    if (!layer || *layer < 0 || !width || !x || !y || !height || !description || !transparent || !colour)
        return std::nullopt;
    if (*width < 0 || *width > kLargest || *height < 0 || *height > kLargest)
        return std::nullopt;
    return TextRecord{*layer, QSize(*width, *height), QPoint(*x, *y), *description, *transparent, *colour};
}

QString TextRecordLine(const TextRecord &record)
{
    return QStringList{QString::number(record.layer),
                       kTextKind,
                       QString::number(record.measured.width()),
                       QString::number(record.position.x()),
                       QString::number(record.position.y()),
                       QString::number(record.measured.height()),
                       DescriptionField(record.description),
                       BoolText(record.transparent),
                       ColourText(record.transparentColour)}
        .join(QLatin1Char(','));
}

}  // namespace kq::panel
