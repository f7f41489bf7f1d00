// Builds the installed data tree from the text sources in assets/: pictures
// rendered from SVG, the stop sound and the help page generated from the
// instruction catalogue. The build runs one command per output so that only
// what changed is made again.
#include "memory_page.h"
#include "svg_picture.h"
#include "tone_wave.h"

#include <QGuiApplication>
#include <QStringList>

#include <cstdio>

namespace {

int Usage()
{
    std::fputs("usage: kq_asset_generator picture <source.svg> <data-dir> <output> [element-id...]\n"
               "       kq_asset_generator tone <output.wav>\n"
               "       kq_asset_generator memory-page <output.html>\n",
               stderr);
    return 2;
}

}  // namespace

int main(int argc, char *argv[])
{
    // Text in the pictures needs the font database, hence a GUI application
    // (the build runs it on the offscreen platform).
    QGuiApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments().mid(1);
    if (args.isEmpty())
        return Usage();

    QString error;
    const QString &command = args.first();
    if (command == QLatin1String("picture") && args.size() >= 4)
        error = kq::assets::RenderPicture(args[1], args[2], args[3], args.mid(4));
    else if (command == QLatin1String("tone") && args.size() == 2)
        error = kq::assets::WriteStopTone(args[1]);
    else if (command == QLatin1String("memory-page") && args.size() == 2)
        error = kq::assets::WriteMemoryPage(args[1]);
    else
        return Usage();

    if (!error.isEmpty()) {
        std::fprintf(stderr, "kq_asset_generator: %s\n", qPrintable(error));
        return 1;
    }
    return 0;
}
