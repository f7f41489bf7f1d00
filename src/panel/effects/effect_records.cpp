#include "panel/effects/effect_records.h"

#include <algorithm>

namespace kq::panel {

namespace {

QString Flag(bool on)
{
    return on ? QStringLiteral("True") : QStringLiteral("False");
}

QString N(int value)
{
    return QString::number(value);
}

QString RectText(const QRect &rect)
{
    return QStringList{N(rect.x()), N(rect.y()), N(rect.x() + rect.width()), N(rect.y() + rect.height())}.join(
        QLatin1Char('/'));
}

template <typename... Parts>
QString Join(const char *name, const Parts &...parts)
{
    QStringList fields{QString::fromLatin1(name)};
    (fields << ... << parts);
    return fields.join(QLatin1Char(','));
}

const QString kZero = QStringLiteral("0");

struct RecordWriter {
    QString operator()(const SharpEffect &e) const { return Join("Sharp", AreaText(e.area), N(e.strength)); }
    QString operator()(const OutlineEffect &e) const
    {
        return Join("Outline", AreaText(e.area), kZero, kZero, N(e.strength));
    }
    QString operator()(const BlurEffect &e) const { return Join("Blur", AreaText(e.area), N(e.strength)); }
    QString operator()(const MosaicEffect &e) const
    {
        return Join("Mosaic", AreaText(e.area), N(e.width), N(e.height));
    }
    QString operator()(const ChromaEffect &e) const { return Join("Chroma", AreaText(e.area), N(e.amount)); }
    QString operator()(const LensEffect &e) const
    {
        return Join("Lens", AreaText(e.area), N(e.magnification), Flag(e.paintOutside), kZero, kZero, kZero);
    }
    QString operator()(const CanvasEffect &e) const
    {
        return Join("Canvas", AreaText(e.area), N(static_cast<int>(e.light)), N(e.depth));
    }
    QString operator()(const EmbossEffect &e) const
    {
        return Join("Emboss", AreaText(e.area), N(e.pattern), N(e.edge), N(e.brightness));
    }
    QString operator()(const WhirlPinchEffect &e) const
    {
        return Join("WhirlPinch", AreaText(e.area), N(e.angle), N(e.pinch), N(e.size), kZero, kZero, kZero);
    }
    QString operator()(const MotionBlurEffect &e) const
    {
        return Join("MotionBlur", AreaText(e.area), N(static_cast<int>(e.kind)), N(e.length), N(e.angle));
    }
    QString operator()(const GlassTileEffect &e) const
    {
        return Join("GlassTile", AreaText(e.area), N(e.width), N(e.height));
    }
    QString operator()(const OilPaintEffect &e) const
    {
        return Join("OilPaint", AreaText(e.area), N(static_cast<int>(e.mode)), N(e.size));
    }
    QString operator()(const RippleEffect &e) const
    {
        return Join("Ripple", AreaText(e.area), N(e.amplitude), N(e.wavelength), QStringLiteral("0.5"),
                    Flag(e.fillFromNeighbours), Flag(false), kZero, kZero, kZero);
    }
    QString operator()(const WavesEffect &e) const
    {
        return Join("Waves", AreaText(e.area), N(static_cast<int>(e.direction)), N(static_cast<int>(e.shape)),
                    N(e.wavelength), N(e.size), QStringLiteral("0.5"), N(static_cast<int>(e.edge)), kZero, kZero,
                    kZero);
    }
    QString operator()(const RotationEffect &e) const
    {
        return Join("Rotation", AreaText(e.area), N(e.angle), Flag(e.mirrorLeftRight), Flag(e.mirrorUpDown),
                    Flag(true), kZero, kZero, kZero, Flag(false));
    }
    QString operator()(const ResizeEffect &e) const
    {
        return Join("Resize", AreaText(e.area), N(e.size.width()), N(e.size.height()), Flag(true));
    }
    QString operator()(const AntiAliasEffect &) const { return QStringLiteral("AntiAlias"); }
    QString operator()(const LevelEffect &e) const
    {
        return Join("YCCLevel", AreaText(e.area), N(e.brightness), kZero, kZero);
    }
    QString operator()(const ToneCurveEffect &e) const
    {
        QStringList numbers;
        for (QPoint p : e.points)
            numbers << N(p.x()) << N(p.y());
        return Join("YCCSpline", numbers.join(QLatin1Char('/')), Flag(true), Flag(true), Flag(true));
    }
    QString operator()(const GrayEffect &e) const { return Join("SetGray", AreaText(e.area)); }
    QString operator()(const RectangleCutEffect &e) const { return Join("CutRectImage", RectText(e.rect)); }
    QString operator()(const EllipseCutEffect &e) const { return Join("SelectImage", RectText(e.rect)); }
};

// Reads the fields of one record by their numbers (the name is field 3);
// the first missing or unreadable field makes the whole record bad.
class FieldReader {
public:
    explicit FieldReader(const QStringList &fromName) : m_fields(fromName) {}

    void Area(EffectArea &area)
    {
        const std::optional<EffectArea> parsed = ParseAreaText(Field(4));
        if (parsed)
            area = *parsed;
        else
            m_ok = false;
    }

    void Int(int number, IntRange range, int &value)
    {
        bool ok = false;
        const int parsed = Field(number).trimmed().toInt(&ok);
        if (ok)
            value = range.Clamp(parsed);
        else
            m_ok = false;
    }

    template <typename Enum>
    void Choice(int number, int count, Enum &value)
    {
        int index = 0;
        Int(number, IntRange{0, count - 1}, index);
        value = static_cast<Enum>(index);
    }

    // True unless it reads "False" in any letter case or the number 0.
    void Flag(int number, bool &value)
    {
        if (!Has(number)) {
            m_ok = false;
            return;
        }
        const QString text = Field(number).trimmed();
        bool isNumber = false;
        const int asNumber = text.toInt(&isNumber);
        value = !(text.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0 || (isNumber && asNumber == 0));
    }

    // Field 4 as count numbers separated by "/", each held to range.
    void Numbers(int count, IntRange range, int *values)
    {
        const QStringList parts = Field(4).split(QLatin1Char('/'));
        if (parts.size() != count) {
            m_ok = false;
            return;
        }
        for (int i = 0; i < count; ++i) {
            bool ok = false;
            values[i] = range.Clamp(parts[i].trimmed().toInt(&ok));
            m_ok = m_ok && ok;
        }
    }

    bool Has(int number) const { return number - 3 < m_fields.size(); }
    void Fail() { m_ok = false; }

    ParsedEffect Result(const Effect &effect) const
    {
        return m_ok ? ParsedEffect{EffectStatus::Applied, effect} : ParsedEffect{};
    }

private:
    QString Field(int number)
    {
        if (!Has(number)) {
            m_ok = false;
            return {};
        }
        return m_fields[number - 3];
    }

    const QStringList &m_fields;
    bool m_ok = true;
};

// A coordinate far outside any image is as good as one just outside it.
constexpr IntRange kCoordinateRange{-2 * kImageSideRange.maximum, 2 * kImageSideRange.maximum};

template <typename Cut>
ParsedEffect ReadCut(FieldReader &reader)
{
    int edges[4] = {};
    reader.Numbers(4, kCoordinateRange, edges);
    if (edges[2] <= edges[0] || edges[3] <= edges[1])
        reader.Fail();
    return reader.Result(Cut{QRect(QPoint(edges[0], edges[1]), QPoint(edges[2] - 1, edges[3] - 1))});
}

ParsedEffect ReadToneCurve(FieldReader &reader)
{
    int numbers[10] = {};
    reader.Numbers(10, kToneRange, numbers);
    ToneCurveEffect e;
    for (size_t i = 0; i < 5; ++i) {
        e.points[i] = QPoint(numbers[2 * i], numbers[2 * i + 1]);
        if (i > 0 && e.points[i].x() <= e.points[i - 1].x())
            reader.Fail();  // no curve passes through these points
    }
    return reader.Result(e);
}

}  // namespace

ToneCurveEffect ContrastCurve(int contrast)
{
    const int c = kContrastRange.Clamp(contrast);
    ToneCurveEffect e;
    e.points[1].ry() = 64 - c;
    e.points[3].ry() = 192 + c;
    return e;
}

QString EffectRecord(const Effect &effect)
{
    return std::visit(RecordWriter{}, effect);
}

ParsedEffect ParseEffectRecord(const QStringList &fieldsFromName)
{
    const QString name = fieldsFromName.value(0).trimmed();
    FieldReader r(fieldsFromName);
    if (name == QLatin1String("Sharp")) {
        SharpEffect e;
        r.Area(e.area);
        r.Int(5, kSharpStrengthRange, e.strength);
        return r.Result(e);
    }
    if (name == QLatin1String("Outline")) {
        OutlineEffect e;
        r.Area(e.area);
        r.Int(7, kOutlineStrengthRange, e.strength);
        return r.Result(e);
    }
    if (name == QLatin1String("Blur")) {
        BlurEffect e;
        r.Area(e.area);
        r.Int(5, kBlurStrengthRange, e.strength);
        return r.Result(e);
    }
    if (name == QLatin1String("Mosaic")) {
        MosaicEffect e;
        r.Area(e.area);
        r.Int(5, kMosaicSizeRange, e.width);
        r.Int(6, kMosaicSizeRange, e.height);
        return r.Result(e);
    }
    if (name == QLatin1String("Chroma")) {
        ChromaEffect e;
        r.Area(e.area);
        r.Int(5, kChromaRange, e.amount);
        return r.Result(e);
    }
    if (name == QLatin1String("Lens")) {
        LensEffect e;
        r.Area(e.area);
        r.Int(5, kLensMagnificationRange, e.magnification);
        r.Flag(6, e.paintOutside);
        return r.Result(e);
    }
    if (name == QLatin1String("Canvas")) {
        CanvasEffect e;
        r.Area(e.area);
        r.Choice(5, 4, e.light);
        r.Int(6, kCanvasDepthRange, e.depth);
        return r.Result(e);
    }
    if (name == QLatin1String("Emboss")) {
        EmbossEffect e;
        r.Area(e.area);
        r.Int(5, kEmbossPatternRange, e.pattern);
        r.Int(6, kEmbossEdgeRange, e.edge);
        r.Int(7, kEmbossBrightnessRange, e.brightness);
        return r.Result(e);
    }
    if (name == QLatin1String("WhirlPinch")) {
        WhirlPinchEffect e;
        r.Area(e.area);
        r.Int(5, kWhirlAngleRange, e.angle);
        r.Int(6, kPinchRange, e.pinch);
        r.Int(7, kWhirlSizeRange, e.size);
        return r.Result(e);
    }
    if (name == QLatin1String("MotionBlur")) {
        MotionBlurEffect e;
        r.Area(e.area);
        r.Choice(5, 3, e.kind);
        r.Int(6, kMotionLengthRange, e.length);
        r.Int(7, kMotionAngleRange, e.angle);
        return r.Result(e);
    }
    if (name == QLatin1String("GlassTile")) {
        GlassTileEffect e;
        r.Area(e.area);
        r.Int(5, kGlassTileSizeRange, e.width);
        r.Int(6, kGlassTileSizeRange, e.height);
        return r.Result(e);
    }
    if (name == QLatin1String("OilPaint")) {
        OilPaintEffect e;
        r.Area(e.area);
        r.Choice(5, 2, e.mode);
        r.Int(6, kOilPaintSizeRange, e.size);
        return r.Result(e);
    }
    if (name == QLatin1String("Ripple")) {
        RippleEffect e;
        r.Area(e.area);
        r.Int(5, kRippleAmplitudeRange, e.amplitude);
        r.Int(6, kWaveLengthRange, e.wavelength);
        r.Flag(8, e.fillFromNeighbours);
        return r.Result(e);
    }
    if (name == QLatin1String("Waves")) {
        WavesEffect e;
        r.Area(e.area);
        r.Choice(5, 2, e.direction);
        r.Choice(6, 2, e.shape);
        r.Int(7, kWaveLengthRange, e.wavelength);
        r.Int(8, kWaveSizeRange, e.size);
        r.Choice(10, 3, e.edge);
        return r.Result(e);
    }
    if (name == QLatin1String("Rotation")) {
        RotationEffect e;
        r.Area(e.area);
        r.Int(5, kRotationAngleRange, e.angle);
        r.Flag(6, e.mirrorLeftRight);
        if (r.Has(7))
            r.Flag(7, e.mirrorUpDown);
        return r.Result(e);
    }
    if (name == QLatin1String("Resize")) {
        ResizeEffect e;
        int width = 0, height = 0;
        r.Area(e.area);
        r.Int(5, kImageSideRange, width);
        r.Int(6, kImageSideRange, height);
        e.size = QSize(width, height);
        return r.Result(e);
    }
    if (name == QLatin1String("AntiAlias"))
        return r.Result(AntiAliasEffect{});
    if (name == QLatin1String("YCCLevel")) {
        LevelEffect e;
        r.Area(e.area);
        r.Int(5, kBrightnessRange, e.brightness);
        return r.Result(e);
    }
    if (name == QLatin1String("YCCSpline"))
        return ReadToneCurve(r);
    if (name == QLatin1String("SetGray")) {
        GrayEffect e;
        if (r.Has(4))
            r.Area(e.area);
        return r.Result(e);
    }
    if (name == QLatin1String("CutRectImage"))
        return ReadCut<RectangleCutEffect>(r);
    if (name == QLatin1String("SelectImage"))
        return ReadCut<EllipseCutEffect>(r);
    return ParsedEffect{EffectStatus::UnknownName, {}};
}

}  // namespace kq::panel
