#include "preview/clock_view.h"

#include "base/paths.h"

#include <QPainter>
#include <QRadialGradient>

namespace kq {

namespace {

const QString kPictureNames[] = {
    QStringLiteral("Tomei"),     QStringLiteral("Off"),       QStringLiteral("Back"),      QStringLiteral("Hontai"),
    QStringLiteral("BackLight"), QStringLiteral("Tokei"),     QStringLiteral("Kakunin"),   QStringLiteral("Melody"),
    QStringLiteral("Soundwait"), QStringLiteral("swwait"),    QStringLiteral("Lightwait"), QStringLiteral("Darkwait"),
    QStringLiteral("Tempwait"),  QStringLiteral("Inputwait"), QStringLiteral("Alerm"),
};

// The pictures drawn over the lamp are see-through where they are magenta
// (the GIF palette may shift it a little).
QImage KeyedOut(const QImage &picture)
{
    QImage keyed = picture.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < keyed.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(keyed.scanLine(y));
        for (int x = 0; x < keyed.width(); ++x) {
            if (qRed(line[x]) > 200 && qGreen(line[x]) < 80 && qBlue(line[x]) > 200)
                line[x] = qRgba(0, 0, 0, 0);
        }
    }
    return keyed;
}

QString NameOf(SoundPicture picture)
{
    switch (picture) {
    case SoundPicture::None:
        break;
    case SoundPicture::Confirmation:
        return QStringLiteral("Kakunin");
    case SoundPicture::Melody:
        return QStringLiteral("Melody");
    case SoundPicture::SoundWait:
        return QStringLiteral("Soundwait");
    case SoundPicture::SwitchWait:
        return QStringLiteral("swwait");
    case SoundPicture::LightWait:
        return QStringLiteral("Lightwait");
    case SoundPicture::DarkWait:
        return QStringLiteral("Darkwait");
    case SoundPicture::TemperatureWait:
        return QStringLiteral("Tempwait");
    case SoundPicture::InputWait:
        return QStringLiteral("Inputwait");
    case SoundPicture::AlarmWait:
        return QStringLiteral("Alerm");
    }
    return {};
}

constexpr QPoint kClockAt {0, 0};
constexpr QPoint kBacklightAt {0, 310};
constexpr QPoint kSoundAt {235, 310};
// Where the lamp dome lies in the clock picture.
constexpr QPointF kDomeCentre {180, 150};
constexpr qreal kDomeRadius = 95;

}  // namespace

ClockView::ClockView(const Paths &paths, QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("ClockImage"));
    for (const QString &name : kPictureNames) {
        const QImage picture(paths.ProgramFile(QStringLiteral("Img\\Pre\\%1.gif").arg(name)));
        const bool overLamp = name == QLatin1String("Back") || name == QLatin1String("Hontai");
        m_pictures[name] = overLamp ? KeyedOut(picture) : picture;
    }
    setFixedSize(455, 390);
}

QImage ClockView::Picture(const QString &name) const
{
    const auto found = m_pictures.find(name);
    return found == m_pictures.end() ? QImage() : found->second;
}

void ClockView::DrawLamp(Rgb colour, int opacity)
{
    m_lampLit = true;
    m_colour = colour;
    m_opacity = opacity;
    update();
}

void ClockView::ClearLamp()
{
    if (!m_lampLit)
        return;
    m_lampLit = false;
    update();
}

void ClockView::ShowBacklight(BacklightPicture picture)
{
    if (m_backlight == picture)
        return;
    m_backlight = picture;
    update();
}

void ClockView::ShowSoundPicture(SoundPicture picture)
{
    if (m_sound == picture)
        return;
    m_sound = picture;
    update();
}

void ClockView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (!m_lampLit) {
        painter.drawImage(kClockAt, Picture(QStringLiteral("Off")));
    } else {
        painter.drawImage(kClockAt, Picture(QStringLiteral("Tomei")));
        // 150 fully lit, 255 invisible.
        const qreal strength = qBound(0.0, (kLampInvisible - m_opacity) / qreal(kLampInvisible - kLampFullyLit), 1.0);
        QRadialGradient glow(kDomeCentre, kDomeRadius);
        QColor centre(m_colour.red, m_colour.green, m_colour.blue);
        centre.setAlphaF(float(strength));
        QColor rim = centre;
        rim.setAlphaF(float(strength * 0.55));
        glow.setColorAt(0.0, centre);
        glow.setColorAt(0.8, rim);
        glow.setColorAt(1.0, Qt::transparent);
        painter.save();
        painter.setClipRect(QRectF(kDomeCentre.x() - kDomeRadius, 0, 2 * kDomeRadius, 170));
        painter.setPen(Qt::NoPen);
        painter.setBrush(glow);
        painter.drawEllipse(kDomeCentre, kDomeRadius, kDomeRadius);
        painter.restore();
        painter.drawImage(kClockAt, Picture(QStringLiteral("Back")));
        painter.drawImage(kClockAt, Picture(QStringLiteral("Hontai")));
    }
    if (m_backlight != BacklightPicture::None)
        painter.drawImage(
            kBacklightAt,
            Picture(m_backlight == BacklightPicture::Lit ? QStringLiteral("BackLight") : QStringLiteral("Tokei")));
    if (m_sound != SoundPicture::None)
        painter.drawImage(kSoundAt, Picture(NameOf(m_sound)));
}

}  // namespace kq
