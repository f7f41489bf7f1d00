#include "panel/model/kit_model.h"
#include "panel/text/text_layer.h"

#include <QFontInfo>

#include <gtest/gtest.h>

#include <cmath>

namespace kq::panel {
namespace {

TextDescription Sample()
{
    return {QStringLiteral("たのしい時計"), kDefaultTextFace, Qt::black, 14, false, false, Qt::white};
}

double FactorOf(const char *code)
{
    return TextFactor(KitModelAt(*KitModelIndexOf(QString::fromLatin1(code))));
}

// Rows of the image holding at least one pixel of the colour.
int InkHeight(const QImage &image, const QColor &colour)
{
    int top = image.height();
    int bottom = -1;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) == colour.rgb()) {
                top = std::min(top, y);
                bottom = y;
                break;
            }
        }
    }
    return bottom < 0 ? 0 : bottom - top + 1;
}

TEST(TextDescription, WritesSevenPartsAndReadsThemBack)
{
    const struct {
        TextDescription description;
        const char *field;
    } cases[] = {
        {Sample(), "たのしい時計/ＭＳ ゴシック/clBlack/14/False/False/clWhite"},
        {{QStringLiteral("Go!"), QStringLiteral("DejaVu Sans"), QColor(0x12, 0x34, 0x56), 6, true, false,
          QColor(255, 0, 0)},
         "Go!/DejaVu Sans/$00563412/6/True/False/clRed"},
        {{QStringLiteral("ａ／ｂ，ｃ"), QStringLiteral("IPAMincho"), Qt::yellow, 30, false, true,
          QColor(1, 2, 3)},
         "ａ／ｂ，ｃ/IPAMincho/clYellow/30/False/True/$00030201"},
    };
    for (const auto &c : cases) {
        const QString field = QString::fromUtf8(c.field);
        EXPECT_EQ(DescriptionField(c.description), field);
        EXPECT_EQ(ParseTextDescription(field), c.description) << c.field;
    }
}

TEST(TextDescription, RefusesWhatIsNoDescription)
{
    for (const char *field : {
             "abc/ＭＳ ゴシック/clBlack/14/False/False",               // six parts
             "a/b/ＭＳ ゴシック/clBlack/14/False/False/clWhite",       // eight parts
             "abc/ＭＳ ゴシック/clBlack/5/False/False/clWhite",        // size below 6
             "abc/ＭＳ ゴシック/clBlack/31/False/False/clWhite",       // size above 30
             "abc/ＭＳ ゴシック/clBlack/14.5/False/False/clWhite",     // size not whole
             "abc/ＭＳ ゴシック/black/14/False/False/clWhite",         // font colour
             "abc/ＭＳ ゴシック/clBlack/14/False/False/$00GG0000",     // background colour
             "abc/ＭＳ ゴシック/clBlack/14/true/False/clWhite",        // bold not True/False
             "abc/ＭＳ ゴシック/clBlack/14/False/1/clWhite",           // italic not True/False
             "",
         })
        EXPECT_FALSE(ParseTextDescription(QString::fromUtf8(field)).has_value()) << field;
}

TEST(TextRecord, WritesNineFieldsAndReadsThemBack)
{
    const QString line =
        QStringLiteral("3,文字,315,12,-4,45,Hi/DejaVu Sans/clRed/20/True/False/$00563412,False,$00563412");
    const std::optional<TextRecord> record = ParseTextRecord(line);
    ASSERT_TRUE(record.has_value());
    EXPECT_EQ(record->layer, 3);
    EXPECT_EQ(record->measured, QSize(315, 45));
    EXPECT_EQ(record->position, QPoint(12, -4));
    EXPECT_EQ(record->description.text, QStringLiteral("Hi"));
    EXPECT_EQ(record->description.size, 20);
    EXPECT_TRUE(record->description.bold);
    EXPECT_FALSE(record->transparent);
    EXPECT_EQ(record->transparentColour, QColor(0x12, 0x34, 0x56));
    EXPECT_EQ(TextRecordLine(*record), line);

    const TextRecord fresh{0, {315, 45}, {}, Sample(), true, Qt::white};
    EXPECT_EQ(TextRecordLine(fresh),
              QStringLiteral("0,文字,315,0,0,45,たのしい時計/ＭＳ ゴシック/clBlack/14/False/False/clWhite,True,clWhite"));
}

TEST(TextRecord, RefusesWhatIsNoTextRecord)
{
    const char *description = "Hi/DejaVu Sans/clRed/20/True/False/clWhite";
    for (const char *format : {
             "3,文字,315,12,4,45,%1,True",                  // eight fields
             "3,文字,315,12,4,45,%1,True,clWhite,",         // ten fields
             "3,文字,315,12,4,45,H,i/DejaVu Sans/clRed/20/True/False/clWhite,True,clWhite",  // comma in the text
             "3,写真,315,12,4,45,%1,True,clWhite",          // another kind
             "x,文字,315,12,4,45,%1,True,clWhite",          // layer
             "-1,文字,315,12,4,45,%1,True,clWhite",
             "3,文字,315.5,12,4,45,%1,True,clWhite",        // width not whole
             "3,文字,315,12,4,4e1,%1,True,clWhite",         // height not whole
             "3,文字,-1,12,4,45,%1,True,clWhite",
             "3,文字,315,12,4,40000,%1,True,clWhite",
             "3,文字,315,a,4,45,%1,True,clWhite",           // position
             "3,文字,315,12,4,45,%1,yes,clWhite",           // transparency
             "3,文字,315,12,4,45,%1,True,white",            // transparent colour
             "3,文字,315,12,4,45,Hi/DejaVu Sans/clRed/40/True/False/clWhite,True,clWhite",  // size
         }) {
        const QString line = QString::fromUtf8(format).replace(QStringLiteral("%1"), QString::fromUtf8(description));
        EXPECT_FALSE(ParseTextRecord(line).has_value()) << qPrintable(line);
    }
}

TEST(TextRefusal, RefusesEmptyTextAndTheRecordSeparators)
{
    EXPECT_EQ(TextRefusal(QString()), kEmptyTextMessage);
    EXPECT_EQ(TextRefusal(QStringLiteral("12,5")), kTextSeparatorMessage);
    EXPECT_EQ(TextRefusal(QStringLiteral("1/2")), kTextSeparatorMessage);
    EXPECT_EQ(TextRefusal(QStringLiteral("1\r\n2")), kTextControlMessage);
    EXPECT_EQ(TextRefusal(QStringLiteral("1\t2")), kTextControlMessage);
    EXPECT_FALSE(TextRefusal(QStringLiteral("ａ，ｂ／ｃ　!")).has_value());
    EXPECT_FALSE(TextRefusal(QStringLiteral(" ")).has_value());
}

TEST(TextRefusal, NamesTheFirstCharacterThePanelFileCannotHold)
{
    EXPECT_EQ(TextRefusal(QStringLiteral("ab\U0001F600c\u00FC")),
              QStringLiteral("「\U0001F600」は使えません。\r\n別の文字に変えて下さい。"));
    EXPECT_EQ(TextRefusal(QStringLiteral("M\u00FCller")), UnusableCharacterMessage(QStringLiteral("\u00FC")));
    EXPECT_EQ(TextRefusal(QStringLiteral("\uD55C\uAE00")), UnusableCharacterMessage(QStringLiteral("\uD55C")));
    // What input methods type for characters CP932 holds under other code
    // points is stored as CP932's own.
    EXPECT_FALSE(TextRefusal(QStringLiteral("1\u301C2\u2212\u00A2")).has_value());
}

TEST(TextFont, IsSizeTimesThreeTimesTheModelsFactorInPixels)
{
    EXPECT_EQ(TextFont(Sample(), FactorOf("TL-1")).pixelSize(), 100);   // round(14 * 3 * 860 / 360)
    EXPECT_EQ(TextFont(Sample(), FactorOf("TL-3")).pixelSize(), 110);   // round(14 * 3 * 1890 / 720)
    EXPECT_EQ(TextFont(Sample(), 1.0).pixelSize(), 42);
    TextDescription styled = Sample();
    styled.bold = true;
    styled.italic = true;
    const QFont font = TextFont(styled, 1.0);
    EXPECT_TRUE(font.bold());
    EXPECT_TRUE(font.italic());
}

TEST(TextFont, MatchesMissingJapaneseFacesToInstalledOnes)
{
    EXPECT_EQ(QFontInfo(TextFont(Sample(), 1.0)).family(), QStringLiteral("IPAGothic"));
    TextDescription mincho = Sample();
    mincho.face = QStringLiteral("ＭＳ 明朝");
    EXPECT_EQ(QFontInfo(TextFont(mincho, 1.0)).family(), QStringLiteral("IPAMincho"));
    TextDescription installed = Sample();
    installed.face = QStringLiteral("DejaVu Serif");
    EXPECT_EQ(QFontInfo(TextFont(installed, 1.0)).family(), QStringLiteral("DejaVu Serif"));
    EXPECT_EQ(TextFont(Sample(), 1.0).family(), kDefaultTextFace);
}

TEST(RenderTextLayer, FillsTheScaledExtentAndDrawsOnlyTheTwoColours)
{
    TextDescription d = Sample();
    d.colour = QColor(200, 0, 0);
    d.background = QColor(0, 0, 120);
    const QSize measured = MeasureText(d);
    ASSERT_GT(measured.width(), 6 * 42 * 3 / 4);
    ASSERT_GE(measured.height(), 42);

    for (const char *code : {"TL-1", "TL-3", "TL-4"}) {
        const double s = FactorOf(code);
        const QImage image = RenderTextLayer(d, measured, s);
        EXPECT_EQ(image.format(), QImage::Format_RGB32);
        EXPECT_EQ(image.size(), QSize(std::lround(measured.width() * s), std::lround(measured.height() * s))) << code;
        int ink = 0;
        int other = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QRgb pixel = image.pixel(x, y);
                ink += pixel == d.colour.rgb();
                other += pixel != d.colour.rgb() && pixel != d.background.rgb();
            }
        }
        EXPECT_GT(ink, image.width() * image.height() / 20) << code;
        EXPECT_EQ(other, 0) << code;  // no blended edge for the colour key to leave behind
    }
}

TEST(RenderTextLayer, DrawsTheGlyphsAtTheLoadingModelsHeight)
{
    TextDescription d = Sample();
    d.text = QStringLiteral("田");
    const QSize measured = MeasureText(d);
    const int onTl1 = InkHeight(RenderTextLayer(d, measured, FactorOf("TL-1")), d.colour);
    const int onTl3 = InkHeight(RenderTextLayer(d, measured, FactorOf("TL-3")), d.colour);
    EXPECT_GT(onTl1, 75);   // a full-width glyph fills most of the 100-pixel em
    EXPECT_LE(onTl1, 100);
    EXPECT_NEAR(double(onTl3) / onTl1, 110.0 / 100.0, 0.04);
}

int InkOf(const QImage &image, const QColor &colour)
{
    int ink = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            ink += image.pixel(x, y) == colour.rgb();
    }
    return ink;
}

// The Japanese faces have no bold style of their own; drawn without
// anti-aliasing a bold text still comes out bold.
TEST(RenderTextLayer, DrawsBoldTextBoldInTheJapaneseFaces)
{
    for (const QString &face : {kDefaultTextFace, QStringLiteral("ＭＳ 明朝")}) {
        TextDescription regular = Sample();
        regular.face = face;
        regular.colour = QColor(0, 90, 0);
        TextDescription bold = regular;
        bold.bold = true;
        const QSize regularSize = MeasureText(regular);
        const QSize boldSize = MeasureText(bold);
        EXPECT_GE(boldSize.width(), regularSize.width()) << qPrintable(face);
        for (const char *code : {"TL-1", "TL-3"}) {
            const QImage thin = RenderTextLayer(regular, regularSize, FactorOf(code));
            const QImage thick = RenderTextLayer(bold, boldSize, FactorOf(code));
            const int thinInk = InkOf(thin, regular.colour);
            const int thickInk = InkOf(thick, bold.colour);
            EXPECT_GT(thickInk, thinInk * 5 / 4) << qPrintable(face) << " " << code;
            // Still only the two colours: the colour key leaves no fringe.
            EXPECT_EQ(thickInk + InkOf(thick, bold.background), thick.width() * thick.height());
        }
    }
}

TEST(RenderTextLayer, KeepsAnEmptyExtentAValidPicture)
{
    const QImage image = RenderTextLayer(Sample(), QSize(0, 0), FactorOf("TL-1"));
    EXPECT_EQ(image.size(), QSize(1, 1));
    EXPECT_EQ(image.pixel(0, 0), QColor(Qt::white).rgb());
}

}  // namespace
}  // namespace kq::panel
