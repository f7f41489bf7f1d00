#include "tools/control/picture_button.h"

#include "base/paths.h"

#include <QPalette>
#include <QPixmap>
#include <QToolButton>

namespace kq {

QToolButton *MakePictureButton(QWidget *parent, const QString &objectName, const Paths &paths, const QString &picture,
                               const QString &text)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(objectName);
    button->setText(text);
    button->setToolTip(text);
    button->setAutoRaise(true);
    button->setCursor(Qt::PointingHandCursor);
    const QPixmap pixmap(paths.ProgramFile(picture));
    if (!pixmap.isNull()) {
        // An icon-only tool button shows its text when the icon is missing.
        button->setIcon(pixmap);
        button->setIconSize(pixmap.size());
    }
    return button;
}

void UsePictureBackground(QWidget &window)
{
    QPalette palette = window.palette();
    palette.setColor(QPalette::Window, Qt::white);
    window.setPalette(palette);
    window.setAutoFillBackground(true);
}

}  // namespace kq
