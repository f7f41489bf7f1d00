#include "panel/text_window/font_entry_delegate.h"

#include "panel/text/text_layer.h"

#include <QFontMetrics>
#include <QPainter>

namespace kq::panel {

QFont FontEntryDelegate::EntryFont(const QString &face)
{
    QFont font;
    font.setFamilies(FaceFamilies(face));
    font.setPointSize(10);
    return font;
}

void FontEntryDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QStyleOptionViewItem entry = option;
    initStyleOption(&entry, index);
    entry.font = EntryFont(index.data(Qt::DisplayRole).toString());
    entry.fontMetrics = QFontMetrics(entry.font);
    QStyledItemDelegate::paint(painter, entry, index);
}

QSize FontEntryDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QStyleOptionViewItem entry = option;
    entry.font = EntryFont(index.data(Qt::DisplayRole).toString());
    entry.fontMetrics = QFontMetrics(entry.font);
    const int width = QStyledItemDelegate::sizeHint(entry, index).width();
    return {width, entry.fontMetrics.boundingRect(QStringLiteral("Wg")).height() + 2};
}

}  // namespace kq::panel
