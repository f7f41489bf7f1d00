#pragma once

#include "base/paths.h"
#include "base/recovery_store.h"
#include "context/keywords_state.h"
#include "context/report_fields_state.h"
#include "context/step.h"
#include "device/device_link.h"
#include "model/device_generation.h"

namespace kq {

class Dialogs;
class HidBackend;
class Waiter;

// The services shared by every window of the studio, and the state that
// several open windows share. Made once in main() (or by a test with fakes)
// and passed by reference; it outlives every window.
class StudioContext {
public:
    // hid is where the clock is looked for: hidapi, or a virtual clock in
    // tests. The link exists from here on, with or without a clock.
    StudioContext(kq::Dialogs &dialogs, kq::Waiter &waiter, kq::Paths paths, HidBackend &hid);
    StudioContext(const StudioContext &) = delete;
    StudioContext &operator=(const StudioContext &) = delete;

    kq::Dialogs &Dialogs() const { return m_dialogs; }
    kq::Waiter &Waiter() const { return m_waiter; }
    const kq::Paths &Paths() const { return m_paths; }
    kq::DeviceLink &DeviceLink() { return m_deviceLink; }

    // The generation of the connected clock; every catalogue lookup is passed
    // its value.
    kq::DeviceGeneration &Generation() { return m_generation; }
    ReportFieldsState &ReportFields() { return m_reportFields; }
    StepSwitchState &StepSwitch() { return m_stepSwitch; }
    KeywordsState &Keywords() { return m_keywords; }
    // Where the editing windows keep the recovery copies of their work.
    RecoveryStore &Recovery() { return m_recovery; }

private:
    kq::Dialogs &m_dialogs;
    kq::Waiter &m_waiter;
    kq::Paths m_paths;
    kq::DeviceGeneration m_generation;
    ReportFieldsState m_reportFields;
    StepSwitchState m_stepSwitch;
    KeywordsState m_keywords{m_paths};
    RecoveryStore m_recovery{m_paths.TempFolder() + QStringLiteral("Recovery/")};
    // Last: it is made from the services above and goes before them.
    kq::DeviceLink m_deviceLink;
};

}  // namespace kq
