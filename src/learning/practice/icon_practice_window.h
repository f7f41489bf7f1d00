#pragma once

#include "learning/practice/practice_checks.h"

#include <QWidget>

#include <array>

class QComboBox;
class QFrame;
class QLabel;
class QSlider;
class QToolButton;

namespace kq {

class SlotIconArea;
class StudioContext;

// STEP1 practice: four exercises, each solved by dropping one icon from the
// palette onto a single slot and setting its controls. Each page keeps its
// own slot, so going back and on again shows what the pupil did there.
class IconPracticeWindow final : public QWidget {
    Q_OBJECT

public:
    explicit IconPracticeWindow(StudioContext &context, QWidget *parent = nullptr);

    int Page() const { return m_page; }
    SlotIconArea *SlotArea() const { return m_slotArea; }
    // nullptr while the slot shows no list or no slider.
    QComboBox *Choice() const { return m_choice; }
    QSlider *Slider() const { return m_slider; }
    QLabel *SliderCaption() const { return m_caption; }
    QToolButton *CheckButton() const { return m_check; }
    // "前へ": the page before; hidden on the first.
    QToolButton *BackButton() const { return m_back; }

    void DropIcon(int icon);
    // Judges the slot against the page's exercise and moves on or closes.
    void Check();

private:
    QWidget *BuildPalette();
    void ShowPage(int page);
    IconSlotAnswer &Answer() { return m_answers.at(static_cast<std::size_t>(m_page)); }
    // The slot's picture, list and slider as the page's answer holds them.
    void ShowSlot();
    void RebuildSlider();

    StudioContext &m_context;
    int m_page = 0;
    std::array<IconSlotAnswer, kIconPracticePages> m_answers;
    QLabel *m_title = nullptr;
    QLabel *m_task = nullptr;
    QLabel *m_picture = nullptr;
    QFrame *m_slot = nullptr;
    SlotIconArea *m_slotArea = nullptr;
    QComboBox *m_choice = nullptr;
    QSlider *m_slider = nullptr;
    QLabel *m_caption = nullptr;
    QToolButton *m_check = nullptr;
    QToolButton *m_back = nullptr;
};

}  // namespace kq
