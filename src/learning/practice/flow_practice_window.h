#pragma once

#include <QPoint>
#include <QWidget>

#include <array>

class QLabel;
class QStackedWidget;
class QToolButton;

namespace kq {

class FlowPracticeDropArea;
class FlowPracticeLinkArea;
class FlowPracticePanel;
class StudioContext;
struct FlowPracticeSettings;

// STEP2 practice: a ten-page walk-through that places one lamp box, sets
// its parameters and links start, lamp and end with arrows.
class FlowPracticeWindow final : public QWidget {
    Q_OBJECT

public:
    static constexpr int kPages = 10;

    explicit FlowPracticeWindow(StudioContext &context, QWidget *parent = nullptr);

    int Page() const;
    // The picture that moves a page (0-based) forward; the last one closes.
    QToolButton *ForwardButton(int page) const { return m_forward.at(static_cast<std::size_t>(page)); }
    // "前へ" of a page (0-based); the first page has none. Going back keeps
    // the box, its settings and the arrows as the pupil left them.
    QToolButton *BackButton(int page) const { return m_back.at(static_cast<std::size_t>(page)); }
    FlowPracticeDropArea *DropArea() const { return m_dropArea; }
    QLabel *PlacedBox() const { return m_placed; }
    FlowPracticePanel *Panel() const { return m_panel; }
    FlowPracticeLinkArea *LinkArea() const { return m_links; }

    void DropKind(int kind, QPoint position);
    void SettingsChosen(const FlowPracticeSettings &settings);

private:
    QWidget *BuildPage(int page);
    QWidget *BuildDropPage(QWidget *page);
    void Forward(int page);

    StudioContext &m_context;
    QStackedWidget *m_pages = nullptr;
    std::array<QToolButton *, kPages> m_forward {};
    std::array<QToolButton *, kPages> m_back {};
    FlowPracticeDropArea *m_dropArea = nullptr;
    QLabel *m_placed = nullptr;
    FlowPracticePanel *m_panel = nullptr;
    FlowPracticeLinkArea *m_links = nullptr;
};

}  // namespace kq
