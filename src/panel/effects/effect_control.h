#pragma once

// How a running effect learns that the user pressed "中止" and reports how
// far it got. Both are called from the thread that runs the effect.
namespace kq::panel {

class EffectControl {
public:
    virtual ~EffectControl() = default;
    virtual bool StopRequested() const = 0;
    virtual void ReportProgress(int percent) = 0;
};

// For effects nobody watches: replay on load, the quick buttons, the tool.
class UnattendedEffect final : public EffectControl {
public:
    bool StopRequested() const override { return false; }
    void ReportProgress(int) override {}
};

enum class EffectStatus { Applied, UnknownName, BadFields, Cancelled };

}  // namespace kq::panel
