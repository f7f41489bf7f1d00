#include "controls/notice_text.h"

#include <QLabel>

namespace kq {

QLabel *NoticeText(const QString &text, QWidget *parent, int pointSize, Qt::Alignment alignment)
{
    auto *label = new QLabel(text, parent);
    QFont font = label->font();
    font.setPointSize(pointSize);
    font.setBold(true);
    label->setFont(font);
    label->setAlignment(alignment);
    return label;
}

void ShowCentred(QWidget &notice)
{
    const QWidget *parent = notice.parentWidget();
    notice.move((parent->width() - notice.width()) / 2, (parent->height() - notice.height()) / 2);
    notice.show();
    notice.raise();
}

}  // namespace kq
