#include "model/catalogue.h"

#include "base/text_helpers.h"

#include <cstddef>

namespace kq {

namespace {

struct VariantRow {
    int kind;
    int variant;
    const char16_t *label;
    const char16_t *olderLabel;  // nullptr: same as label
    int code;
    int olderCode;
    int parameterCount;
    int olderParameterCount;
};

// One row per kind and variant; "older" columns are for generation 3 clocks.
constexpr VariantRow kVariants[] = {
    {kFullTime, 0, u"フルカラーLED点灯", nullptr, kNoCommandCode, kNoCommandCode, 4, 4},
    {kFullTime, 1, u"フェードイン", nullptr, 131, 131, 4, 4},
    {kFullTime, 2, u"フェードアウト", nullptr, 132, 132, 4, 4},
    {kFullConti, 0, u"フルカラーLED点灯(連続)", nullptr, 135, 135, 1, 1},
    {kFullConti, 1, u"フルカラーLED消灯", nullptr, 136, 136, 0, 0},
    {kLightLed, 0, u"バックライト点灯", nullptr, 140, 140, 2, 2},
    {kLightLed, 1, u"バックライト点灯(連続)", nullptr, 141, 141, 0, 0},
    {kLightLed, 2, u"バックライト消灯", nullptr, 142, 142, 0, 0},
    {kSound, 0, u"確認音１を鳴らす", nullptr, 150, 150, 0, 0},
    {kSound, 1, u"確認音２を鳴らす", nullptr, 151, 151, 0, 0},
    {kSound, 2, u"確認音３を鳴らす", nullptr, 152, 152, 0, 0},
    {kSound, 3, u"音プログラム再生", nullptr, 153, 153, 0, 0},
    {kSound, 4, u"音プログラム再生(連続)", nullptr, 157, 157, 0, 0},
    {kSound, 5, u"音プログラム停止", nullptr, 158, 158, 0, 0},
    {kTimer, 0, u"動作停止(時間)", nullptr, 160, 160, 1, 1},
    {kTimer, 1, u"動作停止(時間or音センサ）", nullptr, 161, 161, 1, 1},
    {kTimer, 2, u"動作停止(時間orSWセンサ）", nullptr, 162, 162, 1, 1},
    {kTimer, 3, u"動作停止(時間or明るくなるまで)", nullptr, 166, 163, 2, 1},
    {kTimer, 4, u"動作停止(時間or暗くなるまで)", nullptr, 167, 164, 2, 1},
    {kTimer, 5, u"動作停止(時間or設定温度)", nullptr, 165, 165, 2, 2},
    {kWait, 0, u"音入力があるまで停止", nullptr, 170, 170, 0, 0},
    {kWait, 1, u"SWが押されるまで停止", nullptr, 171, 171, 0, 0},
    {kWait, 2, u"明るくなるまで停止", nullptr, 177, 172, 1, 0},
    {kWait, 3, u"暗くなるまで停止", nullptr, 178, 173, 1, 0},
    {kWait, 4, u"設定温度になるまで停止", nullptr, 174, 174, 1, 1},
    {kWait, 5, u"信号入力があるまで停止", nullptr, 175, 175, 0, 0},
    {kWait, 6, u"アラーム時刻になるまで停止", nullptr, 176, 176, 0, 0},
    {kIf, 0, u"SWがONなら", nullptr, 180, 180, 0, 0},
    {kIf, 1, u"SWがOFFなら", nullptr, 181, 181, 0, 0},
    {kIf, 2, u"設定値より明るければ", u"明るければ", 205, 182, 1, 0},
    {kIf, 3, u"設定値より暗ければ", u"暗ければ", 206, 183, 1, 0},
    {kIf, 4, u"設定温度より高ければ", nullptr, 184, 184, 1, 1},
    {kIf, 5, u"設定温度より低ければ", nullptr, 185, 185, 1, 1},
    {kIf, 6, u"設定温度と同じなら", nullptr, 186, 186, 1, 1},
    {kIf, 7, u"温度が変数xより高ければ", nullptr, 187, 187, 0, 0},
    {kIf, 8, u"温度が変数xより低ければ", nullptr, 188, 188, 0, 0},
    {kIf, 9, u"温度が変数xと同じなら", nullptr, 189, 189, 0, 0},
    {kLoop, 0, u"繰り返し開始", nullptr, 190, 190, 1, 1},
    {kLoop, 1, u"繰り返し終了", nullptr, 191, 191, 0, 0},
    {kRoutine, 0, u"サブルーチン", nullptr, 195, 195, 1, 1},
    {kDainyuu, 0, u"変数x に温度を代入", nullptr, 200, 200, 0, 0},
    {kOutput, 0, u"信号出力", nullptr, 210, 210, 0, 0},
    {kOutput, 1, u"DCモータ ON(時間)", nullptr, 211, 211, 1, 1},
    {kOutput, 2, u"DCモータ ON(連続)", nullptr, 212, 212, 0, 0},
    {kOutput, 3, u"DCモータ OFF", nullptr, 213, 213, 0, 0},
    {kOutput, 4, u"豆球 点灯(時間)", nullptr, 214, 214, 1, 1},
    {kOutput, 5, u"豆球 点灯(連続)", nullptr, 215, 215, 0, 0},
    {kOutput, 6, u"豆球 消灯", nullptr, 216, 216, 0, 0},
    {kTrain, 0, u"前進(時間・出力)", nullptr, 220, 220, 2, 2},
    {kTrain, 1, u"後進(時間・出力)", nullptr, 221, 221, 2, 2},
    {kTrain, 2, u"前進(連続)", nullptr, 222, 222, 0, 0},
    {kTrain, 3, u"後進(連続)", nullptr, 223, 223, 0, 0},
    {kTrain, 4, u"徐々に発車(前進)", nullptr, 224, 224, 1, 1},
    {kTrain, 5, u"徐々に発車(後進)", nullptr, 225, 225, 1, 1},
    {kTrain, 6, u"徐々に停止", nullptr, 226, 226, 1, 1},
    {kTrain, 7, u"電車\u3000停止", nullptr, 227, 227, 0, 0},
};

constexpr const char16_t *kNames[] = {
    u"start", u"end", u"full_time", u"full_conti", u"light_led", u"sound", u"timer",
    u"wait", u"if", u"loop", u"routine", u"dainyuu", u"output", u"train",
};
constexpr int kKindCount = int(std::size(kNames));

bool IsOlder(int generation)
{
    return generation == kOlderGeneration;
}

const VariantRow *FindRow(int kind, int variant)
{
    for (const VariantRow &row : kVariants) {
        if (row.kind == kind && row.variant == variant)
            return &row;
    }
    return nullptr;
}

// -1 for names that are not instructions (else, endif, anything unknown).
int InstructionKindOf(QStringView name)
{
    for (int k = 0; k < kKindCount; ++k) {
        if (name == QStringView(kNames[k]))
            return k;
    }
    return -1;
}

// The shortest decimal form of value with at most 15 significant digits, so
// that 3 × 0.1 reads "0.3".
QString Decimal(double value)
{
    return QString::number(value, 'g', 15);
}

QString Number(int value)
{
    return QString::number(value);
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

int KindNumberOf(QStringView name)
{
    if (name == u"else")
        return kElse;
    const int kind = InstructionKindOf(name);
    if (kind >= kFullTime)
        return kind;
    return kEndif;
}

QString KindNameOf(int number)
{
    if (number >= 0 && number <= kOutput)
        return QString::fromUtf16(kNames[number]);
    return QStringLiteral("train");
}

QString KindBitmapOf(int number)
{
    return KindNameOf(number) + QStringLiteral(".bmp");
}

int DialogKindOf(QStringView name)
{
    const int kind = InstructionKindOf(name);
    if (kind == kStart || kind == kEnd)
        return 255;
    if (kind >= kFullTime && kind <= kOutput)
        return kind;
    return 13;
}

bool IsKnownVariant(int kind, int variant)
{
    if (kind == kStart || kind == kEnd)
        return true;
    return FindRow(kind, variant) != nullptr;
}

int VariantCountOf(int kind)
{
    int count = 0;
    for (const VariantRow &row : kVariants)
        count += row.kind == kind ? 1 : 0;
    return count;
}

std::optional<int> CommandCodeOf(QStringView name, const ParameterList &params, int generation)
{
    const int kind = InstructionKindOf(name);
    if (kind == kStart)
        return 230;
    if (kind == kEnd)
        return 231;
    if (kind < 0)
        return std::nullopt;
    const VariantRow *row = FindRow(kind, params.variant);
    if (!row)
        return std::nullopt;
    return IsOlder(generation) ? row->olderCode : row->code;
}

int CommandSizeOf(QStringView name, const ParameterList &params, int generation)
{
    const std::optional<int> code = CommandCodeOf(name, params, generation);
    if (!code)
        return 0;
    return LayoutOfCode(*code).size;
}

int ParameterCountOf(int kind, int variant, int generation)
{
    const VariantRow *row = FindRow(kind, variant);
    if (!row)
        return 0;
    return IsOlder(generation) ? row->olderParameterCount : row->parameterCount;
}

QString CaptionOf(QStringView name, const ParameterList &params, int generation)
{
    const int kind = InstructionKindOf(name);
    if (kind < kFullTime || !FindRow(kind, params.variant))
        return {};
    const int v = params.variant;
    const int p1 = params.p[0];
    const int p2 = params.p[1];
    const int p4 = params.p[3];
    const bool older = IsOlder(generation);

    switch (kind) {
    case kFullTime:
        if (v == 0)
            return u"\u3000\u3000ﾌﾙｶﾗｰLED\u3000\u3000点灯 "_qs + Decimal(p4 * 0.25) + u"秒"_qs;
        return v == 1 ? u"ﾌﾙｶﾗｰLED ﾌｪｰﾄﾞｲﾝ"_qs : u"ﾌﾙｶﾗｰLED ﾌｪｰﾄﾞｱｳﾄ"_qs;
    case kFullConti:
        return v == 0 ? u"    ﾌﾙｶﾗｰLED    \u3000点灯(連続)"_qs : u"    ﾌﾙｶﾗｰLED    \u3000消灯"_qs;
    case kLightLed:
        if (v == 0)
            return u"バックライト点灯 "_qs + Number(p1) + u"% "_qs + Decimal(p2 * 0.25) + u"秒"_qs;
        return v == 1 ? u"\u3000\u3000バックライト\u3000\u3000\u3000点灯(連続)"_qs
                      : u"\u3000\u3000バックライト\u3000\u3000\u3000消灯"_qs;
    case kSound: {
        static const char16_t *const captions[] = {
            u"確認音１", u"確認音２", u"確認音３", u"音プログラム再生",
            u"\u3000\u3000音プログラム\u3000\u3000再生(連続)", u"\u3000\u3000音プログラム\u3000\u3000停止",
        };
        return QString::fromUtf16(captions[v]);
    }
    case kTimer:
        switch (v) {
        case 0:
            return u"\u3000\u3000\u3000動作停止\u3000\u3000\u3000"_qs + Number(p1) + u"秒"_qs;
        case 1:
            return u"\u3000\u3000\u3000動作停止\u3000\u3000\u3000"_qs + Number(p1) + u"秒 or 音センサ"_qs;
        case 2:
            return u"動作停止"_qs + Number(p1) + u"秒 or SWセンサ"_qs;
        case 3:
        case 4: {
            const QString until = v == 3 ? u"明るくなるまで"_qs : u"暗くなるまで"_qs;
            if (older)
                return u"動作停止"_qs + Number(p1) + u"秒 or "_qs + until;
            return u"動作停止"_qs + Number(p1) + u"秒 or "_qs + until + u" "_qs + Number(p2);
        }
        default:
            return u"動作停止"_qs + Number(p1) + u"秒 or "_qs + Number(p2) + u"度"_qs;
        }
    case kWait:
        switch (v) {
        case 0:
            return u"音入力があるまで停止"_qs;
        case 1:
            return u"SWが押されるまで停止"_qs;
        case 2:
            return older ? u"明るくなるまで停止"_qs : u"明るくなるまで停止 "_qs + Number(p1);
        case 3:
            return older ? u"暗くなるまで停止"_qs : u"暗くなるまで停止 "_qs + Number(p1);
        case 4:
            return Number(p1) + u"度になるまで停止"_qs;
        case 5:
            return u"信号入力があるまで停止"_qs;
        default:
            return u"アラーム時刻になるまで停止"_qs;
        }
    case kIf:
        switch (v) {
        case 0:
            return u"SW=ON？"_qs;
        case 1:
            return u"SW=OFF？"_qs;
        case 2:
            return older ? u"明るい？"_qs : u"明るさ > "_qs + Number(p1) + u"？"_qs;
        case 3:
            return older ? u"暗い？"_qs : u"明るさ < "_qs + Number(p1) + u"？"_qs;
        case 4:
            return Number(p1) + u"度より高い？"_qs;
        case 5:
            return Number(p1) + u"度より低い？"_qs;
        case 6:
            return Number(p1) + u"度と同じ？"_qs;
        case 7:
            return u"温度>変数x？"_qs;
        case 8:
            return u"温度<変数x？"_qs;
        default:
            return u"温度=変数x？"_qs;
        }
    case kLoop:
        return v == 0 ? u"繰り返し "_qs + Number(p1) + u"回"_qs : u"繰返終了位置"_qs;
    case kRoutine:
        return u"サブルーチン "_qs + Number(p1);
    case kDainyuu:
        return u"変数xに代入"_qs;
    case kOutput:
        switch (v) {
        case 0:
            return u"信号出力"_qs;
        case 1:
            return u"DCモータ "_qs + Number(p1) + u"秒"_qs;
        case 2:
            return u"DCモータ 連続ON"_qs;
        case 3:
            return u"DCモータ OFF"_qs;
        case 4:
            return u"豆球 "_qs + Number(p1) + u"秒"_qs;
        case 5:
            return u"豆球 連続点灯"_qs;
        default:
            return u"豆球 消灯"_qs;
        }
    default:  // train
        switch (v) {
        case 0:
            return u"電車 前進 "_qs + Decimal(p1 * 0.1) + u"秒\u3000出力"_qs + Number(p2);
        case 1:
            return u"電車 後進 "_qs + Decimal(p1 * 0.1) + u"秒\u3000出力"_qs + Number(p2);
        case 2:
            return u"電車 前進(連続)"_qs;
        case 3:
            return u"電車 後進(連続)"_qs;
        case 4:
            return u"徐々に発車(前進)"_qs;
        case 5:
            return u"徐々に発車(後進)"_qs;
        case 6:
            return u"徐々に停止"_qs;
        default:
            return u"電車 停止"_qs;
        }
    }
}

QStringList DialogLabelsOf(int kind, int generation)
{
    QStringList labels;
    for (const VariantRow &row : kVariants) {
        if (row.kind != kind)
            continue;
        if (kind == kWait && row.variant == 6 && IsOlder(generation))
            continue;
        const char16_t *label = IsOlder(generation) && row.olderLabel ? row.olderLabel : row.label;
        labels.append(QString::fromUtf16(label));
    }
    return labels;
}

QString KindOfCode(int code)
{
    auto in = [code](int low, int high) { return code >= low && code <= high; };
    int kind = kFullTime;
    if (code == 230)
        kind = kStart;
    else if (code == 231 || code == 196)
        kind = kEnd;
    else if (code == 135 || code == 136)
        kind = kFullConti;
    else if (in(140, 142))
        kind = kLightLed;
    else if (in(150, 153) || code == 157 || code == 158)
        kind = kSound;
    else if (in(160, 167))
        kind = kTimer;
    else if (in(170, 178))
        kind = kWait;
    else if (in(180, 189) || code == 205 || code == 206)
        kind = kIf;
    else if (code == 190 || code == 191)
        kind = kLoop;
    else if (code == 195)
        kind = kRoutine;
    else if (code == 200)
        kind = kDainyuu;
    else if (in(210, 216))
        kind = kOutput;
    else if (in(220, 227))
        kind = kTrain;
    return QString::fromUtf16(kNames[kind]);
}

int VariantOfCode(int code)
{
    const int kind = InstructionKindOf(KindOfCode(code));
    switch (kind) {
    case kFullTime:
        return code == 131 ? 1 : code == 132 ? 2 : 0;
    case kFullConti:
        return code - 135;
    case kLightLed:
        return code - 140;
    case kSound:
        return code <= 153 ? code - 150 : code - 153;
    case kTimer:
        return code <= 165 ? code - 160 : code - 163;
    case kWait:
        return code <= 176 ? code - 170 : code - 175;
    case kIf:
        return code <= 189 ? code - 180 : code - 203;
    case kLoop:
        return code - 190;
    case kOutput:
        return code - 210;
    case kTrain:
        return code - 220;
    default:
        return 0;
    }
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

CodeLayout LayoutOfCode(int code)
{
    auto in = [code](int low, int high) { return code >= low && code <= high; };
    CodeLayout layout;
    const bool knownCode = code == 131 || code == 132 || KindOfCode(code) != QStringView(kNames[kFullTime]);
    if (code == kNoCommandCode || !knownCode) {
        // Below 128 (or unknown) the byte is the first of four colour bytes.
        layout.colour4 = true;
        layout.size = 5;
        return layout;
    }
    if (code == 131 || code == 132) {
        layout.colour3 = true;
        layout.size = 5;
        return layout;
    }
    if (code == 231 || code == 196) {
        layout.hasNext = false;
        layout.size = 1;
        return layout;
    }
    if (code == 195) {
        layout.subroutineAddress = true;
        layout.size = 3;
        return layout;
    }
    if (in(180, 183) || in(187, 189)) {
        layout.hasBranch = true;
    } else if (in(184, 186) || code == 205 || code == 206) {
        layout.hasBranch = true;
        layout.parameterBytes = 1;
    } else if (code == 140 || code == 165 || code == 166 || code == 167 || code == 220 || code == 221) {
        layout.parameterBytes = 2;
    } else if (code == 135 || in(160, 164) || code == 174 || code == 177 || code == 178 || code == 190
               || code == 211 || code == 214 || in(224, 226)) {
        layout.parameterBytes = 1;
    }
    layout.size = 1 + layout.parameterBytes + 1 + (layout.hasBranch ? 1 : 0);
    return layout;
}

}  // namespace kq
