#pragma once

namespace kq {

// The windows the main menu opens, one instance of each at most.
enum class WindowKind {
    IconPractice,
    IconEditor,
    FlowchartPractice,
    FlowchartEditor,
    TextPractice,
    TextEditor,
    MelodyEditor,
    Thermometer,
    TrainController,
    ClockSetting,
    KeywordSettings,
};

}  // namespace kq
