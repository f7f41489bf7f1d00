#include "learning/practice/practice_checks.h"

#include <gtest/gtest.h>

namespace kq {
namespace {

const QString kWrongIcon = QStringLiteral("命令が間違っています。確認してください。");
const QString kTwo = QStringLiteral("正解。練習問題２をやってみよう。");
const QString kThree = QStringLiteral("正解。練習問題３をやってみよう。");

TEST(IconPracticeCheck, RightAndWrongAnswersPerPage)
{
    const struct {
        int page;
        IconSlotAnswer answer;
        PracticeVerdict verdict;
    } cases[] = {
        {0, {0, kIconChoiceLedOn, 4}, {true, kTwo, false}},
        {0, {0, kIconChoiceLedOn, 5}, {false, kWrongIcon, false}},
        {0, {1, kIconChoiceLedOn, 4}, {false, kWrongIcon, false}},
        {0, {0, kIconChoiceFadeIn, std::nullopt}, {false, kWrongIcon, false}},
        {1, {1, kIconChoiceFadeIn, std::nullopt}, {true, kThree, false}},
        {1, {1, kIconChoiceLedOn, 1}, {false, kWrongIcon, false}},
        {1, {0, kIconChoiceFadeIn, std::nullopt}, {false, kWrongIcon, false}},
        {2, {9, 0, std::nullopt}, {true, QStringLiteral("正解。練習問題４をやってみよう。"), false}},
        {2, {10, 0, std::nullopt}, {false, kWrongIcon, false}},
        {3, {13, 0, 20}, {true, QStringLiteral("正解。練習問題は終了しました。"), true}},
        {3, {13, 0, 25}, {false, kWrongIcon, false}},
        {3, {14, 0, 20}, {false, kWrongIcon, false}},
        // Nothing dropped on this page: wrong whatever the controls say.
        {1, {std::nullopt, kIconChoiceFadeIn, std::nullopt}, {false, kWrongIcon, false}},
        {4, {13, 0, 20}, {false, kWrongIcon, false}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(CheckIconPractice(c.page, c.answer), c.verdict)
            << "page " << c.page << " icon " << c.answer.icon.value_or(-1);
}

TEST(FlowPracticeCheck, OnlyTheLedSecondsIconIsAccepted)
{
    for (int kind = 0; kind <= 13; ++kind)
        EXPECT_EQ(IsFlowPracticeDropAccepted(kind), kind == 2) << kind;
}

TEST(FlowPracticeCheck, SettingsRightOnlyForRedForOneSecond)
{
    const QString wrong = QStringLiteral("パラメータ設定が違います。");
    const QString done = QStringLiteral(
        "パラメータ設定が終わりました。次は命令と命令を連結しましょう。\r\n次へのボタンを押して下さい。");
    const struct {
        FlowPracticeSettings settings;
        PracticeVerdict verdict;
    } cases[] = {
        {{0, {255, 0, 0}, 4}, {true, done, false}},   {{1, {255, 0, 0}, 4}, {false, wrong, false}},
        {{0, {255, 0, 0}, 5}, {false, wrong, false}}, {{0, {255, 1, 0}, 4}, {false, wrong, false}},
        {{0, {254, 0, 0}, 4}, {false, wrong, false}}, {{0, {255, 255, 255}, 4}, {false, wrong, false}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(CheckFlowPracticeSettings(c.settings), c.verdict);
}

TEST(FlowPracticeCheck, LinkZoneAndBoxBoundsAreStrict)
{
    const struct {
        QPoint point;
        bool zone;
        bool box;
    } cases[] = {
        {{50, 40}, true, true},    {{35, 40}, false, true},  {{36, 31}, true, true},  {{65, 40}, false, true},
        {{50, 30}, false, true},   {{50, 50}, false, false}, {{0, 10}, false, false}, {{99, 49}, false, true},
        {{100, 10}, false, false}, {{-1, 10}, false, false},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(InFlowPracticeLinkZone(c.point), c.zone) << c.point.x() << "," << c.point.y();
        EXPECT_EQ(InsideFlowPracticeBox(c.point), c.box) << c.point.x() << "," << c.point.y();
    }
}

TEST(TextPracticeCheck, SpacesIgnoredCaseAndPunctuationExact)
{
    const QString wrong = QStringLiteral("不正解。プログラムを確認してみよう。");
    const struct {
        int page;
        const char *answer;
        PracticeVerdict verdict;
    } cases[] = {
        {0, "ledon(255,0,0,1);", {true, kTwo, false}},
        {0, " ledon ( 255 , 0 , 0 , 1 ) ; ", {true, kTwo, false}},
        {0, "LEDON(255,0,0,1);", {false, wrong, false}},
        {0, "ledon(255,0,0,1)", {false, wrong, false}},
        {0, "ledon(255,0,0,4);", {false, wrong, false}},
        {1, "backlighttime(100,1);", {true, kThree, false}},
        {1, "ledon(255,0,0,1);", {false, wrong, false}},
        {2,
         "soundwait();",
         {true, QStringLiteral("正解。以上で練習ステップは終わりです。文字プログラムに進みましょう。"), true}},
        {2,
         "soundwait ();",
         {true, QStringLiteral("正解。以上で練習ステップは終わりです。文字プログラムに進みましょう。"), true}},
        // Only half-width spaces are removed.
        {2, "soundwait\u3000();", {false, wrong, false}},
        {2, "", {false, wrong, false}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(CheckTextPractice(c.page, QString::fromUtf8(c.answer)), c.verdict) << c.page << " " << c.answer;
}

}  // namespace
}  // namespace kq
