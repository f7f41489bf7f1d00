#pragma once

#include "panel/effects/effect_settings.h"

#include <QStringList>
#include <QWidget>

#include <vector>

class QComboBox;
class QGridLayout;
class QSlider;

namespace kq::panel {

// The controls of one effect page: labelled sliders that show their value
// beside them while they move, and combo boxes. Named "Slider1", "Slider2"...
// and "Combo1"... in the order they were added.
class ControlPage : public QWidget {
    Q_OBJECT

public:
    explicit ControlPage(QWidget *parent = nullptr);

    void AddSlider(const QString &label, IntRange range, int defaultValue);
    void AddCombo(const QString &label, const QStringList &choices);

    // index from 0 in the order of adding.
    int SliderValue(int index) const;
    int ComboIndex(int index) const;

    // Sliders to their defaults, combo boxes to their first choice.
    void Reset();

private:
    struct SliderControl {
        QSlider *slider;
        int defaultValue;
    };

    QGridLayout *m_grid;
    int m_rows = 0;
    std::vector<SliderControl> m_sliders;
    std::vector<QComboBox *> m_combos;
};

}  // namespace kq::panel
