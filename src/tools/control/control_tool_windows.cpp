#include "tools/control/control_tool_windows.h"

#include "services/window_registry.h"
#include "tools/control/clock_setting_window.h"
#include "tools/control/thermometer_window.h"
#include "tools/control/train_window.h"

namespace kq {

namespace {
QDateTime PcTime()
{
    return QDateTime::currentDateTime();
}
}  // namespace

void RegisterControlToolWindows(WindowRegistry &windows, StudioContext &context)
{
    windows.Register(WindowKind::Thermometer, WindowLifetime::PerOpening,
                     [&context] { return new ThermometerWindow(context, PcTime); });
    windows.Register(WindowKind::ClockSetting, WindowLifetime::Reused,
                     [&context] { return new ClockSettingWindow(context, PcTime); });
    windows.Register(WindowKind::TrainController, WindowLifetime::PerOpening,
                     [&context] { return new TrainWindow(context); });
}

}  // namespace kq
