#include "cli/kq18/tool_command.h"

#include <QGuiApplication>

namespace {

using kq::kq18tool::Command;

// One line per command.
constexpr Command kCommands[] = {
    {"flatten", "flatten FILE.kq18 MODEL OUT    the panel of a panel file for a kit model (TL-1..TL-6) with its frame overlay, as a picture of OUT's type", kq::kq18tool::RunFlatten},
    {"print", "print FILE.kq18 MODEL OUT.pdf  that panel printed at real size, 10 mm from the left and top edges of an A4 page, into a PDF file", kq::kq18tool::RunPrint},
    {"effect", "effect RECORD IN OUT           one processing record from the effect name on (e.g. \"Blur,0/0/0/0/0/0/0/0,10\") applied to a picture", kq::kq18tool::RunEffect},
};

}  // namespace

int main(int argc, char *argv[])
{
    // Text layers are rendered with Qt's fonts, which need a platform; scripts
    // run without a display.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    return kq::cli::RunCommandLine(kCommands, QGuiApplication::arguments().mid(1),
                                   kq::kq18tool::kUsageOrUnreadable);
}
