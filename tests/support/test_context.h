#pragma once

#include "context/studio_context.h"
#include "device/virtual_clock.h"
#include "support/fake_waiter.h"
#include "support/recording_dialogs.h"
#include "support/temp_paths.h"

namespace kq::testing {

// A studio context over temporary folders, with the recording dialogs, the
// fake waiter and a virtual clock whose link has not started looking.
struct TestContext {
    TestContext() = default;
    // Over folders under root, which outlive the context.
    explicit TestContext(const QString &root) : temp(root) {}

    TempPaths temp;
    RecordingDialogs dialogs;
    FakeWaiter waiter;
    VirtualClock clock;
    StudioContext context{dialogs, waiter, temp.Paths(), clock};
};

}  // namespace kq::testing
