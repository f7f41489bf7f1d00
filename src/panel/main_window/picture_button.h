#pragma once

#include <QString>

class QToolButton;
class QWidget;

namespace kq {
class Paths;
}

namespace kq::panel {

// A button drawn as a picture of the panel maker's data tree
// ("Img/Button/Read.bmp"), with its caption under the picture. Without the
// picture it shows the caption alone, so it can still be found and pressed.
QToolButton *MakePictureButton(QWidget *parent, const QString &objectName, const Paths &panelPaths,
                               const QString &picture, const QString &caption);

// The same without a caption: the picture alone, the caption as a tool tip
// (and as the text when the picture is missing).
QToolButton *MakeIconButton(QWidget *parent, const QString &objectName, const Paths &panelPaths, const QString &picture,
                            const QString &caption);

}  // namespace kq::panel
