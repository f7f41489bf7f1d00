#include "model/catalogue.h"

#include <gtest/gtest.h>

namespace kq {
namespace {

using enum InstructionKind;

ParameterList Params(int v, int p1 = 0, int p2 = 0, int p3 = 0, int p4 = 0, int p5 = 0)
{
    return ParameterList{v, {p1, p2, p3, p4, p5}};
}

// Every row of the instruction table: code and size under both generations
// and the parameter count. The size column is checked against the layout
// table the encoder follows, so the two cannot drift apart.
TEST(Catalogue, EveryVariantHasItsCodeSizeAndParameterCount)
{
    const struct {
        const char16_t *name;
        int v;
        int code4, code3;
        int size4, size3;
        int count4, count3;
    } rows[] = {
        {u"full_time", 0, -1, -1, 5, 5, 4, 4},     {u"full_time", 1, 131, 131, 5, 5, 4, 4},
        {u"full_time", 2, 132, 132, 5, 5, 4, 4},   {u"full_conti", 0, 135, 135, 3, 3, 1, 1},
        {u"full_conti", 1, 136, 136, 2, 2, 0, 0},  {u"light_led", 0, 140, 140, 4, 4, 2, 2},
        {u"light_led", 1, 141, 141, 2, 2, 0, 0},   {u"light_led", 2, 142, 142, 2, 2, 0, 0},
        {u"sound", 0, 150, 150, 2, 2, 0, 0},       {u"sound", 3, 153, 153, 2, 2, 0, 0},
        {u"sound", 4, 157, 157, 2, 2, 0, 0},       {u"sound", 5, 158, 158, 2, 2, 0, 0},
        {u"timer", 0, 160, 160, 3, 3, 1, 1},       {u"timer", 2, 162, 162, 3, 3, 1, 1},
        {u"timer", 3, 166, 163, 4, 3, 2, 1},       {u"timer", 4, 167, 164, 4, 3, 2, 1},
        {u"timer", 5, 165, 165, 4, 4, 2, 2},       {u"wait", 0, 170, 170, 2, 2, 0, 0},
        {u"wait", 2, 177, 172, 3, 2, 1, 0},        {u"wait", 3, 178, 173, 3, 2, 1, 0},
        {u"wait", 4, 174, 174, 3, 3, 1, 1},        {u"wait", 5, 175, 175, 2, 2, 0, 0},
        {u"wait", 6, 176, 176, 2, 2, 0, 0},        {u"if", 0, 180, 180, 3, 3, 0, 0},
        {u"if", 1, 181, 181, 3, 3, 0, 0},          {u"if", 2, 205, 182, 4, 3, 1, 0},
        {u"if", 3, 206, 183, 4, 3, 1, 0},          {u"if", 4, 184, 184, 4, 4, 1, 1},
        {u"if", 6, 186, 186, 4, 4, 1, 1},          {u"if", 7, 187, 187, 3, 3, 0, 0},
        {u"if", 9, 189, 189, 3, 3, 0, 0},          {u"loop", 0, 190, 190, 3, 3, 1, 1},
        {u"loop", 1, 191, 191, 2, 2, 0, 0},        {u"routine", 0, 195, 195, 3, 3, 1, 1},
        {u"dainyuu", 0, 200, 200, 2, 2, 0, 0},     {u"output", 0, 210, 210, 2, 2, 0, 0},
        {u"output", 1, 211, 211, 3, 3, 1, 1},      {u"output", 4, 214, 214, 3, 3, 1, 1},
        {u"output", 6, 216, 216, 2, 2, 0, 0},      {u"train", 0, 220, 220, 4, 4, 2, 2},
        {u"train", 1, 221, 221, 4, 4, 2, 2},       {u"train", 2, 222, 222, 2, 2, 0, 0},
        {u"train", 4, 224, 224, 3, 3, 1, 1},       {u"train", 6, 226, 226, 3, 3, 1, 1},
        {u"train", 7, 227, 227, 2, 2, 0, 0},       {u"start", 0, 230, 230, 2, 2, 0, 0},
        {u"end", 0, 231, 231, 1, 1, 0, 0},
    };
    for (const auto &row : rows) {
        const QString name = QString::fromUtf16(row.name);
        SCOPED_TRACE(name.toStdString() + " v" + std::to_string(row.v));
        const ParameterList params = Params(row.v, 50);
        EXPECT_EQ(CommandCodeOf(name, params, kCurrentGeneration), row.code4);
        EXPECT_EQ(CommandCodeOf(name, params, kOlderGeneration), row.code3);
        EXPECT_EQ(CommandSizeOf(name, params, kCurrentGeneration), row.size4);
        EXPECT_EQ(CommandSizeOf(name, params, kOlderGeneration), row.size3);
        const InstructionKind kind = InstructionKindOfName(name).value();
        EXPECT_EQ(ParameterCountOf(kind, row.v, kCurrentGeneration), row.count4);
        EXPECT_EQ(ParameterCountOf(kind, row.v, kOlderGeneration), row.count3);
    }
}

TEST(Catalogue, UnknownNamesAndVariantsHaveNoCode)
{
    EXPECT_EQ(CommandCodeOf(u"else", Params(0), kCurrentGeneration), std::nullopt);
    EXPECT_EQ(CommandCodeOf(u"Start", Params(0), kCurrentGeneration), std::nullopt);  // case-sensitive
    EXPECT_EQ(CommandCodeOf(u"sound", Params(6), kCurrentGeneration), std::nullopt);
    EXPECT_EQ(CommandSizeOf(u"bogus", Params(0), kCurrentGeneration), 0);
    EXPECT_EQ(CommandSizeOf(u"if", Params(-1), kCurrentGeneration), 0);
    EXPECT_EQ(CaptionOf(u"if", Params(10), kCurrentGeneration), QString());
    EXPECT_EQ(ParameterCountOf(If, 10, kCurrentGeneration), 0);
}

TEST(Catalogue, KindNumbersNamesBitmapsAndDialogKinds)
{
    EXPECT_EQ(KindNumberOf(u"full_time"), 2);
    EXPECT_EQ(KindNumberOf(u"train"), 13);
    EXPECT_EQ(KindNumberOf(u"else"), 20);
    EXPECT_EQ(KindNumberOf(u"endif"), 21);
    EXPECT_EQ(KindNumberOf(u"start"), 21);
    EXPECT_EQ(KindNumberOf(u"end"), 21);
    EXPECT_EQ(KindNumberOf(u"nonsense"), 21);

    EXPECT_EQ(KindNameOf(0), QStringLiteral("start"));
    EXPECT_EQ(KindNameOf(12), QStringLiteral("output"));
    EXPECT_EQ(KindNameOf(13), QStringLiteral("train"));
    EXPECT_EQ(KindNameOf(20), QStringLiteral("train"));
    EXPECT_EQ(KindNameOf(-1), QStringLiteral("train"));

    EXPECT_EQ(KindBitmapOf(8), QStringLiteral("if.bmp"));
    EXPECT_EQ(KindBitmapOf(21), QStringLiteral("train.bmp"));

    EXPECT_EQ(DialogKindOf(u"start"), 255);
    EXPECT_EQ(DialogKindOf(u"end"), 255);
    EXPECT_EQ(DialogKindOf(u"full_time"), 2);
    EXPECT_EQ(DialogKindOf(u"output"), 12);
    EXPECT_EQ(DialogKindOf(u"train"), 13);
    EXPECT_EQ(DialogKindOf(u"else"), 13);
}

TEST(Catalogue, CaptionsWithShortestDecimalProducts)
{
    const struct {
        const char16_t *name;
        ParameterList params;
        int generation;
        const char16_t *caption;
    } cases[] = {
        {u"full_time", Params(0, 255, 0, 0, 6), 4, u"\u3000\u3000ﾌﾙｶﾗｰLED\u3000\u3000点灯 1.5秒"},
        {u"full_time", Params(0, 255, 0, 0, 4), 4, u"\u3000\u3000ﾌﾙｶﾗｰLED\u3000\u3000点灯 1秒"},
        {u"full_time", Params(0, 0, 0, 0, 1), 4, u"\u3000\u3000ﾌﾙｶﾗｰLED\u3000\u3000点灯 0.25秒"},
        {u"train", Params(0, 25, 10), 4, u"電車 前進 2.5秒\u3000出力10"},
        {u"train", Params(1, 3, 1), 4, u"電車 後進 0.3秒\u3000出力1"},  // 3 × 0.1 reads 0.3
        {u"light_led", Params(0, 100, 3), 4, u"バックライト点灯 100% 0.75秒"},
        {u"full_conti", Params(0, 2), 4, u"    ﾌﾙｶﾗｰLED    \u3000点灯(連続)"},
        {u"timer", Params(0, 5), 4, u"\u3000\u3000\u3000動作停止\u3000\u3000\u30005秒"},
        {u"timer", Params(3, 5, 60), 4, u"動作停止5秒 or 明るくなるまで 60"},
        {u"timer", Params(3, 5, 60), 3, u"動作停止5秒 or 明るくなるまで"},
        {u"timer", Params(4, 5, 60), 4, u"動作停止5秒 or 暗くなるまで 60"},
        {u"timer", Params(5, 5, 30), 4, u"動作停止5秒 or 30度"},
        {u"wait", Params(2, 40), 4, u"明るくなるまで停止 40"},
        {u"wait", Params(2, 40), 3, u"明るくなるまで停止"},
        {u"wait", Params(4, 25), 4, u"25度になるまで停止"},
        {u"if", Params(2, 50), 4, u"明るさ > 50？"},
        {u"if", Params(2, 50), 3, u"明るい？"},
        {u"if", Params(3, 50), 3, u"暗い？"},
        {u"if", Params(5, 20), 4, u"20度より低い？"},
        {u"loop", Params(0, 3), 4, u"繰り返し 3回"},
        {u"loop", Params(1), 4, u"繰返終了位置"},
        {u"routine", Params(0, 2), 4, u"サブルーチン 2"},
        {u"output", Params(4, 7), 4, u"豆球 7秒"},
        {u"train", Params(7), 4, u"電車 停止"},
        {u"start", Params(0), 4, u""},
        {u"end", Params(0), 4, u""},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(CaptionOf(QString::fromUtf16(c.name), c.params, c.generation), QString::fromUtf16(c.caption))
            << QString::fromUtf16(c.name).toStdString() << " " << c.params.ToText().toStdString();
    }
}

TEST(Catalogue, DialogLabelsFollowTheGeneration)
{
    const QStringList if4 = DialogLabelsOf(If, kCurrentGeneration);
    const QStringList if3 = DialogLabelsOf(If, kOlderGeneration);
    ASSERT_EQ(if4.size(), 10);
    ASSERT_EQ(if3.size(), 10);
    EXPECT_EQ(if4[2], QStringLiteral("設定値より明るければ"));
    EXPECT_EQ(if3[2], QStringLiteral("明るければ"));
    EXPECT_EQ(if3[3], QStringLiteral("暗ければ"));
    EXPECT_EQ(DialogLabelsOf(Wait, kCurrentGeneration).size(), 7);
    EXPECT_EQ(DialogLabelsOf(Wait, kOlderGeneration).size(), 6);  // no alarm wait on older clocks
    EXPECT_EQ(DialogLabelsOf(Timer, kCurrentGeneration)[1], QStringLiteral("動作停止(時間or音センサ）"));
    EXPECT_EQ(DialogLabelsOf(Train, kCurrentGeneration).back(), QStringLiteral("電車\u3000停止"));
}

// Every code the encoder can write decodes to the kind and variant it came
// from, under the generation that produced it.
TEST(Catalogue, CodesReadBackGiveTheirKindAndVariant)
{
    for (int generation : {kCurrentGeneration, kOlderGeneration}) {
        for (InstructionKind kind : kInstructionKinds) {
            if (kind == Start || kind == End)
                continue;
            for (int v = 0; v < VariantCountOf(kind); ++v) {
                const QString name = NameOf(kind);
                const std::optional<int> code = CommandCodeOf(name, Params(v), generation);
                ASSERT_TRUE(code.has_value());
                const int byte = *code == kNoCommandCode ? 0x7E : *code;
                EXPECT_EQ(KindOfCode(byte), name) << byte;
                EXPECT_EQ(VariantOfCode(byte), v) << byte;
            }
        }
    }
    EXPECT_EQ(KindOfCode(230), QStringLiteral("start"));
    EXPECT_EQ(KindOfCode(231), QStringLiteral("end"));
    EXPECT_EQ(KindOfCode(196), QStringLiteral("end"));
    EXPECT_EQ(KindOfCode(77), QStringLiteral("full_time"));
    EXPECT_EQ(KindOfCode(179), QStringLiteral("full_time"));
    EXPECT_EQ(KindOfCode(255), QStringLiteral("full_time"));
    EXPECT_EQ(VariantOfCode(77), 0);
}

int PartsSize(const CodeLayout &layout)
{
    return (layout.colour4 ? 4 : 1) + (layout.colour3 ? 3 : 0) + layout.parameterBytes
        + (layout.subroutineAddress ? 1 : 0) + (layout.hasNext ? 1 : 0) + (layout.hasBranch ? 1 : 0);
}

// One table gives every fact, so the facts must agree: under both
// generations each row's code reads back as that row, the layout of the code
// adds up to the row's size, and captions show only counted parameters; each
// byte 0..255 reads back as a row that writes it (or as the first colour byte
// of a timed lamp).
TEST(Catalogue, RowsAndCodesRoundTripUnderBothGenerations)
{
    for (int generation : {kCurrentGeneration, kOlderGeneration}) {
        for (InstructionKind kind : kInstructionKinds) {
            ASSERT_GT(VariantCountOf(kind), 0);
            for (int v = 0; v < VariantCountOf(kind); ++v) {
                SCOPED_TRACE(NameOf(kind).toStdString() + " v" + std::to_string(v) + " generation "
                             + std::to_string(generation));
                const int code = CommandCodeOf(kind, Params(v), generation).value();
                const int size = CommandSizeOf(kind, Params(v), generation);
                const CodeLayout layout = LayoutOfCode(code);
                EXPECT_EQ(InstructionKindOfCode(code), kind);
                EXPECT_EQ(VariantOfCode(code), v);
                EXPECT_EQ(layout.size, size);
                EXPECT_EQ(PartsSize(layout), size);
                EXPECT_EQ(layout.hasNext, kind != End);
                EXPECT_EQ(layout.hasBranch, kind == If);
                const int count = ParameterCountOf(kind, v, generation);
                if (!layout.colour3 && !layout.colour4 && !layout.subroutineAddress) {
                    EXPECT_EQ(layout.parameterBytes, count);
                }
                ParameterList unused = Params(v, 1, 2, 3, 4, 5);
                for (int i = count; i < kParameterSlots; ++i)
                    unused.p[std::size_t(i)] = 99;
                EXPECT_EQ(CaptionOf(kind, unused, generation), CaptionOf(kind, Params(v, 1, 2, 3, 4, 5), generation));
            }
        }
    }

    for (int code = 0; code <= 255; ++code) {
        SCOPED_TRACE(code);
        const InstructionKind kind = InstructionKindOfCode(code);
        const ParameterList params = Params(VariantOfCode(code));
        const int current = CommandCodeOf(kind, params, kCurrentGeneration).value();
        const int older = CommandCodeOf(kind, params, kOlderGeneration).value();
        if (code == kSubroutineReturnCode) {
            EXPECT_EQ(kind, End);
            EXPECT_EQ(LayoutOfCode(code), LayoutOfCode(current));
        } else if (current == kNoCommandCode) {
            EXPECT_EQ(kind, FullTime);
            EXPECT_TRUE(LayoutOfCode(code).colour4);
            EXPECT_EQ(LayoutOfCode(code).size, CommandSizeOf(kind, params, kCurrentGeneration));
        } else {
            ASSERT_TRUE(code == current || code == older) << current << " " << older;
            const int generation = code == current ? kCurrentGeneration : kOlderGeneration;
            EXPECT_EQ(LayoutOfCode(code).size, CommandSizeOf(kind, params, generation));
        }
    }
    EXPECT_EQ(LayoutOfCode(kNoCommandCode), LayoutOfCode(77));
}

TEST(Catalogue, TypedKindsByNumberAndName)
{
    for (InstructionKind kind : {Start, End, FullTime, Train, Else, Endif}) {
        EXPECT_EQ(InstructionKindOfNumber(int(kind)), kind);
        EXPECT_EQ(InstructionKindOfName(NameOf(kind)), kind);
    }
    EXPECT_EQ(NameOf(Endif), QStringLiteral("endif"));
    for (int number : {-1, 14, 19, 22})
        EXPECT_EQ(InstructionKindOfNumber(number), std::nullopt) << number;
    for (const char16_t *name : {u"", u"Start", u"full-time", u"train "})
        EXPECT_EQ(InstructionKindOfName(name), std::nullopt) << QString::fromUtf16(name).toStdString();
    EXPECT_EQ(CommandCodeOf(Else, Params(0), kCurrentGeneration), std::nullopt);
    EXPECT_EQ(CommandSizeOf(Endif, Params(0), kCurrentGeneration), 0);
    EXPECT_EQ(CommandSizeOf(End, Params(3), kCurrentGeneration), 1);  // start and end take any variant
}

TEST(Catalogue, PaletteAndConditionGroups)
{
    EXPECT_EQ(ColourNameOf(0), QStringLiteral("赤色"));
    EXPECT_EQ(ColourNameOf(5), QStringLiteral("水色"));
    EXPECT_EQ(ColourNameOf(7), QStringLiteral("消灯"));
    EXPECT_EQ(ColourNameOf(9), QStringLiteral("消灯"));
    EXPECT_EQ(ColourNameOf(-1), QStringLiteral("消灯"));
    EXPECT_EQ(ColourRgbOf(4), (Rgb{255, 0, 255}));
    EXPECT_EQ(ColourRgbTextOf(6), QStringLiteral("255,255,255"));
    EXPECT_EQ(ColourRgbTextOf(7), QStringLiteral("0,0,0"));

    const int groups[] = {0, 0, 1, 1, 2, 2, 2, 2, 2, 2};
    for (int v = 0; v < 10; ++v)
        EXPECT_EQ(ConditionGroupOf(v), groups[v]) << v;
}

TEST(ParameterList, TextRoundTripAndMalformedTexts)
{
    const auto params = ParameterList::FromText(u"0,255,0,0,4,0");
    ASSERT_TRUE(params.has_value());
    EXPECT_EQ(*params, Params(0, 255, 0, 0, 4));
    EXPECT_EQ(params->ToText(), QStringLiteral("0,255,0,0,4,0"));
    for (const char16_t *bad : {u"", u"0,0,0,0,0", u"0,0,0,0,0,0,0", u"a,0,0,0,0,0", u"0,,0,0,0,0"})
        EXPECT_FALSE(ParameterList::FromText(QStringView(bad)).has_value()) << QString::fromUtf16(bad).toStdString();
}

}  // namespace
}  // namespace kq
