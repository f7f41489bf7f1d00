#include "editors/icon/icon_drag.h"

#include "editors/icon/icon_table.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDrag>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMouseEvent>

namespace kq {

namespace {
const QString kIconMimeType = QStringLiteral("application/x-kq27-icon");
}  // namespace

std::unique_ptr<QMimeData> IconMimeData(int icon)
{
    auto mime = std::make_unique<QMimeData>();
    mime->setData(kIconMimeType, QByteArray::number(icon));
    return mime;
}

std::optional<int> IconOfMime(const QMimeData *mime)
{
    if (!mime || !mime->hasFormat(kIconMimeType))
        return std::nullopt;
    bool ok = false;
    const int icon = mime->data(kIconMimeType).toInt(&ok);
    if (!ok || !IsPaletteIcon(icon))
        return std::nullopt;
    return icon;
}

PaletteIcon::PaletteIcon(int icon, const QPixmap &picture, QWidget *parent) : QLabel(parent), m_icon(icon)
{
    setObjectName(QStringLiteral("PaletteIcon%1").arg(icon));
    setPixmap(picture);
    setCursor(Qt::OpenHandCursor);
}

void PaletteIcon::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        m_pressedAt = event->position().toPoint();
    QLabel::mousePressEvent(event);
}

void PaletteIcon::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_pressedAt || !(event->buttons() & Qt::LeftButton)
        || (event->position().toPoint() - *m_pressedAt).manhattanLength() < QApplication::startDragDistance())
        return;
    m_pressedAt.reset();
    auto *drag = new QDrag(this);
    drag->setMimeData(IconMimeData(m_icon).release());
    drag->setPixmap(pixmap());
    drag->exec(Qt::CopyAction);
}

SlotIconArea::SlotIconArea(int slot, QWidget *parent) : QLabel(parent), m_slot(slot)
{
    setObjectName(QStringLiteral("SlotIcon%1").arg(slot));
    setAcceptDrops(true);
}

void SlotIconArea::dragEnterEvent(QDragEnterEvent *event)
{
    if (IconOfMime(event->mimeData()))
        event->acceptProposedAction();
    else
        event->ignore();
}

void SlotIconArea::dragMoveEvent(QDragMoveEvent *event)
{
    if (IconOfMime(event->mimeData()))
        event->acceptProposedAction();
    else
        event->ignore();
}

void SlotIconArea::dropEvent(QDropEvent *event)
{
    const std::optional<int> icon = IconOfMime(event->mimeData());
    if (!icon) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    emit IconDropped(*icon);
}

void SlotIconArea::contextMenuEvent(QContextMenuEvent *event)
{
    emit MenuRequested(event->globalPos());
}

}  // namespace kq
