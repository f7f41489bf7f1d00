#pragma once

#include <QString>

class QToolButton;
class QWidget;

namespace kq {

class Paths;

// A button drawn as a picture of the data tree ("Img\Thermo\Start.bmp").
// Without the picture it shows text, so it can still be found and pressed.
QToolButton *MakePictureButton(QWidget *parent, const QString &objectName, const Paths &paths, const QString &picture,
                               const QString &text);

// The pictures are drawn on white and hold no transparency: their window
// takes the same background, so they do not stand out as boxes.
void UsePictureBackground(QWidget &window);

}  // namespace kq
