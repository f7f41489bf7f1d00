#pragma once

#include <QStyledItemDelegate>

// Draws each entry of a font list in its own face at 10 points; an entry is
// as high as "Wg" in that face plus 2 pixels.
namespace kq::panel {

class FontEntryDelegate final : public QStyledItemDelegate {
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

    static QFont EntryFont(const QString &face);
};

}  // namespace kq::panel
