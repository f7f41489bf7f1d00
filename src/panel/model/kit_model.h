#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include <optional>

// The six kit models a panel is made for. Sizes are document pixels, one
// document pixel being 0.1 mm on paper.
namespace kq::panel {

enum class LayoutGroup { Tall, Wide };

struct KitModel {
    int index;             // 0..5, the order of the product menu
    QString code;          // "TL-1" .. "TL-6"
    QSize panelSize;       // the flattened panel
    LayoutGroup group;     // tall page (A) or wide page (B) of the main window
    QRect canvas;          // the design canvas inside the panel picture area
    double correctionX;    // subtracted from the display scale across
    double correctionY;    // and down
    // The product page: the panel laid on a picture of the finished clock.
    QSize sheetSize;
    double productScale;
    int productTurnDegrees;  // clockwise
    QPoint productPosition;
};

inline constexpr int kKitModelCount = 6;

// index must be 0..5.
const KitModel &KitModelAt(int index);
// "TL-1" .. "TL-6"; nullopt for anything else.
std::optional<int> KitModelIndexOf(const QString &code);

// How many screen pixels one document pixel takes on the design canvas.
double DisplayScaleX(const KitModel &model);
double DisplayScaleY(const KitModel &model);
// The factor s by which text measured on screen is rendered into the
// document: panel width / canvas width.
double TextFactor(const KitModel &model);

// The model's pictures, relative to the panel maker's program folder.
QString PanelFramePicture(const KitModel &model);     // behind the design canvas
QString DefaultBackground(const KitModel &model);     // the reset background
QString FrameOverlay(const KitModel &model);          // laid over a flattened panel
QString ProductPhoto(const KitModel &model);          // the product page's photo
QString BackgroundFolder(const KitModel &model);      // the background picker's folder
QString PartsFolder(const KitModel &model);           // the parts picker's folder
QString WindowBackground(const KitModel &model);      // the main window's back picture

}  // namespace kq::panel
