#include "controls/code_editor.h"

#include <QPainter>
#include <QPaintEvent>
#include <QScrollBar>
#include <QTextBlock>

#include <cmath>

namespace kq {

namespace {
const QColor kLineNumberColour(0x80, 0x80, 0x80);
const QColor kErrorLineColour(0xd3, 0x2f, 0x2f);
}  // namespace

class LineNumberGutter final : public QWidget {
public:
    explicit LineNumberGutter(CodeEditor *editor) : QWidget(editor), m_editor(editor) {}
    QSize sizeHint() const override { return {m_editor->GutterWidth(), 0}; }

protected:
    void paintEvent(QPaintEvent *event) override { m_editor->PaintGutter(event); }

private:
    CodeEditor *m_editor;
};

CodeEditor::CodeEditor(QWidget *parent) : QPlainTextEdit(parent), m_gutter(new LineNumberGutter(this))
{
    setLineWrapMode(QPlainTextEdit::NoWrap);
    connect(this, &QPlainTextEdit::blockCountChanged, this, [this] { setViewportMargins(GutterWidth(), 0, 0, 0); });
    connect(this, &QPlainTextEdit::updateRequest, this, [this](const QRect &rect, int dy) {
        if (dy != 0)
            m_gutter->scroll(0, dy);
        else
            m_gutter->update(0, rect.y(), m_gutter->width(), rect.height());
    });
    connect(this, &QPlainTextEdit::textChanged, this, [this] { SetErrorLine(-1); });
    setViewportMargins(GutterWidth(), 0, 0, 0);
}

void CodeEditor::SetText(const QString &text)
{
    m_traceLine.reset();
    ClearColouring();
    // The editor keeps lines apart with LF; CR LF from files and the
    // converters must not leave stray CRs in it.
    setPlainText(QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

QStringList CodeEditor::Lines() const
{
    QStringList lines;
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next())
        lines.append(block.text() + QStringLiteral("\r\n"));
    // The line after the last line break is no line until something is typed on it.
    if (!lines.isEmpty() && lines.last() == QStringLiteral("\r\n"))
        lines.removeLast();
    return lines;
}

void CodeEditor::ColourRange(int line, int start, int length, const QColor &foreground, const QColor &background)
{
    const QTextBlock block = document()->findBlockByNumber(line);
    if (!block.isValid())
        return;
    QTextEdit::ExtraSelection selection;
    selection.cursor = QTextCursor(block);
    selection.cursor.setPosition(block.position() + start);
    selection.cursor.setPosition(block.position() + std::min(start + length, int(block.length()) - 1),
                                 QTextCursor::KeepAnchor);
    selection.format.setForeground(foreground);
    selection.format.setBackground(background);
    m_colouring.append(selection);
    ShowSelections();
}

void CodeEditor::ClearColouring()
{
    m_colouring.clear();
    ShowSelections();
}

QList<std::array<int, 3>> CodeEditor::ColouredRanges() const
{
    QList<std::array<int, 3>> ranges;
    for (const QTextEdit::ExtraSelection &selection : m_colouring) {
        const QTextBlock block = document()->findBlock(selection.cursor.selectionStart());
        ranges.append({block.blockNumber(), selection.cursor.selectionStart() - block.position(),
                       selection.cursor.selectionEnd() - selection.cursor.selectionStart()});
    }
    return ranges;
}

void CodeEditor::SetTraceLine(std::optional<int> line)
{
    if (line && !document()->findBlockByNumber(*line).isValid())
        line.reset();
    m_traceLine = line;
    ShowSelections();
    if (!line)
        return;
    // Into view without moving the cursor: the pupil's place stays.
    QScrollBar *scroll = verticalScrollBar();
    const int shownLines = std::max(1, viewport()->height() / std::max(1, fontMetrics().lineSpacing()));
    if (*line < scroll->value() || *line >= scroll->value() + shownLines)
        scroll->setValue(*line - shownLines / 2);
}

void CodeEditor::ShowSelections()
{
    QList<QTextEdit::ExtraSelection> selections = m_colouring;
    if (m_traceLine) {
        // Last, so the line's background lies over the comments' colouring.
        QTextEdit::ExtraSelection trace;
        trace.cursor = QTextCursor(document()->findBlockByNumber(*m_traceLine));
        trace.format.setBackground(QColor(0xff, 0xe0, 0x66));
        trace.format.setProperty(QTextFormat::FullWidthSelection, true);
        selections.append(trace);
    }
    setExtraSelections(selections);
}

void CodeEditor::MarkErrorLine(int line)
{
    const QTextBlock block = document()->findBlockByNumber(line);
    if (!block.isValid())
        return;
    QTextCursor cursor(block);
    cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    setTextCursor(cursor);
    ensureCursorVisible();
    setFocus();
    SetErrorLine(line);
}

void CodeEditor::SetErrorLine(int line)
{
    if (line == m_errorLine)
        return;
    m_errorLine = line;
    m_gutter->update();
    emit ErrorLineChanged(line);
}

int CodeEditor::GutterWidth() const
{
    const int digits = std::max(3, int(QString::number(std::max(1, blockCount())).size()));
    return 10 + fontMetrics().horizontalAdvance(QLatin1Char('9')) * digits;
}

void CodeEditor::resizeEvent(QResizeEvent *event)
{
    QPlainTextEdit::resizeEvent(event);
    const QRect area = contentsRect();
    m_gutter->setGeometry(area.left(), area.top(), GutterWidth(), area.height());
}

void CodeEditor::PaintGutter(QPaintEvent *event)
{
    QPainter painter(m_gutter);
    painter.fillRect(event->rect(), QColor(0xee, 0xee, 0xee));
    QFont boldFont = font();
    boldFont.setBold(true);
    QTextBlock block = firstVisibleBlock();
    int top = int(std::lround(blockBoundingGeometry(block).translated(contentOffset()).top()));
    while (block.isValid() && top <= event->rect().bottom()) {
        const int height = int(std::lround(blockBoundingRect(block).height()));
        if (block.isVisible() && top + height >= event->rect().top()) {
            const bool marked = block.blockNumber() == m_errorLine;
            if (marked)
                painter.fillRect(0, top, m_gutter->width(), height, kErrorLineColour);
            painter.setPen(marked ? Qt::white : kLineNumberColour);
            painter.setFont(marked ? boldFont : font());
            painter.drawText(0, top, m_gutter->width() - 5, fontMetrics().height(), Qt::AlignRight,
                             QString::number(block.blockNumber() + 1));
        }
        top += height;
        block = block.next();
    }
}

}  // namespace kq
