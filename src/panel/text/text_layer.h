#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPoint>
#include <QSize>
#include <QString>
#include <QStringList>

#include <optional>

// A text layer is kept as a description (text, face, colours, size, style)
// and rendered again whenever a panel is loaded, so measuring and rendering
// here are part of what a panel file means.
namespace kq::panel {

inline constexpr int kMinTextSize = 6;
inline constexpr int kMaxTextSize = 30;
inline const QString kDefaultTextFace = QStringLiteral("ＭＳ ゴシック");

// The messages for a text the record cannot carry.
inline const QString kEmptyTextMessage =
    QStringLiteral("文字が入力されていません。\r\n追加する文字を入力して下さい。");
inline const QString kTextSeparatorMessage =
    QStringLiteral("「,」（カンマ）と「/」（スラッシュ）は使えません。\r\n別の文字に変えて下さい。");
// A pasted line break or tab would split the record's line.
inline const QString kTextControlMessage =
    QStringLiteral("改行やタブは使えません。\r\n1行の文字にして下さい。");
// "「😀」は使えません。\r\n別の文字に変えて下さい。": a character the panel
// file's code page (CP932) cannot hold.
QString UnusableCharacterMessage(const QString &character);

struct TextDescription {
    QString text{};
    QString face{};
    QColor colour = Qt::black;
    int size = 14;
    bool bold = false;
    bool italic = false;
    QColor background = Qt::white;
    bool operator==(const TextDescription &) const = default;
};

// The seven parts joined by "/": text/face/colour/size/bold/italic/background.
// nullopt for a wrong part count, a size outside 6..30, a colour that is not
// a colour text, or a style other than "True"/"False".
std::optional<TextDescription> ParseTextDescription(const QString &field7);
QString DescriptionField(const TextDescription &d);

// kEmptyTextMessage, kTextSeparatorMessage, kTextControlMessage or
// UnusableCharacterMessage of the first such character; nullopt when the
// text can be stored.
std::optional<QString> TextRefusal(const QString &text);

// face followed by the installed Japanese faces of its kind (gothic or
// mincho) for a QFont's family list, so a face that is not installed
// ("ＭＳ ゴシック" on this system), and Japanese text in a Latin face, still
// render in a Japanese gothic or mincho. The face name itself is kept.
QStringList FaceFamilies(const QString &face);

// The face, bold and italic of d at a pixel height of round(size * 3 * factor).
QFont TextFont(const TextDescription &d, double factor);

// The text's extent in preview pixels (font height size * 3), with the room
// a synthesised bold takes.
QSize MeasureText(const TextDescription &d);
// RGB32, round(w * factor) x round(h * factor) (at least 1 x 1) filled with
// the background colour, the text drawn in the font colour without
// anti-aliasing so a colour key on the background leaves no fringe. Bold text
// in a face without a bold style of its own (the Japanese faces) is drawn
// regular with every stroke thickened.
QImage RenderTextLayer(const TextDescription &d, QSize measured, double factor);

struct TextRecord {
    int layer = 0;
    QSize measured{};
    QPoint position{};
    TextDescription description{};
    bool transparent = true;
    QColor transparentColour = Qt::white;
    bool operator==(const TextRecord &) const = default;
};

// Nine fields: n, "文字", width, x, y, height, description, "True"/"False",
// colour text. Numbers must be whole; width and height 0..32767.
std::optional<TextRecord> ParseTextRecord(const QString &line);
// "n,文字,w,x,y,h,description,True,clWhite"
QString TextRecordLine(const TextRecord &record);

}  // namespace kq::panel
