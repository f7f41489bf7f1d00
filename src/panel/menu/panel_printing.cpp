#include "panel/menu/panel_printing.h"

#include "panel/document/panel_picture.h"
#include "panel/model/kit_model.h"

#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>

namespace kq::panel {

namespace {

constexpr QPoint kPanelMargin(100, 100);
const QString kDocumentName = QStringLiteral("Print Out");
// The resolution of a high-resolution PDF printer.
constexpr int kPdfDotsPerInch = 1200;

// Draws image into area, given in 0.1 mm from the origin of device.
bool DrawInto(QPagedPaintDevice &device, const QImage &image, const QRect &area)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    // The painter works in device pixels at the device's resolution.
    const double perTenthX = device.logicalDpiX() / 254.0;
    const double perTenthY = device.logicalDpiY() / 254.0;
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRectF(area.x() * perTenthX, area.y() * perTenthY, area.width() * perTenthX,
                             area.height() * perTenthY),
                      image);
    return painter.end();
}

// Draws image into area, given in 0.1 mm from the paper's top-left corner.
bool PrintInto(QPrinter &printer, const QImage &image, const QRect &area)
{
    printer.setDocName(kDocumentName);
    // Paper coordinates: without full-page mode the origin would be the
    // printable area's corner, and the margins would shift the panel.
    printer.setFullPage(true);
    return DrawInto(printer, image, area);
}

}  // namespace

QPoint SheetSlot(const KitModel &model, int slot)
{
    if (model.group == LayoutGroup::Wide) {
        static constexpr std::array<QPoint, kSheetSlotCount> kStacked = {
            QPoint(50, 200), QPoint(50, 850), QPoint(50, 1500), QPoint(50, 2150)};
        return kStacked.at(std::size_t(slot));
    }
    static constexpr std::array<QPoint, kSheetSlotCount> kTwoByTwo = {
        QPoint(50, 200), QPoint(1040, 200), QPoint(50, 1710), QPoint(1040, 1710)};
    return kTwoByTwo.at(std::size_t(slot));
}

QImage ComposeSheet(const KitModel &model, const SheetPictures &pictures)
{
    QImage sheet(kA4SheetSize, QImage::Format_RGB32);
    sheet.fill(Qt::white);
    for (int slot = 0; slot < kSheetSlotCount; ++slot) {
        const QImage &picture = pictures.at(std::size_t(slot));
        if (!picture.isNull())
            MergeWithColourKey(sheet, picture.convertToFormat(QImage::Format_RGB32), SheetSlot(model, slot),
                               QColor(Qt::white));
    }
    return sheet;
}

bool PrintPanel(QPrinter &printer, const QImage &panel)
{
    return PrintInto(printer, panel, QRect(kPanelMargin, panel.size()));
}

std::optional<QByteArray> PanelPdf(const QImage &panel)
{
    QByteArray pdf;
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setTitle(kDocumentName);
    writer.setResolution(kPdfDotsPerInch);
    // No margins: the origin is the paper's corner, as in full-page printing.
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
    if (!DrawInto(writer, panel, QRect(kPanelMargin, panel.size())))
        return std::nullopt;
    return pdf;
}

bool PrintSheet(QPrinter &printer, const QImage &sheet)
{
    return PrintInto(printer, sheet, QRect(QPoint(0, 0), kA4SheetSize));
}

}  // namespace kq::panel
