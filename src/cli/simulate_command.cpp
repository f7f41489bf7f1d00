#include "cli/command.h"
#include "cli/program_input.h"
#include "model/memory_messages.h"
#include "preview/preview_interpreter.h"

namespace kq::cli {

namespace {

constexpr const char *kSimulateUsage =
    "usage: kq27-tool simulate FILE [--generation 3|4] [--keywords FILE] [--switch on|off] [--light bright|dark] "
    "[--temp N] [--events LIST]";
// A program that never ends (an arrow back to its top) is cut off here.
constexpr int kInstructionLimit = 100000;

struct Sensors {
    bool switchPressed = false;
    bool bright = true;
    int temperature = 25;
};

// Prints each instruction as it starts, at the virtual time of its start.
class PrintingHost final : public PreviewHost {
public:
    PrintingHost(const Sensors &sensors, const qint64 &now) : m_sensors(sensors), m_now(now) {}

    bool SwitchPressed() const override { return m_sensors.switchPressed; }
    bool Bright() const override { return m_sensors.bright; }
    int Temperature() const override { return m_sensors.temperature; }
    void DrawLamp(Rgb, int) override {}
    void ClearLamp() override {}
    void ShowBacklight(BacklightPicture) override {}
    void ShowSoundPicture(SoundPicture) override {}
    void InstructionStarted(int address, int code) override
    {
        PrintLine(stdout, QStringLiteral("%1 %2 %3").arg(m_now).arg(address).arg(code));
        ++m_started;
    }

    int Started() const { return m_started; }

private:
    const Sensors &m_sensors;
    const qint64 &m_now;
    int m_started = 0;
};

struct SimulateOptions {
    Sensors sensors;
    QList<int> events;
    QStringList programArguments;  // for the program input
};

std::optional<SimulateOptions> ParseOptions(const QStringList &arguments)
{
    SimulateOptions options;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments[i];
        const bool ours = argument == QLatin1String("--switch") || argument == QLatin1String("--light")
            || argument == QLatin1String("--temp") || argument == QLatin1String("--events");
        if (!ours) {
            options.programArguments.append(argument);
            continue;
        }
        if (i + 1 >= arguments.size())
            return std::nullopt;
        const QString value = arguments[++i];
        bool ok = true;
        if (argument == QLatin1String("--switch")) {
            ok = value == QLatin1String("on") || value == QLatin1String("off");
            options.sensors.switchPressed = value == QLatin1String("on");
        } else if (argument == QLatin1String("--light")) {
            ok = value == QLatin1String("bright") || value == QLatin1String("dark");
            options.sensors.bright = value == QLatin1String("bright");
        } else if (argument == QLatin1String("--temp")) {
            options.sensors.temperature = value.toInt(&ok);
            ok = ok && options.sensors.temperature >= 0 && options.sensors.temperature <= 40;
        } else {
            for (const QString &item : value.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
                const int button = item.toInt(&ok);
                if (!ok || button < 1 || button > kWaitButtonCount)
                    return std::nullopt;
                options.events.append(button);
            }
        }
        if (!ok)
            return std::nullopt;
    }
    return options;
}

}  // namespace

int RunSimulate(const QStringList &arguments)
{
    const std::optional<SimulateOptions> options = ParseOptions(arguments);
    if (!options)
        return Fail(kUsageOrUnreadable, QString::fromUtf8(kSimulateUsage));
    const ProgramInputResult read = ReadProgramInput(options->programArguments, kSimulateUsage);
    if (!read.input)
        return read.exitCode;
    const std::optional<ByteList> bytes = ProgramBytesOf(*read.input);
    if (!bytes)
        return Fail(kInvalidProgram, kTextTransferOverflowMessage);

    qint64 now = 0;
    PrintingHost host(options->sensors, now);
    PreviewInterpreter interpreter(*bytes, host);
    interpreter.Reset();
    qsizetype nextEvent = 0;
    for (;;) {
        const StepResult step = interpreter.Step();
        switch (step.outcome) {
        case StepOutcome::Continue:
            now += step.milliseconds;
            if (host.Started() < kInstructionLimit)
                continue;
            PrintLine(stdout, QStringLiteral("stopped"));
            return kSuccess;
        case StepOutcome::Paused:
            PrintLine(stdout, QStringLiteral("wait %1").arg(interpreter.WaitingFor()));
            // Presses that match nothing are ignored, as the window's buttons are.
            while (nextEvent < options->events.size()) {
                if (interpreter.PressWaitButton(options->events[nextEvent++]))
                    break;
            }
            if (interpreter.WaitingFor() != 0) {
                PrintLine(stdout, QStringLiteral("stopped"));
                return kSuccess;
            }
            continue;
        case StepOutcome::Ended:
        case StepOutcome::Stopped:
            PrintLine(stdout, QStringLiteral("end %1").arg(now));
            return kSuccess;
        case StepOutcome::Broken:
            return Fail(kInvalidProgram,
                        QStringLiteral("the program cannot be followed at address %1").arg(interpreter.Pc()));
        }
    }
}

}  // namespace kq::cli
