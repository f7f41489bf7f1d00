// Draws the pictures and animations of the installed data tree from their SVG
// sources and makes the stop sound. The build runs one command per output, so
// only what changed is made again.
#include "gif_animation.h"
#include "svg_picture.h"
#include "tone_wave.h"

#include <QGuiApplication>
#include <QStringList>

#include <cstdio>

int main(int argc, char *argv[])
{
    // Text in the pictures needs the font database, hence a GUI application
    // (the build runs it on the offscreen platform).
    QGuiApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments().mid(1);

    QString error;
    if (args.size() >= 4 && args[0] == QLatin1String("picture")) {
        error = kq::assets::RenderPicture(args[1], args[2], args[3], args.mid(4));
    } else if (args.size() == 6 && args[0] == QLatin1String("element")) {
        error = kq::assets::RenderElement(args[1], args[2], args[3].toInt(), args[4], args[5]);
    } else if (args.size() == 6 && args[0] == QLatin1String("centre")) {
        error = kq::assets::RenderCentre(args[1], QSize(args[2].toInt(), args[3].toInt()), args[4], args[5]);
    } else if (args.size() == 5 && args[0] == QLatin1String("animation")) {
        error = kq::assets::RenderAnimation(args[1], args[2], args[3], args[4].toInt());
    } else if (args.size() == 4 && args[0] == QLatin1String("icon")) {
        error = kq::assets::RenderIcon(args[1], args[2].toInt(), args[3]);
    } else if (args.size() == 2 && args[0] == QLatin1String("tone")) {
        error = kq::assets::WriteStopTone(args[1]);
    } else {
        std::fputs("usage: kq_draw_assets picture <source.svg> <data-dir> <output> [element-id...]\n"
                   "       kq_draw_assets element <source.svg> <element-id> <size> <data-dir> <output>\n"
                   "       kq_draw_assets centre <source.svg> <width> <height> <data-dir> <output>\n"
                   "       kq_draw_assets animation <source.svg> <data-dir> <output.gif> <frame-delay-ms>\n"
                   "       kq_draw_assets icon <source.svg> <size> <output.png>\n"
                   "       kq_draw_assets tone <output.wav>\n",
                   stderr);
        return 2;
    }
    if (!error.isEmpty()) {
        std::fprintf(stderr, "kq_draw_assets: %s\n", qPrintable(error));
        return 1;
    }
    return 0;
}
