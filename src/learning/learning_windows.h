#pragma once

namespace kq {

class RecoveryRestorers;
class StudioContext;
class WindowRegistry;

// The windows of this folder that the studio opens by kind; the report
// window takes back the fields a crash left.
void RegisterLearningWindows(WindowRegistry &windows, StudioContext &context, RecoveryRestorers &restorers);

}  // namespace kq
