#include "panel/main_window/picture_button.h"

#include "base/paths.h"

#include <QPixmap>
#include <QToolButton>

namespace kq::panel {

QToolButton *MakeIconButton(QWidget *parent, const QString &objectName, const Paths &panelPaths, const QString &picture,
                            const QString &caption)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(objectName);
    button->setText(caption);
    button->setToolTip(caption);
    button->setCursor(Qt::PointingHandCursor);
    button->setFocusPolicy(Qt::NoFocus);
    const QPixmap pixmap(panelPaths.ProgramFile(picture));
    if (pixmap.isNull())
        return button;  // a plain button with its caption
    // The picture is the button: no frame until the mouse is over it.
    button->setAutoRaise(true);
    button->setIcon(pixmap);
    button->setIconSize(pixmap.size());
    return button;
}

QToolButton *MakePictureButton(QWidget *parent, const QString &objectName, const Paths &panelPaths,
                               const QString &picture, const QString &caption)
{
    QToolButton *button = MakeIconButton(parent, objectName, panelPaths, picture, caption);
    if (!button->icon().isNull())
        button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    return button;
}

}  // namespace kq::panel
