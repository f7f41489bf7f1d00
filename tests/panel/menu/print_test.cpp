#include "panel/menu/panel_printing.h"
#include "panel/menu/print_window.h"
#include "panel/model/kit_model.h"
#include "pdf_page.h"
#include "services/dialog_folder.h"
#include "support/file_bytes.h"
#include "support/filled_image.h"
#include "support/recording_dialogs.h"
#include "support/temp_paths.h"

#include <QLineEdit>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace kq::panel {
namespace {

using kq::testing::ReadBytes;
using kq::testing::ReadSinglePagePdf;
using kq::testing::RecordingDialogs;
using Kind = RecordingDialogs::Kind;

constexpr double kToleranceMm = 0.1;

using kq::testing::FilledImage;

void ToPdf(QPrinter &printer, const QString &path)
{
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setPageSize(QPageSize(QPageSize::A4));
}

void ExpectRect(const QRectF &actual, const QRectF &expected)
{
    EXPECT_NEAR(actual.left(), expected.left(), kToleranceMm);
    EXPECT_NEAR(actual.top(), expected.top(), kToleranceMm);
    EXPECT_NEAR(actual.width(), expected.width(), kToleranceMm);
    EXPECT_NEAR(actual.height(), expected.height(), kToleranceMm);
}

TEST(PrintPanel, Tl1PanelCoversItsRealSizeTenMillimetresFromTheEdges)
{
    const QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("panel.pdf"));
    // Margins must not shift the panel: the printer starts in page mode.
    for (const bool fullPage : {false, true}) {
        QPrinter printer(QPrinter::HighResolution);
        ToPdf(printer, path);
        printer.setPageMargins(QMarginsF(15, 20, 15, 20), QPageLayout::Millimeter);
        printer.setFullPage(fullPage);
        ASSERT_TRUE(PrintPanel(printer, FilledImage(KitModelAt(0).panelSize, Qt::blue)));
        EXPECT_EQ(printer.docName(), QStringLiteral("Print Out"));
        const std::optional<kq::testing::PdfPage> page = ReadSinglePagePdf(ReadBytes(path));
        ASSERT_TRUE(page);
        EXPECT_NEAR(page->paperMm.width(), 210, 0.5);
        EXPECT_NEAR(page->paperMm.height(), 297, 0.5);
        ASSERT_EQ(page->picturesMm.size(), 1);
        ExpectRect(page->picturesMm.first(), QRectF(10, 10, 86, 106));
    }
}

TEST(PrintSheet, SheetCoversTheWholeA4Paper)
{
    const QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("sheet.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    ToPdf(printer, path);
    ASSERT_TRUE(PrintSheet(printer, ComposeSheet(KitModelAt(2), {})));
    const std::optional<kq::testing::PdfPage> page = ReadSinglePagePdf(ReadBytes(path));
    ASSERT_TRUE(page);
    ASSERT_EQ(page->picturesMm.size(), 1);
    ExpectRect(page->picturesMm.first(), QRectF(0, 0, 210, 297));
}

TEST(ChoosePrinter, FallsBackToThePrintDialogWithOneCopyNotToAFile)
{
    // The test machine has no usable printer; the dialog is cancelled.
    RecordingDialogs dialogs;
    QPrinter printer;
    printer.setCopyCount(3);
    printer.setOutputFileName(QStringLiteral("/tmp/never.pdf"));
    if (!QPrinterInfo::defaultPrinter().isNull())
        GTEST_SKIP() << "a default printer is set up";
    EXPECT_FALSE(ChoosePrinter(nullptr, dialogs, printer));
    EXPECT_EQ(dialogs.Records().size(), 1);
    EXPECT_EQ(printer.copyCount(), 1);
    EXPECT_TRUE(printer.outputFileName().isEmpty());
}

// The print window, printing to PDF files instead of a printer.
class PrintWindowTest : public ::testing::Test {
protected:
    PrintWindow &Window() { return m_window; }
    QString Bitmap(const QString &name, QColor colour, QSize size = {300, 200})
    {
        const QString path = m_dir.filePath(name);
        EXPECT_TRUE(FilledImage(size, colour).save(path, "BMP"));
        return path;
    }
    // Runs step while the window's modal loop runs, then closes it if needed.
    void WhileOpen(const std::function<void()> &step, const KitModel &model = KitModelAt(0), bool withPanel = true)
    {
        QTimer::singleShot(0, &m_window, [this, step] {
            step();
            if (m_window.isVisible())
                m_window.reject();
        });
        m_window.Open(withPanel ? FilledImage(model.panelSize, Qt::blue) : QImage(), model);
    }
    QStackedWidget *Pages() { return m_window.findChild<QStackedWidget *>(); }
    template <typename T> T *Child(const QString &name)
    {
        T *child = m_window.findChild<T *>(name);
        EXPECT_NE(child, nullptr) << name.toStdString();
        return child;
    }

    QTemporaryDir m_dir;
    kq::testing::TempPaths m_temp;
    RecordingDialogs m_dialogs;
    int m_printerAsked = 0;
    bool m_printerAnswer = true;
    QString m_pdf = m_dir.filePath(QStringLiteral("out.pdf"));
    PrintWindow m_window {m_dialogs, m_temp.Paths(), nullptr, [this](QWidget *, QPrinter &printer) {
                              ++m_printerAsked;
                              ToPdf(printer, m_pdf);
                              return m_printerAnswer;
                          }};
};

TEST_F(PrintWindowTest, AlwaysOpensOnItsFirstPage)
{
    EXPECT_EQ(Window().windowTitle(), QStringLiteral("印刷"));
    WhileOpen([this] {
        EXPECT_EQ(Pages()->currentIndex(), 0);
        Child<QPushButton>(QStringLiteral("SheetButton"))->click();
        EXPECT_EQ(Pages()->currentIndex(), 1);
    });
    WhileOpen([this] { EXPECT_EQ(Pages()->currentIndex(), 0); });
}

TEST_F(PrintWindowTest, PrintChoicePrintsThePanelAndCloses)
{
    WhileOpen([this] {
        Child<QPushButton>(QStringLiteral("PrintButton"))->click();
        EXPECT_FALSE(Window().isVisible());
    });
    EXPECT_EQ(m_printerAsked, 1);
    const std::optional<kq::testing::PdfPage> page = ReadSinglePagePdf(ReadBytes(m_pdf));
    ASSERT_TRUE(page);
    ASSERT_EQ(page->picturesMm.size(), 1);
    ExpectRect(page->picturesMm.first(), QRectF(10, 10, 86, 106));
}

TEST_F(PrintWindowTest, WithoutAPanelOnlyTheSheetCanBePrinted)
{
    WhileOpen([this] { EXPECT_FALSE(Child<QPushButton>(QStringLiteral("PrintButton"))->isEnabled()); }, KitModelAt(0),
              false);
    WhileOpen([this] { EXPECT_TRUE(Child<QPushButton>(QStringLiteral("PrintButton"))->isEnabled()); });
    EXPECT_EQ(m_printerAsked, 0);
}

TEST_F(PrintWindowTest, CancelledPrinterPrintsNothingAndKeepsTheWindow)
{
    m_printerAnswer = false;
    WhileOpen([this] {
        Child<QPushButton>(QStringLiteral("PrintButton"))->click();
        EXPECT_TRUE(Window().isVisible());
    });
    EXPECT_EQ(m_printerAsked, 1);
    EXPECT_FALSE(QFile::exists(m_pdf));
}

TEST_F(PrintWindowTest, RowsTakeBitmapsCheckTheirNamesAndKeepThemBetweenOpenings)
{
    const QString red = Bitmap(QStringLiteral("red.bmp"), Qt::red);
    const QString green = Bitmap(QStringLiteral("green.BMP"), Qt::green);
    const QString png = m_dir.filePath(QStringLiteral("picture.png"));
    ASSERT_TRUE(FilledImage({10, 10}, Qt::red).save(png, "PNG"));
    const QString broken = m_dir.filePath(QStringLiteral("broken.bmp"));
    kq::testing::WriteBytes(broken, "BM this is not a bitmap");

    const KitModel &tl3 = KitModelAt(2);
    WhileOpen(
        [&] {
            for (const QString &name : {red, green, png, broken, QString()})
                m_dialogs.fileNames.enqueue(name);
            Child<QPushButton>(QStringLiteral("BrowseButton1"))->click();
            Child<QPushButton>(QStringLiteral("BrowseButton4"))->click();
            Child<QPushButton>(QStringLiteral("BrowseButton4"))->click();  // wrong extension
            Child<QPushButton>(QStringLiteral("BrowseButton4"))->click();  // unreadable
            Child<QPushButton>(QStringLiteral("BrowseButton2"))->click();  // cancelled
        },
        tl3);
    EXPECT_EQ(m_dialogs.Texts(Kind::Warning),
              QStringList({QStringLiteral("指定したファイルを開くことが出来ません\r\nファイル名を確認して下さい。"),
                           QStringLiteral("ファイルの読み込みに失敗しました。")}));
    EXPECT_EQ(Child<QLineEdit>(QStringLiteral("Edit1"))->text(), red);
    EXPECT_EQ(Child<QLineEdit>(QStringLiteral("Edit2"))->text(), QString());
    // Each browse starts where the last picture was chosen.
    EXPECT_EQ(m_dialogs.Texts(Kind::OpenFile),
              QStringList({DesktopOrHomeFolder(), m_dir.path(), m_dir.path(), m_dir.path(), m_dir.path()}));
    EXPECT_EQ(Child<QLineEdit>(QStringLiteral("Edit4"))->text(), green);
    EXPECT_TRUE(Child<QLineEdit>(QStringLiteral("Edit1"))->isReadOnly());

    // Reopened, the rows keep their pictures; the slots follow the model.
    WhileOpen([] {}, tl3);
    QImage sheet = Window().Sheet();
    EXPECT_EQ(sheet.pixelColor(50, 200), QColor(Qt::red));
    EXPECT_EQ(sheet.pixelColor(50, 2150), QColor(Qt::green));
    EXPECT_EQ(sheet.pixelColor(50, 850), QColor(Qt::white));
    WhileOpen([] {}, KitModelAt(0));
    sheet = Window().Sheet();
    EXPECT_EQ(sheet.pixelColor(1040, 1710), QColor(Qt::green));

    WhileOpen([this] { Child<QPushButton>(QStringLiteral("RemoveButton1"))->click(); });
    EXPECT_EQ(Child<QLineEdit>(QStringLiteral("Edit1"))->text(), QString());
    EXPECT_EQ(Window().Sheet().pixelColor(50, 200), QColor(Qt::white));
}

TEST_F(PrintWindowTest, PrintPicturePrintsTheSheetOverTheWholePaper)
{
    const QString red = Bitmap(QStringLiteral("red.bmp"), Qt::red);
    WhileOpen([&] {
        m_dialogs.fileNames.enqueue(red);
        Child<QPushButton>(QStringLiteral("SheetButton"))->click();
        Child<QPushButton>(QStringLiteral("BrowseButton1"))->click();
        QTest::mouseClick(Child<QWidget>(QStringLiteral("Image3")), Qt::LeftButton);
        EXPECT_FALSE(Window().isVisible());
    });
    const std::optional<kq::testing::PdfPage> page = ReadSinglePagePdf(ReadBytes(m_pdf));
    ASSERT_TRUE(page);
    ASSERT_EQ(page->picturesMm.size(), 1);
    ExpectRect(page->picturesMm.first(), QRectF(0, 0, 210, 297));
}

}  // namespace
}  // namespace kq::panel
