#include "gif_fixture.h"
#include "panel/menu/picker_window.h"
#include "support/file_bytes.h"

#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

namespace kq::panel {
namespace {

using kq::testing::OneColourGif;
using kq::testing::WriteBytes;

// A parts folder: GIFs (one with an upper-case extension), a damaged GIF,
// a PNG and a text file.
class PickerWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char *name : {"10.gif", "2.gif", "1.gif", "P3.GIF"})
            WriteBytes(File(name), OneColourGif({40, 30}, Qt::red));
        WriteBytes(File("broken.gif"), "GIF89a nothing else");
        QImage png(8, 8, QImage::Format_RGB32);
        png.fill(Qt::green);
        ASSERT_TRUE(png.save(File("photo.png"), "PNG"));
        WriteBytes(File("notes.txt"), "1.gif");
    }
    QString File(const char *name) const { return m_dir.filePath(QString::fromLatin1(name)); }
    QListWidget *Thumbnails() { return m_window.findChild<QListWidget *>(QStringLiteral("Thumbnails")); }
    QPushButton *Button(const QString &text)
    {
        for (QPushButton *button : m_window.findChildren<QPushButton *>()) {
            if (button->text() == text)
                return button;
        }
        ADD_FAILURE() << text.toStdString();
        return nullptr;
    }

    QTemporaryDir m_dir;
    PickerWindow m_window;
};

TEST_F(PickerWindowTest, FillsWithTheGifFilesInNumberOrder)
{
    m_window.Fill(m_dir.path());
    EXPECT_EQ(m_window.Paths(), QStringList({File("1.gif"), File("2.gif"), File("10.gif"), File("P3.GIF")}));
    EXPECT_FALSE(Thumbnails()->item(0)->icon().isNull());
    m_window.Fill(m_dir.filePath(QStringLiteral("missing")));
    EXPECT_TRUE(m_window.Paths().isEmpty());
}

TEST_F(PickerWindowTest, ShowsFourByThreeAndScrollsForMore)
{
    for (int n = 11; n <= 24; ++n)
        WriteBytes(m_dir.filePath(QString::number(n) + QStringLiteral(".gif")), OneColourGif({300, 200}, Qt::blue));
    m_window.Fill(m_dir.path());
    m_window.show();
    QListWidget *list = Thumbnails();
    const QRect first = list->visualItemRect(list->item(0));
    const QRect second = list->visualItemRect(list->item(1));
    const QRect below = list->visualItemRect(list->item(4));
    EXPECT_EQ(second.left() - first.right() - 1, 3);
    EXPECT_EQ(below.top() - first.bottom() - 1, 3);
    const QRect view = list->viewport()->rect();
    EXPECT_TRUE(view.contains(list->visualItemRect(list->item(11))));
    EXPECT_FALSE(view.contains(list->visualItemRect(list->item(12))));
    EXPECT_GT(list->verticalScrollBar()->maximum(), 0);
    m_window.hide();
}

TEST_F(PickerWindowTest, DecideGivesTheFullPathOfTheSelectionAndNothingWithoutOne)
{
    QTimer::singleShot(0, &m_window, [this] {
        Button(QStringLiteral("決定"))->click();  // no selection: stays open
        EXPECT_TRUE(m_window.isVisible());
        Thumbnails()->setCurrentRow(2);
        Button(QStringLiteral("決定"))->click();
    });
    EXPECT_EQ(m_window.Pick(m_dir.path()), File("10.gif"));

    QTimer::singleShot(0, &m_window, [this] {
        Thumbnails()->setCurrentRow(0);
        Button(QStringLiteral("キャンセル"))->click();
    });
    EXPECT_EQ(m_window.Pick(m_dir.path()), std::nullopt);
}

}  // namespace
}  // namespace kq::panel
