#include "learning/transfer_data_rows.h"
#include "learning/learning_windows.h"
#include "learning/transfer_data_window.h"
#include "services/recovery_offer.h"
#include "services/window_registry.h"

#include "support/temp_paths.h"
#include "support/test_context.h"

#include <QApplication>
#include <QDir>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QTableWidget>
#include <QTimer>

#include <gtest/gtest.h>

namespace kq {
namespace {

TEST(TransferDataRows, OneRowPerInstructionWithDisplayNumberAndDigits)
{
    const std::vector<TransferDataRow> rows = TransferDataRows({"START", "2,0,255,0,0,4,0", "END"});
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0], (TransferDataRow{"0", "フルカラーLED点灯", "0110010000000000111111110000000000000000"}));
}

TEST(TransferDataRows, DescriptionsAndNumbersOfTheTable)
{
    const struct {
        QString line;
        QString description;
        int displayNumber;
    } cases[] = {
        {"7,1,0,0,0,0,0", "SWが押されるまで停止", 121},
        {"7,5,0,0,0,0,0", "信号入力があるまで停止", 125},
        {"7,6,0,0,0,0,0", "アラーム時刻になるまで停止", 155},
        {"3,1,0,0,0,0,0", "フルカラーLED消灯", 104},
        {"8,9,0,0,0,0,0", "温度が変数xと同じなら", 135},
        {"9,1,0,0,0,0,0", "繰返終了位置", 137},
        {"11,0,0,0,0,0,0", "変数x に温度を代入", 139},
        {"12,6,0,0,0,0,0", "豆球 消灯", 146},
        {"13,7,0,0,0,0,0", "電車 停止", 154},
        {"20,2,0,0,0,0,0", "else", 200},
        {"21,0,0,0,0,0,0", "endif", 201},
    };
    for (const auto &c : cases) {
        const std::vector<TransferDataRow> rows = TransferDataRows({"START", c.line, "END"});
        ASSERT_EQ(rows.size(), 1u);
        EXPECT_EQ(rows[0].description, c.description) << c.line.toStdString();
        EXPECT_EQ(rows[0].data.left(8), QString::number(c.displayNumber, 2).rightJustified(8, '0'))
            << c.line.toStdString();
    }
}

TEST(TransferDataRows, IfElseEndifProgramNumbersEveryLine)
{
    const std::vector<TransferDataRow> rows = TransferDataRows(
        {"START", "8,4,30,0,0,0,0", "5,0,0,0,0,0,0", "20,2,0,0,0,0,0", "5,1,0,0,0,0,0", "21,2,0,0,0,0,0", "END"});
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[0], (TransferDataRow{"0", "設定温度より高ければ", "1000001000000100000111100000000000000000"}));
    EXPECT_EQ(rows[2], (TransferDataRow{"2", "else", "1100100000000010000000000000000000000000"}));
    EXPECT_EQ(rows[4].number, "4");
    EXPECT_EQ(rows[4].description, "endif");
    EXPECT_TRUE(TransferDataRows({"START", "END"}).empty());
    EXPECT_TRUE(TransferDataRows({}).empty());
}

class TransferDataWindowTest : public ::testing::Test {
protected:
    void WritePicture()
    {
        ASSERT_TRUE(QDir().mkpath(temp.Paths().ProgramFolder() + "Img/DataView"));
        QImage picture(780, 200, QImage::Format_RGB32);
        picture.fill(Qt::white);
        ASSERT_TRUE(picture.save(temp.Paths().ProgramFile("Img\\DataView\\DataView.bmp")));
    }

    testing::TempPaths temp;
    const QStringList program{"START", "2,0,255,0,0,4,0", "7,1,0,0,0,0,0", "END"};
};

TEST_F(TransferDataWindowTest, GridWithHeaderRowsAndPicture)
{
    WritePicture();
    TransferDataWindow window(temp.Paths());
    window.ShowProgram(program);
    EXPECT_EQ(window.windowTitle(), "ソラリット２制御ソフト :");
    EXPECT_EQ(window.size(), QSize(814, 723));

    QTableWidget *grid = window.findChild<QTableWidget *>("StringGrid1");
    ASSERT_EQ(grid, window.Grid());
    ASSERT_EQ(grid->columnCount(), 3);
    const QStringList headers{"番号", "命令内容", "送信データ"};
    const int widths[] = {64, 276, 425};
    for (int column = 0; column < 3; ++column) {
        EXPECT_EQ(grid->horizontalHeaderItem(column)->text(), headers[column]);
        EXPECT_EQ(grid->columnWidth(column), widths[column]);
    }
    ASSERT_EQ(grid->rowCount(), 2);
    EXPECT_EQ(grid->item(1, 0)->text(), "1");
    EXPECT_EQ(grid->item(1, 1)->text(), "SWが押されるまで停止");
    EXPECT_EQ(grid->item(1, 2)->text(), "0111100100000001000000000000000000000000");
    ASSERT_TRUE(window.Picture());
    EXPECT_EQ(window.Picture()->pixmap().size(), QSize(780, 200));
}

TEST_F(TransferDataWindowTest, MissingPictureShowsTheGridAlone)
{
    TransferDataWindow window(temp.Paths());
    window.ShowProgram(program);
    EXPECT_FALSE(window.Picture());
    EXPECT_EQ(window.Grid()->rowCount(), 2);
    // Shown again for another program, it holds only that one's rows.
    window.ShowProgram({"START", "5,0,0,0,0,0,0", "END"});
    EXPECT_EQ(window.Grid()->rowCount(), 1);
}

// Made once at start-up, shown modally over the editor for each program and
// only hidden when closed.
TEST_F(TransferDataWindowTest, OneViewerShownModallyCentredOverEachCaller)
{
    testing::TestContext studio;
    QWidget menu;
    WindowRegistry windows(menu, [] { return false; });
    RecoveryRestorers restorers;
    RegisterLearningWindows(windows, studio.context, restorers);
    windows.CreateReusedWindows();
    QWidget *made = windows.Find(WindowKind::TransferData);
    ASSERT_TRUE(made);
    EXPECT_FALSE(made->isVisible());

    QWidget caller;
    caller.setGeometry(100, 100, 1200, 900);
    caller.show();
    for (int opening = 0; opening < 2; ++opening) {
        ShowTransferData(windows, &caller, program);
        EXPECT_EQ(QApplication::activeModalWidget(), made);
        EXPECT_EQ(made->geometry().center(), caller.geometry().center());
        EXPECT_EQ(made->size(), QSize(814, 723));
        made->close();
        EXPECT_EQ(windows.Find(WindowKind::TransferData), made);
        EXPECT_FALSE(menu.isVisible());
    }
}

}  // namespace
}  // namespace kq
