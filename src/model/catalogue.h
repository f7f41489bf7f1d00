#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

#include <array>
#include <optional>

// The clock's instruction set: kinds, their variants by clock generation,
// command codes, sizes in the clock's memory, parameter counts, captions and
// the colour palette. Pure lookups; the generation is always passed in.
namespace kq {

inline constexpr int kCurrentGeneration = 4;
// Clocks of 2016 and earlier: no adjustable brightness threshold.
inline constexpr int kOlderGeneration = 3;

enum Kind : int {
    kStart = 0,
    kEnd = 1,
    kFullTime = 2,
    kFullConti = 3,
    kLightLed = 4,
    kSound = 5,
    kTimer = 6,
    kWait = 7,
    kIf = 8,
    kLoop = 9,
    kRoutine = 10,
    kDainyuu = 11,
    kOutput = 12,
    kTrain = 13,
    kElse = 20,
    kEndif = 21,
};

inline constexpr int kParameterSlots = 5;
// full_time variant 0 writes four colour bytes instead of a command code.
inline constexpr int kNoCommandCode = -1;

// The text v,p1,p2,p3,p4,p5 in typed form.
struct ParameterList {
    int variant = 0;
    std::array<int, kParameterSlots> p{};

    QString ToText() const;
    // Exactly six comma-separated integers; nullopt otherwise.
    static std::optional<ParameterList> FromText(QStringView text);
    bool operator==(const ParameterList &) const = default;
};

// Name to kind number: full_time..else as listed, everything else
// (start, end and endif included) 21.
int KindNumberOf(QStringView name);
// Kind number to name: 0..12 as listed, everything else "train".
QString KindNameOf(int number);
// Bitmap file in the flowchart icon folder; everything past 12 "train.bmp".
QString KindBitmapOf(int number);
// 255 for start and end, 2..12 for full_time..output, 13 for anything else.
int DialogKindOf(QStringView name);

// Whether the kind has a row for that variant (start and end accept any).
bool IsKnownVariant(int kind, int variant);
int VariantCountOf(int kind);

// kNoCommandCode for full_time variant 0; 231 for end (the encoder writes 196
// inside subroutines); nullopt for an unknown name or variant.
std::optional<int> CommandCodeOf(QStringView name, const ParameterList &params, int generation);
// Bytes in the clock's memory; 0 for an unknown name or variant.
int CommandSizeOf(QStringView name, const ParameterList &params, int generation);
// How many of p1..p5 carry values.
int ParameterCountOf(int kind, int variant, int generation);
// Empty for start, end and unknown names.
QString CaptionOf(QStringView name, const ParameterList &params, int generation);
// The parameter dialog's choice labels of a kind, in variant order. Wait
// variant 6 is offered only under the current generation.
QStringList DialogLabelsOf(int kind, int generation);

// The name of an instruction whose code was read back from the clock; any
// unknown byte is the first colour byte of a timed full-colour instruction.
QString KindOfCode(int code);
// The variant that code stands for.
int VariantOfCode(int code);

// 0 switch, 1 brightness, 2 temperature.
int ConditionGroupOf(int ifVariant);

struct Rgb {
    int red = 0;
    int green = 0;
    int blue = 0;
    bool operator==(const Rgb &) const = default;
};

inline constexpr int kPaletteSize = 7;
inline constexpr int kPaletteOff = 7;
// Any number outside 0..6 is "消灯" (off), 0,0,0.
QString ColourNameOf(int number);
Rgb ColourRgbOf(int number);
// "255,0,0"
QString ColourRgbTextOf(int number);

// How an instruction is laid out in memory, by command code.
struct CodeLayout {
    int size = 0;             // all bytes, the code byte included
    int parameterBytes = 0;   // plain parameter bytes after the code (p1, p2)
    bool colour3 = false;     // three packed colour bytes follow the code
    bool colour4 = false;     // four packed colour bytes instead of a code
    bool subroutineAddress = false;  // the called routine's address follows
    bool hasNext = true;
    bool hasBranch = false;
};
CodeLayout LayoutOfCode(int code);

}  // namespace kq
