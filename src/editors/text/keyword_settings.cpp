#include "editors/text/keyword_settings.h"

#include "base/text_file.h"
#include "base/text_helpers.h"

namespace kq {

namespace {

struct Renamed {
    const char *keyword;
    int slot;
};

// The order in which a help line is searched for a keyword to rename.
constexpr Renamed kHelpKeywords[] = {
    {"ledon", 1}, {"fadein", 2}, {"fadeout", 3}, {"fullledconti", 4}, {"fullledoff", 5}, {"backlighttime", 6},
    {"backlightconti", 7}, {"backlightoff", 8}, {"beep1", 9}, {"beep2", 10}, {"beep3", 11}, {"melodydata", 12},
    {"melodyconti", 13}, {"melodyoff", 14}, {"timerstop", 15}, {"timersound", 16}, {"timersw", 17},
    {"timerlightvalue", 46}, {"timerdarkvalue", 47}, {"timertemp", 20}, {"soundwait", 21}, {"swwait", 22},
    {"lightvaluewait", 49}, {"darkvaluewait", 50}, {"tempwait", 25}, {"inputwait", 26}, {"alermwait", 48},
    {"loopstart", 27}, {"loopend", 28}, {"gettempx", 29}, {"output", 30}, {"motortime", 31}, {"motoron", 32},
    {"motoroff", 33}, {"lamptime", 34}, {"lampon", 35}, {"lampoff", 36}, {"advancetime", 37}, {"reversetime", 38},
    {"advanceconti", 39}, {"reverseconti", 40}, {"advancestart", 41}, {"reversestart", 42}, {"stopslow", 43},
    {"trainstop", 44},
};

const QString kLinkOpening = QStringLiteral("<a href=\"");

// An entry as page text: markup characters and everything outside ASCII as
// references, so the page stays plain ASCII whatever a keyword holds.
QString HtmlText(const QString &entry)
{
    QString out;
    for (const char32_t c : entry.toUcs4()) {
        if (c >= 0x80 || c == U'&' || c == U'<' || c == U'>' || c == U'"')
            out += QStringLiteral("&#x%1;").arg(uint(c), 0, 16);
        else
            out += QChar(char16_t(c));
    }
    return out;
}

}  // namespace

const std::array<KeywordSlotField, 45> &KeywordSlotFields()
{
    static const std::array<KeywordSlotField, 45> fields = {{
        {1, u"フルカラーLED", u"点灯"},
        {2, u"フルカラーLED", u"フェードイン"},
        {3, u"フルカラーLED", u"フェードアウト"},
        {4, u"フルカラーLED", u"リンク開始"},
        {5, u"フルカラーLED", u"リンク終了"},
        {6, u"バックライト", u"点灯"},
        {7, u"バックライト", u"リンク開始"},
        {8, u"バックライト", u"リンク終了"},
        {9, u"サウンド", u"確認音1"},
        {10, u"サウンド", u"確認音2"},
        {11, u"サウンド", u"確認音3"},
        {12, u"サウンド", u"音プログラム再生"},
        {13, u"サウンド", u"音プログラムリンク開始"},
        {14, u"サウンド", u"音プログラムリンク終了"},
        {15, u"タイマー", u"動作停止（時間）"},
        {16, u"タイマー", u"動作停止（時間or音センサ）"},
        {17, u"タイマー", u"動作停止（時間orSW入力）"},
        {46, u"タイマー", u"動作停止（時間or明るくなるまで)"},
        {47, u"タイマー", u"動作停止（時間or暗くなるまで)"},
        {20, u"タイマー", u"動作停止（時間or指定温度なるまで)"},
        {21, u"信号待ち", u"音入力があるまで停止"},
        {22, u"信号待ち", u"SWが押されるまで停止"},
        {49, u"信号待ち", u"明るくなるまで停止"},
        {50, u"信号待ち", u"暗くなるまで停止"},
        {25, u"信号待ち", u"指定温度になるまで停止"},
        {26, u"信号待ち", u"信号入力があるまで停止"},
        {48, u"信号待ち", u"アラーム時刻になるまで停止"},
        {27, u"繰り返し", u"繰り返し開始"},
        {28, u"繰り返し", u"繰り返し終了"},
        {29, u"計測", u"変数 x に温度を代入"},
        {30, u"信号出力", u"信号出力"},
        {31, u"信号出力", u"DCモータ ON(指定時間)"},
        {32, u"信号出力", u"DCモータ ON(連続)"},
        {33, u"信号出力", u"DCモータ OFF"},
        {34, u"信号出力", u"豆球 点灯(指定時間)"},
        {35, u"信号出力", u"豆球 点灯(連続)"},
        {36, u"信号出力", u"豆球 消灯"},
        {37, u"電車", u"電車 前進(時間・出力)"},
        {38, u"電車", u"電車 後進(時間・出力)"},
        {39, u"電車", u"電車 前進(連続)"},
        {40, u"電車", u"電車 後進(連続)"},
        {41, u"電車", u"徐々に発車(前進)"},
        {42, u"電車", u"徐々に発車(後進)"},
        {43, u"電車", u"徐々に停止"},
        {44, u"電車", u"電車 停止"},
    }};
    return fields;
}

KeywordEntries EntriesOf(const KeywordFile &file)
{
    KeywordEntries entries;
    for (int slot = 1; slot <= kKeywordSlots; ++slot) {
        if (slot != kIfSlot)
            entries[std::size_t(slot - 1)] = file.Line(slot).keyword;
    }
    return entries;
}

bool EntriesValid(const KeywordEntries &entries)
{
    for (int slot = 1; slot <= kKeywordSlots; ++slot) {
        const QString &entry = entries[std::size_t(slot - 1)];
        if (slot != kIfSlot && (entry.isEmpty() || entry.contains(QLatin1Char(','))))
            return false;
    }
    return true;
}

QString FieldName(const KeywordSlotField &field)
{
    return QStringLiteral("%1の「%2」").arg(QString::fromUtf16(field.group), QString::fromUtf16(field.label));
}

std::optional<KeywordRefusal> RefusalOf(const KeywordEntries &entries)
{
    // Compared as the text language compares them: folded to lower case.
    const auto keyword = [&entries](int slot) { return entries[std::size_t(slot - 1)].toLower(); };
    const auto &fields = KeywordSlotFields();
    for (auto field = fields.begin(); field != fields.end(); ++field) {
        const QString word = keyword(field->slot);
        const auto refuse = [&](const QString &message) { return KeywordRefusal{field->slot, message}; };
        // Lines lose their spaces and comments before a keyword is looked for,
        // and the brackets, ";" and "," end it.
        if (word.contains(QLatin1Char(' ')) || word.contains(QLatin1Char('(')) || word.contains(QLatin1Char(')'))
            || word.contains(QLatin1Char(';')) || word.contains(QLatin1Char(',')) || word.contains(u"//"))
            return refuse(kKeywordUnmatchableMessage.arg(FieldName(*field)));
        // The block checks take every line holding these letters for a
        // conditional.
        if (word.contains(u"if") || word.contains(u"else"))
            return refuse(kKeywordLikeConditionalMessage.arg(FieldName(*field)));
        for (auto other = std::next(field); other != fields.end(); ++other) {
            if (keyword(other->slot) == word)
                return refuse(kKeywordTwiceMessage.arg(FieldName(*field), FieldName(*other)));
        }
        for (const int hidden : kHiddenKeywordSlots) {
            if (keyword(hidden) == word)
                return refuse(kKeywordTakenMessage.arg(FieldName(*field)));
        }
    }
    return std::nullopt;
}

QStringList KeywordFileWithEntries(const QStringList &defaultLines, const KeywordEntries &entries)
{
    QStringList lines;
    for (qsizetype i = 0; i < defaultLines.size(); ++i) {
        const QString &line = defaultLines[i];
        const QString keyword = FieldOf(line, 3, QLatin1Char(','));
        if (keyword == u"if" || i >= kKeywordSlots)
            lines.append(line);
        else
            lines.append(ReplaceAll(line, keyword, entries[std::size_t(i)]));
    }
    return lines;
}

QStringList HelpPageWithEntries(const QStringList &pageLines, const KeywordEntries &entries,
                                const QString &programFolder)
{
    const QString linkTarget = kLinkOpening + programFolder + NativeRelativePath(QStringLiteral("HTML\\Word\\"));
    QStringList lines;
    for (QString line : pageLines) {
        for (const Renamed &renamed : kHelpKeywords) {
            const QString keyword = QLatin1String(renamed.keyword);
            if (line.contains(keyword)) {
                line = ReplaceAll(line, keyword, HtmlText(entries[std::size_t(renamed.slot - 1)]));
                break;
            }
        }
        lines.append(ReplaceAll(line, kLinkOpening, linkTarget));
    }
    return lines;
}

KeywordApplyResult ApplyKeywordEntries(const Paths &paths, const KeywordEntries &entries)
{
    using Status = KeywordApplyResult::Status;
    if (!EntriesValid(entries))
        return {Status::Invalid, std::nullopt};
    if (std::optional<KeywordRefusal> refusal = RefusalOf(entries))
        return {Status::Refused, std::move(refusal)};
    const std::optional<TextFileContent> defaults = ReadTextLines(DefaultKeywordFilePath(paths));
    const std::optional<TextFileContent> page = ReadTextLines(paths.ProgramFile(kInstalledHelpPage));
    if (!defaults || defaults->hasDecodingErrors || !page || page->hasDecodingErrors)
        return {Status::ReadFailed, std::nullopt};
    const QString folder = paths.TempFolder();
    if (!WriteTextLines(folder + kKeywordFileName, KeywordFileWithEntries(defaults->lines, entries)))
        return {Status::WriteFailed, std::nullopt};
    if (!WriteTextLines(folder + kUserHelpPageName, HelpPageWithEntries(page->lines, entries, paths.ProgramFolder())))
        return {Status::WriteFailed, std::nullopt};
    return {Status::Applied, std::nullopt};
}

}  // namespace kq
