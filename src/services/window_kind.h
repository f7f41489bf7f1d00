#pragma once

namespace kq {

// Every window of the studio that is opened by its kind, one instance of
// each at most.
enum class WindowKind {
    // Opened from the main menu.
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
    // Opened from an editor.
    Preview,
    ParameterDialog,
    TransferData,
    Report,
    NoteDialog,
};

// How long a window lives.
enum class WindowLifetime {
    // Made once (at start-up) and hidden when it leaves, never destroyed.
    Reused,
    // Made when first opened and destroyed when it leaves.
    PerOpening,
};

}  // namespace kq
