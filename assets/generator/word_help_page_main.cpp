// Writes the text language's help pages from the default keyword file and the
// instruction catalogue.
#include "word_help_page.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments().mid(1);
    if (args.size() != 2) {
        std::fputs("usage: kq_word_help_pages <KQ27.dat> <output folder>\n", stderr);
        return 2;
    }
    if (const QString error = kq::assets::WriteWordHelpPages(args[0], args[1]); !error.isEmpty()) {
        std::fprintf(stderr, "kq_word_help_pages: %s\n", qPrintable(error));
        return 1;
    }
    return 0;
}
