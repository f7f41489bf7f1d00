#pragma once

#include "model/catalogue.h"
#include "model/paths.h"
#include "model/report_fields.h"

namespace kq {

class DeviceLink;
class Dialogs;
class Waiter;

// The services shared by every window of the studio. Made once in main() (or
// by a test with fakes) and passed by reference; it outlives every window.
class StudioContext {
public:
    StudioContext(Dialogs &dialogs, Waiter &waiter, Paths paths)
        : m_dialogs(dialogs), m_waiter(waiter), m_paths(std::move(paths))
    {
    }

    Dialogs &dialogs() const { return m_dialogs; }
    Waiter &waiter() const { return m_waiter; }
    const Paths &paths() const { return m_paths; }

    // The generation of the connected clock; every catalogue lookup is passed
    // this value.
    int generation() const { return m_generation; }
    void setGeneration(int generation) { m_generation = generation; }

    // A step switch under way and the step that started it (1 icons,
    // 2 flowchart, 3 text). The main menu clears it whenever it is shown.
    struct StepSwitch {
        bool underWay = false;
        int sourceStep = 0;
    };
    StepSwitch &stepSwitch() { return m_stepSwitch; }

    ReportFields &reportFields() { return m_reportFields; }

    // The link to the clock, set once by main(); nullptr where a test runs
    // a window without one.
    DeviceLink *deviceLink() const { return m_deviceLink; }
    void setDeviceLink(DeviceLink *link) { m_deviceLink = link; }

private:
    Dialogs &m_dialogs;
    Waiter &m_waiter;
    Paths m_paths;
    int m_generation = kCurrentGeneration;
    StepSwitch m_stepSwitch;
    ReportFields m_reportFields;
    DeviceLink *m_deviceLink = nullptr;
};

}  // namespace kq
