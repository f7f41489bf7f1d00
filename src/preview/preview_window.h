#pragma once

#include "model/encoder.h"
#include "preview/preview_interpreter.h"

#include <QWidget>

#include <array>
#include <functional>
#include <memory>
#include <optional>

class QButtonGroup;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QSlider;

namespace kq {

class ClockView;
class StudioContext;
class WindowRegistry;

// Follows the instruction the preview runs: its address, or nullopt once the
// run has stopped.
using PreviewTrace = std::function<void(std::optional<int> address)>;

// "プレビュー": runs a program's bytes on a picture of the clock, pacing the
// interpreter with the waiter so the buttons and sensors stay usable.
class PreviewWindow final : public QWidget, private PreviewHost {
    Q_OBJECT
public:
    explicit PreviewWindow(StudioContext &context, QWidget *parent = nullptr);
    ~PreviewWindow() override;

    // Replaces the program; the preview stands stopped.
    void SetProgram(const ByteList &bytes);
    // Replaces the trace; kept until the window closes.
    void SetTrace(PreviewTrace trace);

    void Play();
    void Stop();
    void PressWaitButton(int button);

    bool Playing() const { return m_playing; }
    const ClockView &View() const { return *m_view; }

protected:
    void hideEvent(QHideEvent *event) override;

private:
    bool SwitchPressed() const override;
    bool Bright() const override;
    int Temperature() const override;
    void DrawLamp(Rgb colour, int opacity) override;
    void ClearLamp() override;
    void ShowBacklight(BacklightPicture picture) override;
    void ShowSoundPicture(SoundPicture picture) override;
    void InstructionStarted(int address, int code) override;

    // Steps until the program pauses, ends or is stopped.
    void RunUntilPause();
    void ShowStopped();

    StudioContext &m_context;
    std::unique_ptr<PreviewInterpreter> m_interpreter;
    bool m_playing = false;
    bool m_loopActive = false;
    PreviewTrace m_trace;

    ClockView *m_view = nullptr;
    QLabel *m_state = nullptr;
    QPushButton *m_play = nullptr;
    QPushButton *m_stop = nullptr;
    QRadioButton *m_pressed = nullptr;
    QRadioButton *m_bright = nullptr;
    QSlider *m_temperature = nullptr;
    QGroupBox *m_waitGroup = nullptr;
};

// Fills the reused preview window with the program and its trace and opens
// it from the editor `caller`, modal, centred over it.
void ShowPreview(WindowRegistry &windows, QWidget *caller, const ByteList &programBytes, PreviewTrace trace);

}  // namespace kq
