#pragma once

#include "panel/effects/effect_area.h"

#include <QColor>
#include <QRect>
#include <QSize>

#include <array>
#include <variant>

// Every effect with its settings. The defaults are the controls' defaults,
// the ranges the controls' ranges; replayed values are held to them too.
namespace kq::panel {

struct IntRange {
    int minimum;
    int maximum;
    int Clamp(int value) const { return value < minimum ? minimum : (value > maximum ? maximum : value); }
};

inline constexpr IntRange kSharpStrengthRange{0, 100};
inline constexpr IntRange kOutlineStrengthRange{0, 100};
inline constexpr IntRange kBlurStrengthRange{1, 20};
inline constexpr IntRange kMosaicSizeRange{1, 100};
inline constexpr IntRange kChromaRange{-100, 100};
inline constexpr IntRange kLensMagnificationRange{1, 10};
inline constexpr IntRange kCanvasDepthRange{0, 255};
inline constexpr IntRange kEmbossPatternRange{0, 7};
inline constexpr IntRange kEmbossEdgeRange{1, 5};
inline constexpr IntRange kEmbossBrightnessRange{0, 255};
inline constexpr IntRange kWhirlAngleRange{0, 360};
inline constexpr IntRange kPinchRange{1, 10};
inline constexpr IntRange kWhirlSizeRange{0, 10};
inline constexpr IntRange kMotionLengthRange{0, 255};
inline constexpr IntRange kMotionAngleRange{0, 360};
inline constexpr IntRange kGlassTileSizeRange{10, 100};
inline constexpr IntRange kOilPaintSizeRange{1, 100};
inline constexpr IntRange kRippleAmplitudeRange{1, 100};
inline constexpr IntRange kWaveLengthRange{1, 10};
inline constexpr IntRange kWaveSizeRange{1, 100};
inline constexpr IntRange kRotationAngleRange{-359, 359};
// No control limits a resize; a side longer than any panel by far is refused.
inline constexpr IntRange kImageSideRange{1, 6000};
inline constexpr IntRange kBrightnessRange{-255, 255};
inline constexpr IntRange kContrastRange{0, 63};
inline constexpr IntRange kToneRange{0, 255};

struct SharpEffect {
    EffectArea area;
    int strength = 10;
};

// Dark outlines on white.
struct OutlineEffect {
    EffectArea area;
    int strength = 10;
};

struct BlurEffect {
    EffectArea area;
    int strength = 10;
};

struct MosaicEffect {
    EffectArea area;
    int width = 10;  // block size across and down; the window sets both
    int height = 10;
};

// Saturation: -100 is grey, 100 twice as colourful.
struct ChromaEffect {
    EffectArea area;
    int amount = -100;
};

// A magnifying lens in the ellipse inscribed in the area's box; the rest of
// the box is painted white when paintOutside.
struct LensEffect {
    EffectArea area;
    int magnification = 3;
    bool paintOutside = true;
};

enum class CanvasLight { TopRight, TopLeft, BottomLeft, BottomRight };

struct CanvasEffect {
    EffectArea area;
    CanvasLight light = CanvasLight::TopRight;
    int depth = 20;
};

struct EmbossEffect {
    EffectArea area;
    int pattern = 3;  // which of the eight neighbours the relief faces
    int edge = 3;
    int brightness = 128;
};

struct WhirlPinchEffect {
    EffectArea area;
    int angle = 180;  // degrees of twist at the centre
    int pinch = 3;
    int size = 1;  // 0: half the area's ellipse, 10: all of it
};

enum class MotionKind { Linear, Radial, Zoom };

struct MotionBlurEffect {
    EffectArea area;
    MotionKind kind = MotionKind::Linear;
    int length = 120;
    int angle = 10;  // direction of a linear blur, counter-clockwise
};

struct GlassTileEffect {
    EffectArea area;
    int width = 20;
    int height = 20;
};

enum class OilPaintMode { PerChannel, ByLuminance };

struct OilPaintEffect {
    EffectArea area;
    OilPaintMode mode = OilPaintMode::PerChannel;
    int size = 3;  // brush radius in pixels
};

struct RippleEffect {
    EffectArea area;
    int amplitude = 20;
    int wavelength = 3;
    bool fillFromNeighbours = false;  // else the uncovered pixels are white
};

enum class WaveDirection { Horizontal, Vertical };
enum class WaveShape { Sine, Saw };
enum class WaveEdge { Background, Neighbours, Wrap };

struct WavesEffect {
    EffectArea area;
    WaveDirection direction = WaveDirection::Horizontal;
    WaveShape shape = WaveShape::Sine;
    int wavelength = 3;
    int size = 20;
    WaveEdge edge = WaveEdge::Background;
};

// Acts on the whole image; the area is only written to the record. The image
// grows to hold the turned picture, the uncovered corners take fill.
struct RotationEffect {
    EffectArea area;
    int angle = 0;  // degrees, clockwise
    bool mirrorLeftRight = false;
    bool mirrorUpDown = false;
    QColor fill = Qt::black;
};

struct ResizeEffect {
    EffectArea area;  // written to the record only
    QSize size;
};

struct AntiAliasEffect {};

// "YCCLevel": every colour channel moved by brightness.
struct LevelEffect {
    EffectArea area;
    int brightness = 0;
};

// "YCCSpline": a smooth tone curve through five points (x rising).
struct ToneCurveEffect {
    std::array<QPoint, 5> points{QPoint(0, 0), QPoint(64, 64), QPoint(128, 128), QPoint(192, 192), QPoint(255, 255)};
};

// The curve of the brightness page's contrast c.
ToneCurveEffect ContrastCurve(int contrast);

// "SetGray"
struct GrayEffect {
    EffectArea area;
};

// "CutRectImage" and "SelectImage": rect in pixels (written as left, top,
// left + width, top + height).
struct RectangleCutEffect {
    QRect rect;
};

// Everything outside the ellipse inscribed in rect becomes white.
struct EllipseCutEffect {
    QRect rect;
};

using Effect = std::variant<SharpEffect, OutlineEffect, BlurEffect, MosaicEffect, ChromaEffect, LensEffect,
                            CanvasEffect, EmbossEffect, WhirlPinchEffect, MotionBlurEffect, GlassTileEffect,
                            OilPaintEffect, RippleEffect, WavesEffect, RotationEffect, ResizeEffect, AntiAliasEffect,
                            LevelEffect, ToneCurveEffect, GrayEffect, RectangleCutEffect, EllipseCutEffect>;

}  // namespace kq::panel
