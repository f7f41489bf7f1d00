#include "editors/flowchart/parameters/parameter_controls.h"
#include "editors/flowchart/parameters/parameter_windows.h"
#include "services/window_registry.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSlider>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace kq {
namespace {

const QStringList kNames = {QStringLiteral("ひかり"), QStringLiteral("おと"), QStringLiteral("LED"),
                            QStringLiteral("でんしゃ")};

class ParameterControlsTest : public testing::Test {
protected:
    template <typename Widget> Widget *Child(const QString &name) const
    {
        auto *widget = m_controls->findChild<Widget *>(name);
        EXPECT_NE(widget, nullptr) << name.toStdString();
        return widget;
    }
    QComboBox *Variants() const { return Child<QComboBox>(QStringLiteral("Command_Kind_Combo")); }
    QLineEdit *Edit(int row) const { return Child<QLineEdit>(QStringLiteral("Para_Edit%1").arg(row)); }
    QSlider *Bar(int row) const { return Child<QSlider>(QStringLiteral("Para_TrackBar%1").arg(row)); }
    QComboBox *ColourNames() const { return Child<QComboBox>(QStringLiteral("Color_Combo")); }
    QColor Swatch() const { return Child<QWidget>(QStringLiteral("Color_Panel"))->palette().color(QPalette::Window); }

    void Make(ParameterControls::Mode mode)
    {
        m_controls = std::make_unique<ParameterControls>(mode);
        m_controls->show();
        QApplication::setActiveWindow(m_controls.get());
    }
    void ChooseVariant(int index) const
    {
        Variants()->setCurrentIndex(index);
        emit Variants()->activated(index);
    }
    void ChooseColourName(int index) const
    {
        ColourNames()->setCurrentIndex(index);
        emit ColourNames()->activated(index);
    }
    // Types text into a row's edit and leaves it for the OK button.
    void Type(int row, const QString &text) const
    {
        Edit(row)->setFocus();
        Edit(row)->setText(text);
        Child<QPushButton>(QStringLiteral("OK_Button"))->setFocus();
    }
    QString List() const { return m_controls->Choice().parameters.ToText(); }

    std::unique_ptr<ParameterControls> m_controls;
};

TEST_F(ParameterControlsTest, DialogFullTimeStartsDarkForAQuarterSecond)
{
    Make(ParameterControls::Mode::Dialog);
    m_controls->ShowFor(InstructionKind::FullTime, std::nullopt, kNames, kCurrentGeneration);
    EXPECT_EQ(List(), "0,0,0,0,1,0");
    EXPECT_EQ(ColourNames()->currentText(), QStringLiteral("消灯"));
    EXPECT_EQ(Swatch(), QColor(128, 128, 128));
    EXPECT_EQ(Edit(3)->text(), "0.25");
    EXPECT_TRUE(Bar(3)->isVisible());
    EXPECT_EQ(Child<QLabel>(QStringLiteral("Para_Label7"))->text(), QStringLiteral("秒"));

    ChooseColourName(0);
    EXPECT_EQ(List(), "0,255,0,0,1,0");
    EXPECT_EQ(Swatch(), QColor(255, 0, 0));
    ChooseColourName(5);
    EXPECT_EQ(List(), "0,0,255,255,1,0");
    // Moving a colour bar by hand drops the name.
    QTest::mouseClick(Bar(0), Qt::LeftButton);
    EXPECT_EQ(ColourNames()->currentIndex(), -1);
}

TEST_F(ParameterControlsTest, ChangingTheVariantResetsTheRows)
{
    Make(ParameterControls::Mode::Dialog);
    m_controls->ShowFor(InstructionKind::FullTime, std::nullopt, kNames, kCurrentGeneration);
    ChooseColourName(6);
    ChooseVariant(1);
    EXPECT_EQ(List(), "1,0,0,0,4,0");
    EXPECT_EQ(ColourNames()->currentIndex(), -1);
    EXPECT_FALSE(Bar(3)->isVisible());
    EXPECT_TRUE(Bar(2)->isVisible());
}

TEST_F(ParameterControlsTest, FullContiTakesTheClickedColour)
{
    Make(ParameterControls::Mode::Dialog);
    m_controls->ShowFor(InstructionKind::FullConti, std::nullopt, kNames, kCurrentGeneration);
    EXPECT_TRUE(Child<QWidget>(QStringLiteral("Color_Disp_Panel"))->isVisible());
    EXPECT_FALSE(ColourNames()->isVisible());
    EXPECT_EQ(List(), "0,0,0,0,0,0");
    QTest::mouseClick(Child<QPushButton>(QStringLiteral("Color_Disp1")), Qt::LeftButton);
    EXPECT_EQ(List(), "0,1,0,0,0,0");
    EXPECT_EQ(Swatch(), QColor(0, 255, 0));
    ChooseVariant(1);
    EXPECT_EQ(List(), "1,0,0,0,0,0");
    EXPECT_FALSE(Child<QWidget>(QStringLiteral("Color_Disp_Panel"))->isVisible());
}

TEST_F(ParameterControlsTest, TimerThresholdDependsOnTheGeneration)
{
    Make(ParameterControls::Mode::Dialog);
    m_controls->ShowFor(InstructionKind::Timer, std::nullopt, kNames, kCurrentGeneration);
    ChooseVariant(3);
    EXPECT_EQ(List(), "3,1,50,0,0,0");
    EXPECT_TRUE(Bar(1)->isVisible());
    m_controls->ShowFor(InstructionKind::Timer, std::nullopt, kNames, kOlderGeneration);
    ChooseVariant(3);
    EXPECT_EQ(List(), "3,1,0,0,0,0");
    EXPECT_FALSE(Bar(1)->isVisible());
}

TEST_F(ParameterControlsTest, GradualTrainStoresFiftyWithoutShowingIt)
{
    Make(ParameterControls::Mode::Dialog);
    m_controls->ShowFor(InstructionKind::Train, std::nullopt, kNames, kCurrentGeneration);
    EXPECT_EQ(List(), "0,1,10,0,0,0");
    ChooseVariant(4);
    EXPECT_EQ(List(), "4,50,0,0,0,0");
    EXPECT_FALSE(Bar(0)->isVisible());
    EXPECT_FALSE(Edit(0)->isVisible());
}

TEST_F(ParameterControlsTest, RoutineNamesTheChosenSubroutine)
{
    Make(ParameterControls::Mode::Dialog);
    m_controls->ShowFor(InstructionKind::Routine, std::nullopt, kNames, kCurrentGeneration);
    auto *name = Child<QLineEdit>(QStringLiteral("Sub_Edit1"));
    EXPECT_EQ(name->text(), kNames[0]);
    EXPECT_EQ(name->maxLength(), 14);
    Bar(0)->setValue(3);
    EXPECT_EQ(name->text(), QStringLiteral("LED"));
    EXPECT_EQ(Edit(0)->text(), "3");
    name->setText(QStringLiteral("ひかる"));
    const ParameterChoice choice = m_controls->Choice();
    EXPECT_EQ(choice.parameters.ToText(), "0,3,0,0,0,0");
    EXPECT_EQ(choice.subroutineName, QStringLiteral("ひかる"));
}

TEST_F(ParameterControlsTest, LeavingAnEditChecksItsText)
{
    Make(ParameterControls::Mode::Dialog);
    m_controls->ShowFor(InstructionKind::FullTime, std::nullopt, kNames, kCurrentGeneration);
    Type(3, QStringLiteral("1.3"));
    EXPECT_EQ(Edit(3)->text(), "0.25");
    EXPECT_EQ(Bar(3)->value(), 1);
    Type(3, QStringLiteral("1.25"));
    EXPECT_EQ(Bar(3)->value(), 5);
    EXPECT_EQ(Edit(3)->text(), "1.25");
    Type(3, QStringLiteral("2.50"));
    EXPECT_EQ(Edit(3)->text(), "2.5");
    Type(0, QStringLiteral("300"));
    EXPECT_EQ(Edit(0)->text(), "0");
    Type(0, QStringLiteral("200"));
    EXPECT_EQ(Swatch(), QColor(200, 0, 0));
    EXPECT_EQ(List(), "0,200,0,0,10,0");

    m_controls->ShowFor(InstructionKind::Train, std::nullopt, kNames, kCurrentGeneration);
    Type(0, QStringLiteral("0.05"));
    EXPECT_EQ(Edit(0)->text(), "0.1");
    Type(0, QStringLiteral("25.5"));
    EXPECT_EQ(Bar(0)->value(), 255);
    Type(0, QStringLiteral("25.6"));
    EXPECT_EQ(Edit(0)->text(), "25.5");
}

TEST_F(ParameterControlsTest, EnterOnOkChecksTheEditFirst)
{
    Make(ParameterControls::Mode::Dialog);
    m_controls->ShowFor(InstructionKind::Loop, std::nullopt, kNames, kCurrentGeneration);
    QSignalSpy accepted(m_controls.get(), &ParameterControls::Accepted);
    Edit(0)->setFocus();
    Edit(0)->setText(QStringLiteral("12"));
    QTest::keyClick(Edit(0), Qt::Key_Return);
    // The controls alone have no dialog to press OK for them: press it here.
    emit Child<QPushButton>(QStringLiteral("OK_Button"))->clicked();
    ASSERT_EQ(accepted.size(), 1);
    EXPECT_EQ(accepted.at(0).at(0).value<ParameterChoice>().parameters.ToText(), "0,12,0,0,0,0");
}

TEST_F(ParameterControlsTest, DialogEditsTakeOnlyDigitsAndThePoint)
{
    Make(ParameterControls::Mode::Dialog);
    m_controls->ShowFor(InstructionKind::FullTime, std::nullopt, kNames, kCurrentGeneration);
    Edit(3)->setFocus();
    Edit(3)->clear();
    QTest::keyClicks(Edit(3), QStringLiteral("1a-.5x"));
    EXPECT_EQ(Edit(3)->text(), "1.5");
    QTest::keyClick(Edit(3), Qt::Key_Backspace);
    EXPECT_EQ(Edit(3)->text(), "1.");
}

TEST_F(ParameterControlsTest, PanelEditsTakeAnyKeyAndRelyOnTheCheck)
{
    Make(ParameterControls::Mode::Panel);
    m_controls->ShowFor(InstructionKind::Loop, ParameterList {0, {7, 0, 0, 0, 0}}, kNames, kCurrentGeneration);
    EXPECT_EQ(Edit(0)->text(), "7");
    Edit(0)->setFocus();
    Edit(0)->clear();
    QTest::keyClicks(Edit(0), QStringLiteral("1a"));
    EXPECT_EQ(Edit(0)->text(), "1a");
    Child<QPushButton>(QStringLiteral("OK_Button"))->setFocus();
    EXPECT_EQ(Edit(0)->text(), "7");
}

TEST_F(ParameterControlsTest, PanelShowsTheStoredValuesOfTheStoredVariantOnly)
{
    Make(ParameterControls::Mode::Panel);
    m_controls->ShowFor(InstructionKind::FullTime, ParameterList {0, {255, 0, 255, 6, 0}}, kNames, kCurrentGeneration);
    EXPECT_EQ(ColourNames()->currentIndex(), -1);
    EXPECT_EQ(Swatch(), QColor(255, 0, 255));
    EXPECT_EQ(Edit(3)->text(), "1.5");
    ChooseVariant(2);
    // The colour stays the stored one; the hidden fade time takes its default.
    EXPECT_EQ(List(), "2,255,0,255,4,0");
    ChooseVariant(0);
    EXPECT_EQ(List(), "0,255,0,255,6,0");

    m_controls->ShowFor(InstructionKind::Timer, ParameterList {5, {9, 40, 0, 0, 0}}, kNames, kCurrentGeneration);
    EXPECT_EQ(Variants()->itemText(3), QStringLiteral("動作停止(時間or明るくなる)"));
    EXPECT_EQ(List(), "5,9,40,0,0,0");
    ChooseVariant(3);
    EXPECT_EQ(List(), "3,1,50,0,0,0");
    ChooseVariant(5);
    EXPECT_EQ(List(), "5,9,40,0,0,0");

    m_controls->ShowFor(InstructionKind::Routine, ParameterList {0, {3, 0, 0, 0, 0}}, kNames, kCurrentGeneration);
    EXPECT_EQ(Child<QLineEdit>(QStringLiteral("Sub_Edit1"))->text(), QStringLiteral("LED"));

    m_controls->ShowFor(InstructionKind::FullConti, ParameterList {0, {4, 0, 0, 0, 0}}, kNames, kCurrentGeneration);
    EXPECT_EQ(Swatch(), QColor(255, 0, 255));
    EXPECT_EQ(List(), "0,4,0,0,0,0");
}

TEST_F(ParameterControlsTest, PanelSurvivesStoredValuesOutOfRange)
{
    Make(ParameterControls::Mode::Panel);
    m_controls->ShowFor(InstructionKind::Train, ParameterList {12, {900, -3, 0, 0, 0}}, kNames, kCurrentGeneration);
    EXPECT_EQ(Variants()->currentIndex(), 0);
    EXPECT_EQ(List(), "0,1,10,0,0,0");
    m_controls->ShowFor(InstructionKind::Routine, ParameterList {0, {9, 0, 0, 0, 0}}, QStringList(),
                        kCurrentGeneration);
    EXPECT_EQ(List(), "0,4,0,0,0,0");
    EXPECT_EQ(Child<QLineEdit>(QStringLiteral("Sub_Edit1"))->text(), QString());
}

TEST(ParameterDialogTest, AskGivesTheChoiceOnOkAndNothingOnEscape)
{
    ParameterDialog dialog;
    QTimer::singleShot(0, &dialog, [&dialog] {
        auto *red = dialog.findChild<QComboBox *>(QStringLiteral("Color_Combo"));
        red->setCurrentIndex(0);
        emit red->activated(0);
        QTest::mouseClick(dialog.findChild<QPushButton *>(QStringLiteral("OK_Button")), Qt::LeftButton);
    });
    const QRect sheet(0, 0, 4000, 3000);
    const auto choice = dialog.Ask(InstructionKind::FullTime, kNames, kCurrentGeneration, QPoint(100, 120), sheet);
    ASSERT_TRUE(choice);
    EXPECT_EQ(choice->parameters.ToText(), "0,255,0,0,1,0");
    EXPECT_EQ(choice->subroutineName, std::nullopt);
    EXPECT_EQ(dialog.pos(), QPoint(100, 160));
    EXPECT_TRUE(dialog.windowFlags() & Qt::FramelessWindowHint);

    QTimer::singleShot(0, &dialog, [&dialog] { QTest::keyClick(&dialog, Qt::Key_Escape); });
    EXPECT_EQ(dialog.Ask(InstructionKind::Sound, kNames, kCurrentGeneration, QPoint(100, 120), sheet), std::nullopt);
}

TEST(ParameterDialogTest, CancelBesideOkClosesAsEscapeDoes)
{
    ParameterDialog dialog;
    const QRect sheet(0, 0, 4000, 3000);
    bool shownBeside = false;
    QTimer::singleShot(0, &dialog, [&dialog, &shownBeside] {
        const auto *ok = dialog.findChild<QPushButton *>(QStringLiteral("OK_Button"));
        auto *cancel = dialog.findChild<QPushButton *>(QStringLiteral("Cancel_Button"));
        shownBeside = cancel && cancel->isVisible() && cancel->text() == QStringLiteral("キャンセル")
            && cancel->y() == ok->y() && cancel->x() > ok->x() && !cancel->isDefault() && ok->isDefault();
        if (cancel)
            QTest::mouseClick(cancel, Qt::LeftButton);
        else
            dialog.reject();
    });
    EXPECT_EQ(dialog.Ask(InstructionKind::Sound, kNames, kCurrentGeneration, QPoint(100, 120), sheet), std::nullopt);
    EXPECT_TRUE(shownBeside);
    EXPECT_FALSE(dialog.isVisible());

    // The next drop's dialog works as before.
    QTimer::singleShot(0, &dialog, [&dialog] {
        QTest::mouseClick(dialog.findChild<QPushButton *>(QStringLiteral("OK_Button")), Qt::LeftButton);
    });
    const auto choice = dialog.Ask(InstructionKind::Sound, kNames, kCurrentGeneration, QPoint(100, 120), sheet);
    ASSERT_TRUE(choice);
    EXPECT_EQ(choice->parameters.ToText(), "0,0,0,0,0,0");

    // The panel closes with its box and has no such button.
    ParameterControls panel(ParameterControls::Mode::Panel);
    EXPECT_EQ(panel.findChild<QPushButton *>(QStringLiteral("Cancel_Button")), nullptr);
}

TEST(ParameterDialogTest, RegisteredAsAReusedWindow)
{
    QWidget menu;
    WindowRegistry windows(menu, [] { return false; });
    RegisterFlowchartParameterDialog(windows);
    windows.CreateReusedWindows();
    EXPECT_NE(windows.FindAs<ParameterDialog>(WindowKind::ParameterDialog), nullptr);
}

}  // namespace
}  // namespace kq
