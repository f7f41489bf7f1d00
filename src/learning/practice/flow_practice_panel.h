#pragma once

#include "editors/flowchart/parameters/parameter_rows.h"
#include "learning/practice/practice_checks.h"

#include <QWidget>

#include <array>

class QComboBox;
class QFrame;
class QLabel;
class QSlider;

namespace kq {

// Page 6's lamp settings, as the flowchart's lamp page offers them but
// worded for the practice: the lamp list, the colour names, the Red, Green
// and Blue sliders with a colour preview and the time slider, each slider
// captioned with its current value, and OK.
class FlowPracticePanel final : public QWidget {
    Q_OBJECT

public:
    static constexpr int kColourSliders = 3;

    explicit FlowPracticePanel(int generation, QWidget *parent = nullptr);

    FlowPracticeSettings Settings() const;

signals:
    // OK was pressed.
    void Accepted(const kq::FlowPracticeSettings &settings);

private:
    void ChoiceChanged(int choice);
    void ColourNameChosen(int index);
    void ColourMoved();
    void TimeMoved();

    QComboBox *m_choices = nullptr;
    QComboBox *m_colourNames = nullptr;
    QFrame *m_preview = nullptr;
    std::array<QLabel *, kColourSliders> m_colourCaptions {};
    std::array<QSlider *, kColourSliders> m_colourSliders {};
    ValueRow m_timeRow;
    QLabel *m_timeCaption = nullptr;
    QSlider *m_timeSlider = nullptr;
    // A colour name sets the sliders: that is no move by hand.
    bool m_settingNamedColour = false;
};

}  // namespace kq
