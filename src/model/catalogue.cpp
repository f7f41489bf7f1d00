#include "model/catalogue.h"

#include "base/text_helpers.h"

#include <algorithm>
#include <cstddef>
#include <iterator>

namespace kq {

namespace {

using Kind = InstructionKind;

enum class Factor { One, Quarter, Tenth };

// A parameter slot shown in a caption, times its factor.
struct CaptionValue {
    int slot = 0;  // 1..5; 0 shows nothing
    Factor factor = Factor::One;
};

// texts[0], values[0], texts[1], values[1], texts[2]
struct CaptionTemplate {
    std::array<const char16_t *, 3> texts{u"", u"", u""};
    std::array<CaptionValue, 2> values{};
};

constexpr CaptionValue kP1{1};
constexpr CaptionValue kP2{2};
constexpr CaptionValue kP1Tenths{1, Factor::Tenth};
constexpr CaptionValue kP2Quarters{2, Factor::Quarter};
constexpr CaptionValue kP4Quarters{4, Factor::Quarter};

constexpr CaptionTemplate Text(const char16_t *text)
{
    return {{text, u"", u""}, {}};
}

constexpr CaptionTemplate Text(const char16_t *head, CaptionValue value, const char16_t *tail = u"")
{
    return {{head, tail, u""}, {value, {}}};
}

constexpr CaptionTemplate Text(const char16_t *head, CaptionValue first, const char16_t *middle, CaptionValue second,
                               const char16_t *tail = u"")
{
    return {{head, middle, tail}, {first, second}};
}

// The code byte, parameterBytes plain bytes, next.
constexpr CodeLayout Next(int size, int parameterBytes = 0)
{
    return {.size = size, .parameterBytes = parameterBytes};
}

// The code byte, parameterBytes plain bytes, next, branch.
constexpr CodeLayout Branch(int size, int parameterBytes = 0)
{
    return {.size = size, .parameterBytes = parameterBytes, .hasBranch = true};
}

constexpr CodeLayout kColourInsteadOfCode{.size = 5, .colour4 = true};
constexpr CodeLayout kColourAfterCode{.size = 5, .colour3 = true};
constexpr CodeLayout kCall{.size = 3, .subroutineAddress = true};
constexpr CodeLayout kCodeOnly{.size = 1, .hasNext = false};

// A variant as one generation of clock has it.
struct Encoding {
    int code;
    int parameterCount;
    CodeLayout layout;
    CaptionTemplate caption;
};

struct VariantRow {
    Kind kind;
    int variant;
    const char16_t *label;       // the parameter dialog's choice; nullptr for start and end
    const char16_t *olderLabel;  // the same on older clocks; nullptr: not offered there
    Encoding current;
    Encoding older;
};

// A variant the same on both generations.
constexpr VariantRow Row(Kind kind, int variant, const char16_t *label, Encoding both)
{
    return {kind, variant, label, label, both, both};
}

// A variant whose threshold parameter older clocks lack.
constexpr VariantRow Row(Kind kind, int variant, const char16_t *label, Encoding current, Encoding older)
{
    return {kind, variant, label, label, current, older};
}

constexpr Encoding kAlarmWait{176, 0, Next(2), Text(u"アラーム時刻になるまで停止")};

// The one table of instruction facts; every lookup below reads it. Sizes are
// written out and checked against their byte layouts at compile time, so a
// slip in either does not build.
constexpr VariantRow kVariants[] = {
    Row(Kind::Start, 0, nullptr, {230, 0, Next(2), Text(u"")}),
    Row(Kind::End, 0, nullptr, {231, 0, kCodeOnly, Text(u"")}),

    Row(Kind::FullTime, 0, u"フルカラーLED点灯",
        {kNoCommandCode, 4, kColourInsteadOfCode, Text(u"\u3000\u3000ﾌﾙｶﾗｰLED\u3000\u3000点灯 ", kP4Quarters, u"秒")}),
    Row(Kind::FullTime, 1, u"フェードイン", {131, 4, kColourAfterCode, Text(u"ﾌﾙｶﾗｰLED ﾌｪｰﾄﾞｲﾝ")}),
    Row(Kind::FullTime, 2, u"フェードアウト", {132, 4, kColourAfterCode, Text(u"ﾌﾙｶﾗｰLED ﾌｪｰﾄﾞｱｳﾄ")}),

    Row(Kind::FullConti, 0, u"フルカラーLED点灯(連続)",
        {135, 1, Next(3, 1), Text(u"    ﾌﾙｶﾗｰLED    \u3000点灯(連続)")}),
    Row(Kind::FullConti, 1, u"フルカラーLED消灯", {136, 0, Next(2), Text(u"    ﾌﾙｶﾗｰLED    \u3000消灯")}),

    Row(Kind::LightLed, 0, u"バックライト点灯",
        {140, 2, Next(4, 2), Text(u"バックライト点灯 ", kP1, u"% ", kP2Quarters, u"秒")}),
    Row(Kind::LightLed, 1, u"バックライト点灯(連続)",
        {141, 0, Next(2), Text(u"\u3000\u3000バックライト\u3000\u3000\u3000点灯(連続)")}),
    Row(Kind::LightLed, 2, u"バックライト消灯",
        {142, 0, Next(2), Text(u"\u3000\u3000バックライト\u3000\u3000\u3000消灯")}),

    Row(Kind::Sound, 0, u"確認音１を鳴らす", {150, 0, Next(2), Text(u"確認音１")}),
    Row(Kind::Sound, 1, u"確認音２を鳴らす", {151, 0, Next(2), Text(u"確認音２")}),
    Row(Kind::Sound, 2, u"確認音３を鳴らす", {152, 0, Next(2), Text(u"確認音３")}),
    Row(Kind::Sound, 3, u"音プログラム再生", {153, 0, Next(2), Text(u"音プログラム再生")}),
    Row(Kind::Sound, 4, u"音プログラム再生(連続)",
        {157, 0, Next(2), Text(u"\u3000\u3000音プログラム\u3000\u3000再生(連続)")}),
    Row(Kind::Sound, 5, u"音プログラム停止", {158, 0, Next(2), Text(u"\u3000\u3000音プログラム\u3000\u3000停止")}),

    Row(Kind::Timer, 0, u"動作停止(時間)",
        {160, 1, Next(3, 1), Text(u"\u3000\u3000\u3000動作停止\u3000\u3000\u3000", kP1, u"秒")}),
    Row(Kind::Timer, 1, u"動作停止(時間or音センサ）",
        {161, 1, Next(3, 1), Text(u"\u3000\u3000\u3000動作停止\u3000\u3000\u3000", kP1, u"秒 or 音センサ")}),
    Row(Kind::Timer, 2, u"動作停止(時間orSWセンサ）", {162, 1, Next(3, 1), Text(u"動作停止", kP1, u"秒 or SWセンサ")}),
    Row(Kind::Timer, 3, u"動作停止(時間or明るくなるまで)",
        {166, 2, Next(4, 2), Text(u"動作停止", kP1, u"秒 or 明るくなるまで ", kP2)},
        {163, 1, Next(3, 1), Text(u"動作停止", kP1, u"秒 or 明るくなるまで")}),
    Row(Kind::Timer, 4, u"動作停止(時間or暗くなるまで)",
        {167, 2, Next(4, 2), Text(u"動作停止", kP1, u"秒 or 暗くなるまで ", kP2)},
        {164, 1, Next(3, 1), Text(u"動作停止", kP1, u"秒 or 暗くなるまで")}),
    Row(Kind::Timer, 5, u"動作停止(時間or設定温度)",
        {165, 2, Next(4, 2), Text(u"動作停止", kP1, u"秒 or ", kP2, u"度")}),

    Row(Kind::Wait, 0, u"音入力があるまで停止", {170, 0, Next(2), Text(u"音入力があるまで停止")}),
    Row(Kind::Wait, 1, u"SWが押されるまで停止", {171, 0, Next(2), Text(u"SWが押されるまで停止")}),
    Row(Kind::Wait, 2, u"明るくなるまで停止", {177, 1, Next(3, 1), Text(u"明るくなるまで停止 ", kP1)},
        {172, 0, Next(2), Text(u"明るくなるまで停止")}),
    Row(Kind::Wait, 3, u"暗くなるまで停止", {178, 1, Next(3, 1), Text(u"暗くなるまで停止 ", kP1)},
        {173, 0, Next(2), Text(u"暗くなるまで停止")}),
    Row(Kind::Wait, 4, u"設定温度になるまで停止", {174, 1, Next(3, 1), Text(u"", kP1, u"度になるまで停止")}),
    Row(Kind::Wait, 5, u"信号入力があるまで停止", {175, 0, Next(2), Text(u"信号入力があるまで停止")}),
    // Older clocks accept the alarm wait, but the dialog does not offer it there.
    {Kind::Wait, 6, u"アラーム時刻になるまで停止", nullptr, kAlarmWait, kAlarmWait},

    Row(Kind::If, 0, u"SWがONなら", {180, 0, Branch(3), Text(u"SW=ON？")}),
    Row(Kind::If, 1, u"SWがOFFなら", {181, 0, Branch(3), Text(u"SW=OFF？")}),
    {Kind::If,
     2,
     u"設定値より明るければ",
     u"明るければ",
     {205, 1, Branch(4, 1), Text(u"明るさ > ", kP1, u"？")},
     {182, 0, Branch(3), Text(u"明るい？")}},
    {Kind::If,
     3,
     u"設定値より暗ければ",
     u"暗ければ",
     {206, 1, Branch(4, 1), Text(u"明るさ < ", kP1, u"？")},
     {183, 0, Branch(3), Text(u"暗い？")}},
    Row(Kind::If, 4, u"設定温度より高ければ", {184, 1, Branch(4, 1), Text(u"", kP1, u"度より高い？")}),
    Row(Kind::If, 5, u"設定温度より低ければ", {185, 1, Branch(4, 1), Text(u"", kP1, u"度より低い？")}),
    Row(Kind::If, 6, u"設定温度と同じなら", {186, 1, Branch(4, 1), Text(u"", kP1, u"度と同じ？")}),
    Row(Kind::If, 7, u"温度が変数xより高ければ", {187, 0, Branch(3), Text(u"温度>変数x？")}),
    Row(Kind::If, 8, u"温度が変数xより低ければ", {188, 0, Branch(3), Text(u"温度<変数x？")}),
    Row(Kind::If, 9, u"温度が変数xと同じなら", {189, 0, Branch(3), Text(u"温度=変数x？")}),

    Row(Kind::Loop, 0, u"繰り返し開始", {190, 1, Next(3, 1), Text(u"繰り返し ", kP1, u"回")}),
    Row(Kind::Loop, 1, u"繰り返し終了", {191, 0, Next(2), Text(u"繰返終了位置")}),

    // p1 is the subroutine number; the clock gets its address instead.
    Row(Kind::Routine, 0, u"サブルーチン", {195, 1, kCall, Text(u"サブルーチン ", kP1)}),

    Row(Kind::Dainyuu, 0, u"変数x に温度を代入", {200, 0, Next(2), Text(u"変数xに代入")}),

    Row(Kind::Output, 0, u"信号出力", {210, 0, Next(2), Text(u"信号出力")}),
    Row(Kind::Output, 1, u"DCモータ ON(時間)", {211, 1, Next(3, 1), Text(u"DCモータ ", kP1, u"秒")}),
    Row(Kind::Output, 2, u"DCモータ ON(連続)", {212, 0, Next(2), Text(u"DCモータ 連続ON")}),
    Row(Kind::Output, 3, u"DCモータ OFF", {213, 0, Next(2), Text(u"DCモータ OFF")}),
    Row(Kind::Output, 4, u"豆球 点灯(時間)", {214, 1, Next(3, 1), Text(u"豆球 ", kP1, u"秒")}),
    Row(Kind::Output, 5, u"豆球 点灯(連続)", {215, 0, Next(2), Text(u"豆球 連続点灯")}),
    Row(Kind::Output, 6, u"豆球 消灯", {216, 0, Next(2), Text(u"豆球 消灯")}),

    Row(Kind::Train, 0, u"前進(時間・出力)",
        {220, 2, Next(4, 2), Text(u"電車 前進 ", kP1Tenths, u"秒\u3000出力", kP2)}),
    Row(Kind::Train, 1, u"後進(時間・出力)",
        {221, 2, Next(4, 2), Text(u"電車 後進 ", kP1Tenths, u"秒\u3000出力", kP2)}),
    Row(Kind::Train, 2, u"前進(連続)", {222, 0, Next(2), Text(u"電車 前進(連続)")}),
    Row(Kind::Train, 3, u"後進(連続)", {223, 0, Next(2), Text(u"電車 後進(連続)")}),
    Row(Kind::Train, 4, u"徐々に発車(前進)", {224, 1, Next(3, 1), Text(u"徐々に発車(前進)")}),
    Row(Kind::Train, 5, u"徐々に発車(後進)", {225, 1, Next(3, 1), Text(u"徐々に発車(後進)")}),
    Row(Kind::Train, 6, u"徐々に停止", {226, 1, Next(3, 1), Text(u"徐々に停止")}),
    Row(Kind::Train, 7, u"電車\u3000停止", {227, 0, Next(2), Text(u"電車 停止")}),
};
constexpr int kRowCount = int(std::size(kVariants));

constexpr bool SizesMatchLayouts()
{
    for (const VariantRow &row : kVariants) {
        for (const CodeLayout &l : {row.current.layout, row.older.layout}) {
            const int parts = (l.colour4 ? 4 : 1) + (l.colour3 ? 3 : 0) + l.parameterBytes
                + (l.subroutineAddress ? 1 : 0) + (l.hasNext ? 1 : 0) + (l.hasBranch ? 1 : 0);
            if (parts != l.size)
                return false;
        }
    }
    return true;
}
static_assert(SizesMatchLayouts(), "a size disagrees with its byte layout");

constexpr int RowIndexOf(Kind kind, int variant)
{
    for (int r = 0; r < kRowCount; ++r) {
        if (kVariants[r].kind == kind && kVariants[r].variant == variant)
            return r;
    }
    return -1;
}

constexpr int kTimedLampRow = RowIndexOf(Kind::FullTime, 0);
constexpr int kEndRow = RowIndexOf(Kind::End, 0);

// Who writes a code byte: the row and the generation whose encoding it is.
struct CodeOwner {
    int row = -1;
    bool older = false;
};

constexpr bool CodesAreDistinct()
{
    for (int a = 0; a < kRowCount; ++a) {
        for (int b = 0; b < kRowCount; ++b) {
            for (const Encoding *x : {&kVariants[a].current, &kVariants[a].older}) {
                for (const Encoding *y : {&kVariants[b].current, &kVariants[b].older}) {
                    if (a != b && x->code == y->code && x->code != kNoCommandCode)
                        return false;
                }
            }
        }
    }
    return true;
}
static_assert(CodesAreDistinct(), "two variants share a command code");

constexpr std::array<CodeOwner, 256> BuildCodeIndex()
{
    std::array<CodeOwner, 256> index{};
    for (int r = 0; r < kRowCount; ++r) {
        for (bool older : {false, true}) {
            const int code = (older ? kVariants[r].older : kVariants[r].current).code;
            // A code both generations share stays with the current one.
            if (code != kNoCommandCode && index[std::size_t(code)].row < 0)
                index[std::size_t(code)] = {r, older};
        }
    }
    index[kSubroutineReturnCode] = {kEndRow, false};
    return index;
}
constexpr std::array<CodeOwner, 256> kCodeIndex = BuildCodeIndex();

struct KindName {
    Kind kind;
    const char16_t *name;
};

constexpr KindName kKindNames[] = {
    {Kind::Start, u"start"},     {Kind::End, u"end"},         {Kind::FullTime, u"full_time"},
    {Kind::FullConti, u"full_conti"}, {Kind::LightLed, u"light_led"}, {Kind::Sound, u"sound"},
    {Kind::Timer, u"timer"},     {Kind::Wait, u"wait"},       {Kind::If, u"if"},
    {Kind::Loop, u"loop"},       {Kind::Routine, u"routine"}, {Kind::Dainyuu, u"dainyuu"},
    {Kind::Output, u"output"},   {Kind::Train, u"train"},     {Kind::Else, u"else"},
    {Kind::Endif, u"endif"},
};

bool IsOlder(int generation)
{
    return generation == kOlderGeneration;
}

const Encoding &EncodingOf(const VariantRow &row, int generation)
{
    return IsOlder(generation) ? row.older : row.current;
}

// Start and end have one row, whatever variant they carry.
const VariantRow *FindRow(Kind kind, int variant)
{
    const int r = RowIndexOf(kind, kind == Kind::Start || kind == Kind::End ? 0 : variant);
    return r < 0 ? nullptr : &kVariants[r];
}

// A byte no row writes is the first colour byte of a timed lamp.
CodeOwner OwnerOfCode(int code)
{
    if (code >= 0 && code < int(kCodeIndex.size()) && kCodeIndex[std::size_t(code)].row >= 0)
        return kCodeIndex[std::size_t(code)];
    return {kTimedLampRow, false};
}

// The shortest decimal form of value with at most 15 significant digits, so
// that 3 × 0.1 reads "0.3".
QString Decimal(double value)
{
    return QString::number(value, 'g', 15);
}

QString ValueText(const ParameterList &params, CaptionValue value)
{
    const int stored = params.p[std::size_t(value.slot - 1)];
    switch (value.factor) {
    case Factor::Quarter:
        return Decimal(stored * 0.25);
    case Factor::Tenth:
        return Decimal(stored * 0.1);
    case Factor::One:
        break;
    }
    return QString::number(stored);
}

QString Render(const CaptionTemplate &caption, const ParameterList &params)
{
    QString text = QString::fromUtf16(caption.texts[0]);
    for (std::size_t i = 0; i < caption.values.size(); ++i) {
        if (caption.values[i].slot > 0)
            text += ValueText(params, caption.values[i]);
        text += QString::fromUtf16(caption.texts[i + 1]);
    }
    return text;
}

}  // namespace

QString ParameterList::ToText() const
{
    QString text = QString::number(variant);
    for (int v : p) {
        text.append(QLatin1Char(','));
        text.append(QString::number(v));
    }
    return text;
}

std::optional<ParameterList> ParameterList::FromText(QStringView text)
{
    if (FieldCount(text, QLatin1Char(',')) != kParameterSlots + 1)
        return std::nullopt;
    ParameterList list;
    for (int i = 0; i <= kParameterSlots; ++i) {
        const QString field = FieldOf(text, i + 1, QLatin1Char(','));
        bool ok = false;
        const int value = field.toInt(&ok);
        if (!ok)
            return std::nullopt;
        if (i == 0)
            list.variant = value;
        else
            list.p[std::size_t(i - 1)] = value;
    }
    return list;
}

std::optional<InstructionKind> InstructionKindOfNumber(int number)
{
    for (const KindName &entry : kKindNames) {
        if (int(entry.kind) == number)
            return entry.kind;
    }
    return std::nullopt;
}

std::optional<InstructionKind> InstructionKindOfName(QStringView name)
{
    for (const KindName &entry : kKindNames) {
        if (name == QStringView(entry.name))
            return entry.kind;
    }
    return std::nullopt;
}

QString NameOf(InstructionKind kind)
{
    for (const KindName &entry : kKindNames) {
        if (entry.kind == kind)
            return QString::fromUtf16(entry.name);
    }
    return {};
}

bool IsKnownVariant(InstructionKind kind, int variant)
{
    return FindRow(kind, variant) != nullptr;
}

int VariantCountOf(InstructionKind kind)
{
    return int(std::count_if(std::begin(kVariants), std::end(kVariants),
                             [kind](const VariantRow &row) { return row.kind == kind; }));
}

std::optional<int> CommandCodeOf(InstructionKind kind, const ParameterList &params, int generation)
{
    const VariantRow *row = FindRow(kind, params.variant);
    if (!row)
        return std::nullopt;
    return EncodingOf(*row, generation).code;
}

int CommandSizeOf(InstructionKind kind, const ParameterList &params, int generation)
{
    const VariantRow *row = FindRow(kind, params.variant);
    return row ? EncodingOf(*row, generation).layout.size : 0;
}

int ParameterCountOf(InstructionKind kind, int variant, int generation)
{
    const VariantRow *row = FindRow(kind, variant);
    return row ? EncodingOf(*row, generation).parameterCount : 0;
}

QString CaptionOf(InstructionKind kind, const ParameterList &params, int generation)
{
    const VariantRow *row = FindRow(kind, params.variant);
    return row ? Render(EncodingOf(*row, generation).caption, params) : QString();
}

QStringList DialogLabelsOf(InstructionKind kind, int generation)
{
    QStringList labels;
    for (const VariantRow &row : kVariants) {
        const char16_t *label = IsOlder(generation) ? row.olderLabel : row.label;
        if (row.kind == kind && label)
            labels.append(QString::fromUtf16(label));
    }
    return labels;
}

InstructionKind InstructionKindOfCode(int code)
{
    return kVariants[OwnerOfCode(code).row].kind;
}

int VariantOfCode(int code)
{
    return kVariants[OwnerOfCode(code).row].variant;
}

CodeLayout LayoutOfCode(int code)
{
    const CodeOwner owner = OwnerOfCode(code);
    const VariantRow &row = kVariants[owner.row];
    return (owner.older ? row.older : row.current).layout;
}

int KindNumberOf(QStringView name)
{
    const std::optional<InstructionKind> kind = InstructionKindOfName(name);
    if (!kind || *kind == Kind::Start || *kind == Kind::End)
        return int(Kind::Endif);
    return int(*kind);
}

QString KindNameOf(int number)
{
    if (number >= int(Kind::Start) && number <= int(Kind::Output))
        return NameOf(InstructionKind(number));
    return NameOf(Kind::Train);
}

QString KindBitmapOf(int number)
{
    return KindNameOf(number) + QStringLiteral(".bmp");
}

int DialogKindOf(QStringView name)
{
    const std::optional<InstructionKind> kind = InstructionKindOfName(name);
    if (kind == Kind::Start || kind == Kind::End)
        return 255;
    if (kind && *kind >= Kind::FullTime && *kind <= Kind::Output)
        return int(*kind);
    return int(Kind::Train);
}

std::optional<int> CommandCodeOf(QStringView name, const ParameterList &params, int generation)
{
    const std::optional<InstructionKind> kind = InstructionKindOfName(name);
    return kind ? CommandCodeOf(*kind, params, generation) : std::nullopt;
}

int CommandSizeOf(QStringView name, const ParameterList &params, int generation)
{
    const std::optional<InstructionKind> kind = InstructionKindOfName(name);
    return kind ? CommandSizeOf(*kind, params, generation) : 0;
}

QString CaptionOf(QStringView name, const ParameterList &params, int generation)
{
    const std::optional<InstructionKind> kind = InstructionKindOfName(name);
    return kind ? CaptionOf(*kind, params, generation) : QString();
}

QString KindOfCode(int code)
{
    return NameOf(InstructionKindOfCode(code));
}

int ConditionGroupOf(int ifVariant)
{
    if (ifVariant <= 1)
        return 0;
    if (ifVariant <= 3)
        return 1;
    return 2;
}

namespace {

struct PaletteRow {
    const char16_t *name;
    Rgb rgb;
};

constexpr PaletteRow kPalette[] = {
    {u"赤色", {255, 0, 0}},   {u"緑色", {0, 255, 0}},     {u"青色", {0, 0, 255}},
    {u"黄色", {255, 255, 0}}, {u"紫色", {255, 0, 255}},   {u"水色", {0, 255, 255}},
    {u"白色", {255, 255, 255}},
};

}  // namespace

QString ColourNameOf(int number)
{
    if (number < 0 || number >= kPaletteSize)
        return QStringLiteral("消灯");
    return QString::fromUtf16(kPalette[number].name);
}

Rgb ColourRgbOf(int number)
{
    if (number < 0 || number >= kPaletteSize)
        return {};
    return kPalette[number].rgb;
}

QString ColourRgbTextOf(int number)
{
    const Rgb rgb = ColourRgbOf(number);
    return QStringLiteral("%1,%2,%3").arg(rgb.red).arg(rgb.green).arg(rgb.blue);
}

}  // namespace kq
