#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

#include <array>
#include <optional>

// The clock's instruction set: kinds, their variants by clock generation,
// command codes, sizes in the clock's memory, parameter counts, captions and
// the colour palette. Pure lookups over one table; the generation is always
// passed in.
namespace kq {

inline constexpr int kCurrentGeneration = 4;
// Clocks of 2016 and earlier: no adjustable brightness threshold.
inline constexpr int kOlderGeneration = 3;

// The value is the kind number that program lines and files carry.
enum class InstructionKind : int {
    Start = 0,
    End = 1,
    FullTime = 2,
    FullConti = 3,
    LightLed = 4,
    Sound = 5,
    Timer = 6,
    Wait = 7,
    If = 8,
    Loop = 9,
    Routine = 10,
    Dainyuu = 11,
    Output = 12,
    Train = 13,
    // Structure markers of program lines; no instructions of their own.
    Else = 20,
    Endif = 21,
};

// The instruction kinds in catalogue order, the markers left out.
inline constexpr std::array kInstructionKinds = {
    InstructionKind::Start,    InstructionKind::End,     InstructionKind::FullTime, InstructionKind::FullConti,
    InstructionKind::LightLed, InstructionKind::Sound,   InstructionKind::Timer,    InstructionKind::Wait,
    InstructionKind::If,       InstructionKind::Loop,    InstructionKind::Routine,  InstructionKind::Dainyuu,
    InstructionKind::Output,   InstructionKind::Train,
};

inline constexpr int kParameterSlots = 5;
// full_time variant 0 writes four colour bytes instead of a command code.
inline constexpr int kNoCommandCode = -1;
// What end writes when it closes a subroutine: a return, not the program's end.
inline constexpr int kSubroutineReturnCode = 196;

// The text v,p1,p2,p3,p4,p5 in typed form.
struct ParameterList {
    int variant = 0;
    std::array<int, kParameterSlots> p{};

    QString ToText() const;
    // Exactly six comma-separated integers; nullopt otherwise.
    static std::optional<ParameterList> FromText(QStringView text);
    bool operator==(const ParameterList &) const = default;
};

// nullopt for a number that is no kind (14..19, 22 and up, negatives).
[[nodiscard]] std::optional<InstructionKind> InstructionKindOfNumber(int number);
// Case-sensitive, else and endif included; nullopt for anything else.
[[nodiscard]] std::optional<InstructionKind> InstructionKindOfName(QStringView name);
QString NameOf(InstructionKind kind);

// Whether the kind has a row for that variant (start and end accept any).
bool IsKnownVariant(InstructionKind kind, int variant);
int VariantCountOf(InstructionKind kind);

// kNoCommandCode for full_time variant 0; 231 for end (the encoder writes
// kSubroutineReturnCode inside subroutines); nullopt for the markers and
// unknown variants.
[[nodiscard]] std::optional<int> CommandCodeOf(InstructionKind kind, const ParameterList &params, int generation);
// Bytes in the clock's memory; 0 for the markers and unknown variants.
int CommandSizeOf(InstructionKind kind, const ParameterList &params, int generation);
// How many of p1..p5 carry values.
int ParameterCountOf(InstructionKind kind, int variant, int generation);
// Empty for start, end, the markers and unknown variants.
QString CaptionOf(InstructionKind kind, const ParameterList &params, int generation);
// The parameter dialog's choice labels of a kind, in variant order. Wait
// variant 6 is offered only under the current generation.
QStringList DialogLabelsOf(InstructionKind kind, int generation);

// The kind of an instruction whose code was read back from the clock; any
// unknown byte is the first colour byte of a timed full-colour instruction.
InstructionKind InstructionKindOfCode(int code);
// The variant that code stands for.
int VariantOfCode(int code);

// The same lookups keyed by name or kind number, with the results the
// program files and the editors rely on at the edges.
// full_time..else as listed, everything else (start, end and endif
// included) 21.
int KindNumberOf(QStringView name);
// 0..12 as listed, everything else "train".
QString KindNameOf(int number);
// Bitmap file in the flowchart icon folder; everything past 12 "train.bmp".
QString KindBitmapOf(int number);
// 255 for start and end, 2..12 for full_time..output, 13 for anything else.
int DialogKindOf(QStringView name);
// nullopt for names that are no instruction.
[[nodiscard]] std::optional<int> CommandCodeOf(QStringView name, const ParameterList &params, int generation);
int CommandSizeOf(QStringView name, const ParameterList &params, int generation);
QString CaptionOf(QStringView name, const ParameterList &params, int generation);
// The name of InstructionKindOfCode.
QString KindOfCode(int code);

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

// How an instruction is laid out in memory.
struct CodeLayout {
    int size = 0;             // all bytes, the code byte included
    int parameterBytes = 0;   // plain parameter bytes after the code (p1, p2)
    bool colour3 = false;     // three packed colour bytes follow the code
    bool colour4 = false;     // four packed colour bytes instead of a code
    bool subroutineAddress = false;  // the called routine's address follows
    bool hasNext = true;
    bool hasBranch = false;
    bool operator==(const CodeLayout &) const = default;
};
// By command code; an unknown code (kNoCommandCode included) is the first
// colour byte of a timed full-colour instruction.
CodeLayout LayoutOfCode(int code);

}  // namespace kq
