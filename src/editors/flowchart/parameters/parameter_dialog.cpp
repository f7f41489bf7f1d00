#include "editors/flowchart/parameters/parameter_controls.h"

#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QVBoxLayout>

namespace kq {

ParameterDialog::ParameterDialog(QWidget *parent) : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("Form3"));
    setModal(true);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    m_controls = new ParameterControls(ParameterControls::Mode::Dialog, this);
    layout->addWidget(m_controls);
    setFixedWidth(300);
    connect(m_controls, &ParameterControls::Accepted, this, [this](const ParameterChoice &choice) {
        m_result = choice;
        accept();
    });
    connect(m_controls, &ParameterControls::Cancelled, this, &QDialog::reject);
}

std::optional<ParameterChoice> ParameterDialog::Ask(InstructionKind kind, const QStringList &subroutineNames,
                                                    int generation, QPoint dropPoint, QRect visibleSheet)
{
    m_result.reset();
    m_dragOffset.reset();
    m_controls->ShowFor(kind, std::nullopt, subroutineNames, generation);
    // Rows hidden just now must not count: lay out again before sizing.
    m_controls->layout()->activate();
    layout()->activate();
    adjustSize();
    move(DialogPlacement(dropPoint, size(), visibleSheet));
    exec();
    return m_result;
}

void ParameterDialog::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    QLinearGradient background(0, 0, 0, height());
    background.setColorAt(0, QColor(0xE8, 0xF4, 0xFF));
    background.setColorAt(1, QColor(0xB8, 0xD8, 0xF0));
    painter.fillRect(rect(), background);
    painter.setPen(QColor(0x40, 0x70, 0xA0));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

// The dialog has no title bar: dragging its background moves it.
void ParameterDialog::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        m_dragOffset = event->globalPosition().toPoint() - frameGeometry().topLeft();
    QDialog::mousePressEvent(event);
}

void ParameterDialog::mouseMoveEvent(QMouseEvent *event)
{
    if (m_dragOffset && (event->buttons() & Qt::LeftButton))
        move(event->globalPosition().toPoint() - *m_dragOffset);
    QDialog::mouseMoveEvent(event);
}

}  // namespace kq
