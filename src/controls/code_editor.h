#pragma once

#include <QColor>
#include <QPlainTextEdit>
#include <QStringList>

#include <array>
#include <optional>

// A plain-text editor with line numbers in a gutter and colouring by
// character range, the way program text is written and shown.
namespace kq {

class CodeEditor final : public QPlainTextEdit {
    Q_OBJECT

public:
    explicit CodeEditor(QWidget *parent = nullptr);

    QString Text() const { return toPlainText(); }
    void SetText(const QString &text);
    // Every line, each ending in CR LF as the editor hands lines over.
    QStringList Lines() const;

    // Colours `length` characters of the 0-based line from `start`; the
    // colouring is dropped by ClearColouring and whenever the text is set.
    void ColourRange(int line, int start, int length, const QColor &foreground, const QColor &background);
    void ClearColouring();
    // The ranges currently coloured, as line, start, length.
    QList<std::array<int, 3>> ColouredRanges() const;

    // Marks the whole 0-based line as the one a running program executes,
    // scrolled into view; nullopt takes the mark away. Kept apart from the
    // colouring, and dropped when the text is set.
    void SetTraceLine(std::optional<int> line);
    std::optional<int> TraceLine() const { return m_traceLine; }
    // Marks the 0-based line in the gutter, selects it and puts the cursor
    // there, as where a check failed; the next change of the text drops the
    // mark, since the line it named may have moved.
    void MarkErrorLine(int line);
    // -1 when no line is marked.
    int ErrorLine() const { return m_errorLine; }

    int GutterWidth() const;

signals:
    // The marked line, or -1 when the mark was dropped.
    void ErrorLineChanged(int line);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    friend class LineNumberGutter;
    void PaintGutter(QPaintEvent *event);
    void ShowSelections();

    void SetErrorLine(int line);

    QWidget *m_gutter = nullptr;
    QList<QTextEdit::ExtraSelection> m_colouring;
    std::optional<int> m_traceLine;
    int m_errorLine = -1;
};

}  // namespace kq
