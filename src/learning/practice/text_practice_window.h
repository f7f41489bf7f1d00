#pragma once

#include <QWidget>

#include <array>

class QLineEdit;
class QTabWidget;
class QTextBrowser;
class QToolButton;

namespace kq {

class StudioContext;

// STEP3 practice: three one-line exercises beside the text language's help.
// The help is always the installed page and the answers are the built-in
// words, whatever the pupil's keyword settings say.
class TextPracticeWindow final : public QWidget {
    Q_OBJECT

public:
    explicit TextPracticeWindow(StudioContext &context, QWidget *parent = nullptr);

    QTabWidget *Pages() const { return m_pages; }
    QLineEdit *Answer(int page) const { return m_answers.at(static_cast<std::size_t>(page)); }
    QToolButton *CheckButton(int page) const { return m_checks.at(static_cast<std::size_t>(page)); }
    QTextBrowser *Help() const { return m_help; }

    // Judges the answer of a page (0-based) and moves on or closes.
    void Check(int page);

private:
    QWidget *BuildPage(int page);
    QWidget *BuildHelpPane();
    void ShowStartPage();

    StudioContext &m_context;
    QTabWidget *m_pages = nullptr;
    QTextBrowser *m_help = nullptr;
    std::array<QLineEdit *, 3> m_answers {};
    std::array<QToolButton *, 3> m_checks {};
};

}  // namespace kq
