#include "learning/practice/flow_practice_window.h"

#include "learning/practice/flow_practice_areas.h"
#include "learning/practice/flow_practice_panel.h"
#include "support/test_context.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QSlider>
#include <QToolButton>

#include <gtest/gtest.h>

namespace kq {
namespace {

using Kind = testing::RecordingDialogs::Kind;

void Mouse(QWidget *target, QEvent::Type type, QPoint at)
{
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, at, target->mapToGlobal(at), button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &event);
}

class FlowPracticeWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_window = new FlowPracticeWindow(m_test.context);
        m_window->setAttribute(Qt::WA_DeleteOnClose);
        m_window->show();
    }
    void TearDown() override { delete m_window.data(); }

    // Presses in the link zone of box `from` and releases at `release`,
    // relative to the next box's corner.
    void Link(int from, QPoint release)
    {
        FlowPracticeLinkArea *area = m_window->LinkArea();
        const QPoint start = FlowPracticeLinkArea::BoxCorner(from) + QPoint(50, 40);
        Mouse(area, QEvent::MouseButtonPress, start);
        Mouse(area, QEvent::MouseMove, start + QPoint(0, 30));
        EXPECT_TRUE(area->RubberLineShown());
        Mouse(area, QEvent::MouseButtonRelease, FlowPracticeLinkArea::BoxCorner(from + 1) + release);
        EXPECT_FALSE(area->RubberLineShown());
    }

    testing::TestContext m_test;
    QPointer<FlowPracticeWindow> m_window;
};

TEST_F(FlowPracticeWindowTest, OpensOnPageOneWithTheWorkPagesForwardPicturesHidden)
{
    EXPECT_EQ(m_window->Page(), 0);
    for (int page = 0; page < FlowPracticeWindow::kPages; ++page)
        EXPECT_EQ(m_window->ForwardButton(page)->isHidden(), page == 3 || page == 5 || page == 7) << page;
}

TEST_F(FlowPracticeWindowTest, BackGoesOnePageBackAndKeepsTheWork)
{
    EXPECT_EQ(m_window->BackButton(0), nullptr);
    m_window->DropKind(2, {40, 60});
    m_window->SettingsChosen({0, Rgb {255, 0, 0}, 4});
    Link(0, {50, 25});
    for (int page = 0; page < 8; ++page)
        m_window->ForwardButton(page)->click();
    ASSERT_EQ(m_window->Page(), 8);

    for (int page = 8; page > 0; --page) {
        QToolButton *back = m_window->BackButton(page);
        ASSERT_NE(back, nullptr) << page;
        EXPECT_TRUE(back->isVisible()) << page;
        back->click();
        EXPECT_EQ(m_window->Page(), page - 1);
    }
    // The box, the settings and the arrow are as the pupil left them.
    ASSERT_NE(m_window->PlacedBox(), nullptr);
    EXPECT_EQ(m_window->PlacedBox()->pos(), QPoint(40, 60));
    EXPECT_FALSE(m_window->ForwardButton(3)->isHidden());
    EXPECT_FALSE(m_window->ForwardButton(5)->isHidden());
    EXPECT_TRUE(m_window->LinkArea()->HasBoxes());
    EXPECT_TRUE(m_window->LinkArea()->Linked(0));
    EXPECT_FALSE(m_window->LinkArea()->Linked(1));
}

TEST_F(FlowPracticeWindowTest, OnlyTheLedSecondsIconIsPlaced)
{
    m_window->DropKind(3, {10, 10});
    m_window->DropKind(4, {10, 10});
    EXPECT_EQ(m_window->PlacedBox(), nullptr);
    EXPECT_TRUE(m_window->ForwardButton(3)->isHidden());

    m_window->DropKind(2, {40, 60});
    ASSERT_NE(m_window->PlacedBox(), nullptr);
    EXPECT_EQ(m_window->PlacedBox()->geometry(), QRect(40, 60, 100, 50));
    EXPECT_FALSE(m_window->ForwardButton(3)->isHidden());
    const QString wrong = QStringLiteral("ドラッグ＆ドロップしたアイコンが違います。");
    EXPECT_EQ(m_test.dialogs.Texts(Kind::Information),
              (QStringList {wrong, wrong,
                            QStringLiteral("アイコンの配置ができました。続いてパラメータの設定を行います。\r\n"
                                           "次へのボタンを押して下さい。")}));
}

TEST_F(FlowPracticeWindowTest, SettingsMustBeRedForOneSecond)
{
    m_window->SettingsChosen({0, Rgb {255, 0, 0}, 5});
    EXPECT_EQ(m_test.dialogs.Texts(Kind::Warning), QStringList {QStringLiteral("パラメータ設定が違います。")});
    EXPECT_FALSE(m_window->LinkArea()->HasBoxes());
    EXPECT_TRUE(m_window->ForwardButton(5)->isHidden());

    m_window->SettingsChosen({0, Rgb {255, 0, 0}, 4});
    EXPECT_TRUE(m_window->LinkArea()->HasBoxes());
    EXPECT_FALSE(m_window->ForwardButton(5)->isHidden());
}

TEST_F(FlowPracticeWindowTest, ThePanelsCaptionsShowEachSlidersValue)
{
    FlowPracticePanel *panel = m_window->Panel();
    const auto caption = [panel](int row) {
        return panel->findChild<QLabel *>(QStringLiteral("Para_Label%1").arg(row))->text();
    };
    const auto slider = [panel](int row) {
        return panel->findChild<QSlider *>(QStringLiteral("Para_TrackBar%1").arg(row));
    };
    auto *choices = panel->findChild<QComboBox *>(QStringLiteral("Command_Kind_Combo"));
    auto *colours = panel->findChild<QComboBox *>(QStringLiteral("Color_Combo"));
    EXPECT_EQ(choices->currentText(), QStringLiteral("フルカラーLED点灯"));
    EXPECT_EQ(colours->currentIndex(), -1);
    EXPECT_EQ((QStringList {caption(0), caption(1), caption(2), caption(3)}),
              (QStringList {"Red  : 0", "Green: 0", "Blue : 0", QStringLiteral("点灯時間（秒）： 0.25秒")}));

    colours->setCurrentIndex(3);  // "黄色", as a click chooses it
    emit colours->activated(3);
    slider(3)->setValue(6);
    EXPECT_EQ((QStringList {caption(0), caption(1), caption(2), caption(3)}),
              (QStringList {"Red  : 255", "Green: 255", "Blue : 0", QStringLiteral("点灯時間（秒）： 1.5秒")}));
    EXPECT_EQ(colours->currentIndex(), 3);
    slider(1)->setValue(17);  // by hand: the colour has no name any more
    EXPECT_EQ(caption(1), "Green: 17");
    EXPECT_EQ(colours->currentIndex(), -1);
    EXPECT_EQ(panel->Settings(), (FlowPracticeSettings {0, Rgb {255, 17, 0}, 6}));

    // The time is the lamp's alone: a fade hides it.
    choices->setCurrentIndex(1);
    EXPECT_TRUE(slider(3)->isHidden());
    EXPECT_TRUE(panel->findChild<QLabel *>(QStringLiteral("Para_Label3"))->isHidden());
    choices->setCurrentIndex(0);
    EXPECT_FALSE(slider(3)->isHidden());
}

TEST_F(FlowPracticeWindowTest, ThePanelsOkIsJudged)
{
    FlowPracticePanel *panel = m_window->Panel();
    auto *ok = panel->findChild<QPushButton *>(QStringLiteral("OK_Button"));
    ok->click();
    EXPECT_EQ(m_test.dialogs.Texts(Kind::Warning), QStringList {QStringLiteral("パラメータ設定が違います。")});

    emit panel->findChild<QComboBox *>(QStringLiteral("Color_Combo"))->activated(0);  // "赤色"
    panel->findChild<QSlider *>(QStringLiteral("Para_TrackBar3"))->setValue(4);
    ok->click();
    EXPECT_TRUE(m_window->LinkArea()->HasBoxes());
    EXPECT_EQ(m_test.dialogs.Texts(Kind::Information),
              QStringList {QStringLiteral("パラメータ設定が終わりました。次は命令と命令を連結しましょう。\r\n"
                                          "次へのボタンを押して下さい。")});
}

TEST_F(FlowPracticeWindowTest, ArrowsLinkStartLampAndEndThenTheLastPageCloses)
{
    m_window->DropKind(2, {0, 0});
    m_window->SettingsChosen({0, Rgb {255, 0, 0}, 4});
    m_test.dialogs.Clear();
    FlowPracticeLinkArea *area = m_window->LinkArea();

    Link(0, {50, 50});  // on the next box's bottom edge: outside
    EXPECT_FALSE(area->Linked(0));
    Link(0, {50, 25});
    EXPECT_TRUE(area->Linked(0));
    EXPECT_TRUE(m_window->ForwardButton(7)->isHidden());
    // A press outside the connection zone starts nothing.
    Mouse(area, QEvent::MouseButtonPress, FlowPracticeLinkArea::BoxCorner(1) + QPoint(10, 10));
    EXPECT_FALSE(area->RubberLineShown());
    Link(1, {99, 49});
    EXPECT_TRUE(area->Linked(1));
    EXPECT_FALSE(m_window->ForwardButton(7)->isHidden());
    EXPECT_EQ(m_test.dialogs.Texts(Kind::Information),
              QStringList {QStringLiteral("プログラムが完成しました。\r\n次へのボタンを押して下さい。")});

    for (int page = 0; page < FlowPracticeWindow::kPages - 1; ++page) {
        m_window->ForwardButton(page)->click();
        EXPECT_EQ(m_window->Page(), page + 1);
    }
    m_window->ForwardButton(FlowPracticeWindow::kPages - 1)->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(m_window.isNull());
}

}  // namespace
}  // namespace kq
