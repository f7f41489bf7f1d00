#include "cli/command.h"

#include <QCoreApplication>

namespace {

using kq::cli::Command;

// Later commands are added here.
constexpr Command kCommands[] = {
    {"bytes", "bytes FILE [--generation 3|4]   the framed bytes sent to the clock, one per line", kq::cli::RunBytes},
    {"size", "size FILE [--generation 3|4]    the program's memory count", kq::cli::RunSize},
    {"lines", "lines FILE [--generation 3|4] [--keywords FILE]  the program lines of a program file (a text file's from its text)", kq::cli::RunLines},
    {"devices", "devices                         the HID devices present: identification, tab, description; a clock this user may not open ends in tab, \"not accessible\"", kq::cli::RunDevices},
    {"icons", "icons IN OUT [--generation 3|4] the icon file of program lines (or an \"OK\" program file)", kq::cli::RunIcons},
    {"melody", "melody FILE                     the framed bytes of a melody file sent to the clock, one per line", kq::cli::RunMelody},
    {"wav", "wav FILE OUT [--last 10|20]     the WAV file the PC plays for a melody file", kq::cli::RunWav},
    {"text", "text IN [--keywords FILE] [--generation 3|4]  program lines (or an \"OK\" program file) as program text", kq::cli::RunText},
    {"check", "check FILE [--keywords FILE]    \"OK\" or the first failing check of a text file's program", kq::cli::RunCheck},
    {"flowchart", "flowchart IN OUT [--generation 3|4]  the flowchart file of program lines (or an \"OK\" program file)", kq::cli::RunFlowchart},
    {"readback", "readback DUMP OUT               the flowchart file of a memory dump (one hexadecimal byte per line)", kq::cli::RunFlowchartReadBack},
    {"melody-readback", "melody-readback DUMP OUT        the melody file of a memory dump (one hexadecimal byte per line)", kq::cli::RunMelodyReadBack},
    {"simulate", "simulate FILE [--generation 3|4] [--switch on|off] [--light bright|dark] [--temp N] [--events LIST]  the program run in virtual time: \"<ms> <address> <code>\" per instruction, \"wait <n>\", \"end <ms>\"", kq::cli::RunSimulate},
    {"report", "report FILE OUT.html [--fields FILE]  the report of a program or melody file, with its pictures beside it (the report fields from FILE, or from --fields' program file)", kq::cli::RunReport},
};


}  // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    return kq::cli::RunCommandLine(kCommands, QCoreApplication::arguments().mid(1), kq::cli::kUsageOrUnreadable);
}
