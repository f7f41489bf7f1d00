// Writes the help page on memory use from the instruction catalogue; kept
// apart from the drawing tool so that only this page follows catalogue changes.
#include "memory_page.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments().mid(1);
    if (args.size() != 1) {
        std::fputs("usage: kq_memory_page <output.html>\n", stderr);
        return 2;
    }
    if (const QString error = kq::assets::WriteMemoryPage(args[0]); !error.isEmpty()) {
        std::fprintf(stderr, "kq_memory_page: %s\n", qPrintable(error));
        return 1;
    }
    return 0;
}
