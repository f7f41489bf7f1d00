#pragma once

#include <QByteArray>
#include <QImage>
#include <QPoint>
#include <QSize>

#include <array>
#include <optional>

class QPrinter;

// Printing at real size: one document pixel is 0.1 mm on paper.
namespace kq::panel {

struct KitModel;

// The sheet of "まとめて印刷": A4 in document pixels, with four slots for
// exported panels.
inline constexpr QSize kA4SheetSize(2100, 2970);
inline constexpr int kSheetSlotCount = 4;
using SheetPictures = std::array<QImage, kSheetSlotCount>;

// The top-left corner of slot 0..3 on the sheet. The layout follows the kit
// model chosen in the menu: the wide models stack four panels, the others
// take two by two.
QPoint SheetSlot(const KitModel &model, int slot);

// A white A4 sheet with each picture (null: empty slot) merged at its slot,
// white being transparent.
QImage ComposeSheet(const KitModel &model, const SheetPictures &pictures);

// One page of a document "Print Out": the panel at real size, its corner
// 10 mm from the left and top edges of the paper. False when the printer
// could not be started.
[[nodiscard]] bool PrintPanel(QPrinter &printer, const QImage &panel);

// The page PrintPanel prints, as an A4 PDF file's bytes; nullopt when it
// could not be drawn.
std::optional<QByteArray> PanelPdf(const QImage &panel);

// One page of a document "Print Out": the A4 sheet over the whole paper from
// its top-left corner.
[[nodiscard]] bool PrintSheet(QPrinter &printer, const QImage &sheet);

}  // namespace kq::panel
