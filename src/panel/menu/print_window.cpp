#include "panel/menu/print_window.h"

#include "base/paths.h"
#include "panel/document/panel_messages.h"
#include "panel/document/panel_picture.h"
#include "panel/menu/bitmap_file.h"
#include "controls/clickable_picture.h"
#include "services/dialogs.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace kq::panel {

namespace {

const QString kSinglePanelText = QStringLiteral("デザイン画面で作成したパネルを印刷します。");
const QString kSheetText =
    QStringLiteral("あらかじめ書き出したビットマップデータを\r\n最大４つまで1度にまとめて印刷出来ます。");
const std::array<QString, kSheetSlotCount> kRowCaptions = {
    QStringLiteral("１つ目のbmpファイル"), QStringLiteral("２つ目のbmpファイル"), QStringLiteral("３つ目のbmpファイル"),
    QStringLiteral("４つ目のbmpファイル")};

// The sheet preview shows the A4 sheet at one tenth.
constexpr QSize kPreviewSize(kA4SheetSize.width() / 10, kA4SheetSize.height() / 10);

QString ForDisplay(QString text)
{
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

QPushButton *MakeButton(const QString &text, const QString &name, QWidget *parent)
{
    auto *button = new QPushButton(text, parent);
    button->setObjectName(name);
    return button;
}

}  // namespace

bool ChoosePrinter(QWidget *parent, kq::Dialogs &dialogs, QPrinter &printer)
{
    const QPrinterInfo standard = QPrinterInfo::defaultPrinter();
    if (!standard.isNull()) {
        printer.setPrinterName(standard.printerName());
        if (printer.isValid() && printer.outputFormat() == QPrinter::NativeFormat)
            return true;
    }
    printer.setCopyCount(1);
    printer.setOutputFileName(QString());
    return dialogs.SetUpPrinter(parent, printer);
}

PrintWindow::PrintWindow(kq::Dialogs &dialogs, const kq::Paths &panelPaths, QWidget *parent, PrinterChooser chooser)
    : QDialog(parent)
    , m_dialogs(dialogs)
    , m_paths(panelPaths)
    , m_chooser(std::move(chooser))
    , m_pages(new QStackedWidget(this))
    , m_model(KitModelAt(0))
{
    setObjectName(QStringLiteral("TForm5"));
    setWindowTitle(QStringLiteral("印刷"));
    if (!m_chooser) {
        m_chooser = [this](QWidget *over, QPrinter &printer) { return ChoosePrinter(over, m_dialogs, printer); };
    }
    m_pages->addWidget(MakeChoicePage());
    m_pages->addWidget(MakeSheetPage());
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_pages);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    ShowPage(0);
}

void PrintWindow::ShowPage(int page)
{
    // The window takes the size of the page shown, not of the largest one.
    for (int index = 0; index < m_pages->count(); ++index) {
        const QSizePolicy::Policy policy = index == page ? QSizePolicy::Preferred : QSizePolicy::Ignored;
        m_pages->widget(index)->setSizePolicy(policy, policy);
    }
    m_pages->setCurrentIndex(page);
    m_pages->adjustSize();
    adjustSize();
}

QWidget *PrintWindow::MakeChoicePage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheet1"));
    auto *prompt = new QLabel(QStringLiteral("印刷タイプを選択して下さい。"), page);
    QFont bigger = prompt->font();
    bigger.setPointSizeF(bigger.pointSizeF() * 1.2);
    bigger.setBold(true);
    prompt->setFont(bigger);

    auto *single = MakeButton(QStringLiteral("印刷"), QStringLiteral("PrintButton"), page);
    auto *sheet = MakeButton(QStringLiteral("まとめて印刷"), QStringLiteral("SheetButton"), page);
    for (QPushButton *button : {single, sheet})
        button->setFixedSize(170, 52);
    connect(single, &QPushButton::clicked, this, &PrintWindow::PrintDesignedPanel);
    connect(sheet, &QPushButton::clicked, this, [this] { ShowPage(1); });

    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(16);
    grid->setVerticalSpacing(14);
    grid->addWidget(single, 0, 0);
    grid->addWidget(new QLabel(kSinglePanelText, page), 0, 1);
    grid->addWidget(sheet, 1, 0);
    grid->addWidget(new QLabel(ForDisplay(kSheetText), page), 1, 1);

    auto *layout = new QVBoxLayout(page);
    layout->addWidget(prompt);
    layout->addSpacing(10);
    layout->addLayout(grid);
    layout->addStretch();
    return page;
}

QWidget *PrintWindow::MakeSheetPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheet2"));
    auto *rows = new QGridLayout;
    rows->setVerticalSpacing(4);
    for (int row = 0; row < kSheetSlotCount; ++row) {
        const QString number = QString::number(row + 1);
        auto *path = new QLineEdit(page);
        path->setObjectName(QStringLiteral("Edit") + number);
        path->setReadOnly(true);
        path->setMinimumWidth(300);
        auto *browse = MakeButton(QStringLiteral("ファイル参照"), QStringLiteral("BrowseButton") + number, page);
        auto *remove = MakeButton(QStringLiteral("削除"), QStringLiteral("RemoveButton") + number, page);
        connect(browse, &QPushButton::clicked, this, [this, row] { Browse(row); });
        connect(remove, &QPushButton::clicked, this, [this, row] { Remove(row); });
        rows->addWidget(new QLabel(kRowCaptions.at(std::size_t(row)), page), 2 * row, 0, 1, 3);
        rows->addWidget(path, 2 * row + 1, 0);
        rows->addWidget(browse, 2 * row + 1, 1);
        rows->addWidget(remove, 2 * row + 1, 2);
        m_rowPaths.at(std::size_t(row)) = path;
    }

    auto *print = new ClickablePicture(QStringLiteral("Image3"),
                                       QPixmap(m_paths.ProgramFile(QStringLiteral("Img/Button/PrintGo.bmp"))),
                                       QStringLiteral("印刷"), page);
    print->setFixedSize(120, 48);
    connect(print, &ClickablePicture::Clicked, this, &PrintWindow::PrintSheetOfRows);

    auto *left = new QVBoxLayout;
    left->addLayout(rows);
    left->addStretch();
    left->addWidget(print, 0, Qt::AlignRight);

    m_sheetPreview = new QLabel(page);
    m_sheetPreview->setObjectName(QStringLiteral("SheetPreview"));
    m_sheetPreview->setFixedSize(kPreviewSize + QSize(2, 2));
    m_sheetPreview->setFrameShape(QFrame::Box);
    m_sheetPreview->setAlignment(Qt::AlignCenter);

    auto *layout = new QHBoxLayout(page);
    layout->addLayout(left);
    layout->addSpacing(12);
    layout->addWidget(m_sheetPreview, 0, Qt::AlignTop);
    ShowSheet();
    return page;
}

void PrintWindow::Open(const QImage &flattened, const KitModel &model)
{
    m_flattened = flattened;
    m_model = model;
    // Without a panel (its background picture missing) there is nothing to
    // print but the sheet of exported pictures.
    findChild<QPushButton *>(QStringLiteral("PrintButton"))->setEnabled(!flattened.isNull());
    ShowPage(0);
    ShowSheet();
    exec();
}

QImage PrintWindow::Sheet() const
{
    return ComposeSheet(m_model, m_rowPictures);
}

bool PrintWindow::Print(const std::function<bool(QPrinter &)> &draw)
{
    QPrinter printer(QPrinter::HighResolution);
    if (!m_chooser(this, printer))
        return false;
    if (!draw(printer)) {
        m_dialogs.Warning(this, kPrintFailedMessage);
        return false;
    }
    return true;
}

void PrintWindow::PrintDesignedPanel()
{
    if (Print([this](QPrinter &printer) { return PrintPanel(printer, m_flattened); }))
        accept();
}

void PrintWindow::PrintSheetOfRows()
{
    const QImage sheet = Sheet();
    if (Print([&sheet](QPrinter &printer) { return PrintSheet(printer, sheet); }))
        accept();
}

void PrintWindow::Browse(int row)
{
    const QString path = m_dialogs.OpenFileName(this, m_fileFolder.Start(), kBitmapFilter);
    if (path.isEmpty())
        return;
    m_fileFolder.Remember(path);
    if (!HasBitmapExtension(path)) {
        m_dialogs.Warning(this, kPanelWrongExtensionMessage);
        return;
    }
    std::optional<QImage> picture = ReadPanelPicture(path);
    if (!picture) {
        m_dialogs.Warning(this, kPanelReadFailedMessage);
        return;
    }
    m_rowPictures.at(std::size_t(row)) = std::move(*picture);
    m_rowPaths.at(std::size_t(row))->setText(path);
    ShowSheet();
}

void PrintWindow::Remove(int row)
{
    m_rowPictures.at(std::size_t(row)) = QImage();
    m_rowPaths.at(std::size_t(row))->clear();
    ShowSheet();
}

void PrintWindow::ShowSheet()
{
    m_sheetPreview->setPixmap(QPixmap::fromImage(
        Sheet().scaled(kPreviewSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
}

}  // namespace kq::panel
