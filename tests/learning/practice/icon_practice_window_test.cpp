#include "learning/practice/icon_practice_window.h"

#include "support/test_context.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QPointer>
#include <QSlider>
#include <QToolButton>

#include <gtest/gtest.h>

namespace kq {
namespace {

using Kind = testing::RecordingDialogs::Kind;

class IconPracticeWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Icon pictures 0..14; the drop needs them.
        const QString folder = m_test.context.Paths().ProgramFile(QStringLiteral("Img\\Icon\\DD\\"));
        ASSERT_TRUE(QDir().mkpath(folder));
        QImage picture(65, 50, QImage::Format_RGB32);
        picture.fill(Qt::red);
        for (int icon = 0; icon <= 14; ++icon)
            ASSERT_TRUE(picture.save(folder + QString::number(icon) + QStringLiteral(".bmp")));
        m_window = new IconPracticeWindow(m_test.context);
        m_window->setAttribute(Qt::WA_DeleteOnClose);
        m_window->show();
    }
    void TearDown() override { delete m_window.data(); }

    QStringList Messages() const { return m_test.dialogs.Texts(Kind::Information); }

    testing::TestContext m_test;
    QPointer<IconPracticeWindow> m_window;
};

TEST_F(IconPracticeWindowTest, SlotControlsFollowTheDroppedIconAndChoice)
{
    m_window->DropIcon(0);
    ASSERT_NE(m_window->Choice(), nullptr);
    ASSERT_NE(m_window->Slider(), nullptr);
    EXPECT_EQ(m_window->SliderCaption()->text(), QStringLiteral("秒数： 0.25秒"));
    EXPECT_EQ(m_window->Slider()->pageStep(), 3);
    m_window->Slider()->setValue(4);
    EXPECT_EQ(m_window->SliderCaption()->text(), QStringLiteral("秒数： 1秒"));

    m_window->Choice()->setCurrentIndex(1);
    EXPECT_EQ(m_window->Slider(), nullptr);
    // "フェードイン" shows whole in the slot's narrow list.
    EXPECT_LE(m_window->Choice()->sizeHint().width(), m_window->Choice()->width());
    m_window->Choice()->setCurrentIndex(0);
    ASSERT_NE(m_window->Slider(), nullptr);
    EXPECT_EQ(m_window->Slider()->value(), 1);

    m_window->DropIcon(8);
    EXPECT_EQ(m_window->Choice(), nullptr);
    EXPECT_NE(m_window->Slider(), nullptr);
    m_window->DropIcon(13);
    ASSERT_NE(m_window->Slider(), nullptr);
    EXPECT_EQ(m_window->SliderCaption()->text(), QStringLiteral("温度： 25度"));
    EXPECT_EQ(m_window->Slider()->maximum(), 50);
    m_window->DropIcon(9);
    EXPECT_EQ(m_window->Slider(), nullptr);
}

TEST_F(IconPracticeWindowTest, FourExercisesRightAndWrongThenTheWindowCloses)
{
    m_window->DropIcon(0);
    m_window->Slider()->setValue(5);
    m_window->CheckButton()->click();
    EXPECT_EQ(m_window->Page(), 0);
    m_window->Slider()->setValue(4);
    m_window->CheckButton()->click();
    EXPECT_EQ(m_window->Page(), 1);
    // The slot was cleared: the last page's answer does not count here.
    EXPECT_EQ(m_window->Choice(), nullptr);
    m_window->CheckButton()->click();
    m_window->DropIcon(1);
    m_window->Choice()->setCurrentIndex(1);
    m_window->CheckButton()->click();
    m_window->DropIcon(9);
    m_window->CheckButton()->click();
    m_window->DropIcon(13);
    m_window->Slider()->setValue(20);
    m_window->CheckButton()->click();

    const QString wrong = QStringLiteral("命令が間違っています。確認してください。");
    EXPECT_EQ(Messages(),
              (QStringList {wrong, QStringLiteral("正解。練習問題２をやってみよう。"), wrong,
                            QStringLiteral("正解。練習問題３をやってみよう。"),
                            QStringLiteral("正解。練習問題４をやってみよう。"),
                            QStringLiteral("正解。練習問題は終了しました。")}));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(m_window.isNull());
}

TEST_F(IconPracticeWindowTest, BackShowsThePageBeforeWithWhatThePupilDidThere)
{
    EXPECT_FALSE(m_window->BackButton()->isVisible());
    m_window->DropIcon(0);
    m_window->Slider()->setValue(4);
    m_window->CheckButton()->click();
    m_window->DropIcon(1);
    m_window->Choice()->setCurrentIndex(1);
    m_window->CheckButton()->click();
    m_window->DropIcon(13);  // page 3 not solved yet
    m_window->Slider()->setValue(7);
    ASSERT_EQ(m_window->Page(), 2);

    ASSERT_TRUE(m_window->BackButton()->isVisible());
    m_window->BackButton()->click();
    EXPECT_EQ(m_window->Page(), 1);
    ASSERT_NE(m_window->Choice(), nullptr);
    EXPECT_EQ(m_window->Choice()->currentIndex(), 1);
    EXPECT_EQ(m_window->Slider(), nullptr);
    m_window->BackButton()->click();
    EXPECT_EQ(m_window->Page(), 0);
    EXPECT_FALSE(m_window->BackButton()->isVisible());
    ASSERT_NE(m_window->Slider(), nullptr);
    EXPECT_EQ(m_window->Slider()->value(), 4);
    EXPECT_EQ(m_window->SliderCaption()->text(), QStringLiteral("秒数： 1秒"));

    // Solving the pages again leads to page 3 as the pupil left it.
    m_window->CheckButton()->click();
    m_window->CheckButton()->click();
    EXPECT_EQ(m_window->Page(), 2);
    ASSERT_NE(m_window->Slider(), nullptr);
    EXPECT_EQ(m_window->Slider()->value(), 7);
    EXPECT_EQ(m_window->SliderCaption()->text(), QStringLiteral("温度： 7度"));
    // Page 4 was never worked on: nothing dropped, so wrong.
    m_window->DropIcon(9);
    m_window->CheckButton()->click();
    EXPECT_EQ(m_window->Page(), 3);
    EXPECT_EQ(m_window->Slider(), nullptr);
    m_window->CheckButton()->click();
    EXPECT_EQ(Messages().last(), QStringLiteral("命令が間違っています。確認してください。"));
}

TEST_F(IconPracticeWindowTest, DropWithoutItsPictureIsAnError)
{
    QFile::remove(m_test.context.Paths().ProgramFile(QStringLiteral("Img\\Icon\\DD\\5.bmp")));
    m_window->DropIcon(5);
    EXPECT_EQ(m_test.dialogs.Texts(Kind::Warning),
              QStringList {QStringLiteral("エラーが発生しました\r\nソフトを再起動するか再度インストールして下さい")});
    EXPECT_EQ(m_window->Choice(), nullptr);
}

}  // namespace
}  // namespace kq
