#include "editors/flowchart/parameters/parameter_edit.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>

namespace kq {

ParameterEdit::ParameterEdit(QWidget *parent) : QLineEdit(parent)
{
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

void ParameterEdit::focusInEvent(QFocusEvent *event)
{
    m_entered = text();
    QLineEdit::focusInEvent(event);
}

void ParameterEdit::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    // A popup (the edit's own context menu) takes the focus only for a while.
    if (event->reason() != Qt::PopupFocusReason)
        emit Left();
}

void ParameterEdit::keyPressEvent(QKeyEvent *event)
{
    const QString typed = event->text();
    if (m_digitsOnly && typed.size() == 1 && typed.at(0).isPrint()) {
        const QChar key = typed.at(0);
        if (!(key.isDigit() && key.unicode() < 0x80) && key != u'.') {
            event->accept();
            return;
        }
    }
    QLineEdit::keyPressEvent(event);
}

void ParameterEdit::mousePressEvent(QMouseEvent *event)
{
    QLineEdit::mousePressEvent(event);
    selectAll();
}

}  // namespace kq
