#include "learning/learning_windows.h"
#include "learning/report_window.h"
#include "services/recovery_offer.h"
#include "services/window_registry.h"
#include "support/abandoned_program.h"
#include "support/recovery_files.h"
#include "support/test_context.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

#include <gtest/gtest.h>

namespace kq {
namespace {

using Kind = testing::RecordingDialogs::Kind;

// The report window as the studio makes it at start, over folders under root.
struct ReportStudio {
    ReportStudio() { Start(); }
    explicit ReportStudio(const QString &root) : test(root) { Start(); }
    void Start()
    {
        RegisterLearningWindows(windows, test.context, restorers);
        windows.CreateReusedWindows();
        menu.show();
    }
    ReportWindow &Report() { return *windows.FindAs<ReportWindow>(WindowKind::Report); }
    ReportWindow &Opened()
    {
        windows.OpenFromEditor(WindowKind::Report, &menu);
        return Report();
    }
    QStringList Copies() { return testing::RecoveryCopyFiles(test.context.Recovery()); }

    testing::TestContext test;
    RecoveryRestorers restorers;
    QWidget menu;
    WindowRegistry windows {menu, [] { return false; }};
};

// Typed as a pupil types: what a program file could not give back as it was.
void Type(ReportWindow &report)
{
    QTest::keyClicks(report.findChild<QLineEdit *>(QStringLiteral("Edit3")), QStringLiteral("taro"));
    report.findChild<QPlainTextEdit *>(QStringLiteral("Memo6"))
        ->setPlainText(QStringLiteral("\"楽しかった\", とても。\n次は 音も"));
}

TEST(ReportRecovery, AKilledStudiosReportFieldsComeBackExactly)
{
    const QString root = testing::AbandonedProgramFolder();
    KQ_RUN_THEN_KILL({
        ReportStudio killed(root);
        ReportWindow &report = killed.Opened();
        Type(report);
        report.Recovery().Flush();
    });
    ReportStudio reference;
    Type(reference.Opened());
    const ReportFields expected = reference.test.context.ReportFields().Value();

    ReportStudio next(root);
    next.test.dialogs.yesNoAnswers.enqueue(true);
    OfferAbandonedWork(next.test.context.Recovery(), next.test.dialogs, &next.menu, next.restorers);
    ASSERT_EQ(next.test.dialogs.Texts(Kind::Question).size(), 1);
    EXPECT_TRUE(next.test.dialogs.Texts(Kind::Question).first().contains(QStringLiteral("・レポート作成　新規　")));
    EXPECT_EQ(next.test.context.ReportFields().Value(), expected);
    ReportWindow &report = next.Report();
    EXPECT_EQ(report.findChild<QPlainTextEdit *>(QStringLiteral("Memo6"))->toPlainText(), expected.impressions);
    EXPECT_EQ(report.findChild<QLineEdit *>(QStringLiteral("Edit3"))->text(), QStringLiteral("taro"));
    // The fields wait in the hidden window for the next report, safe again.
    EXPECT_FALSE(report.isVisible());
    EXPECT_EQ(next.Copies().size(), 1);
}

TEST(ReportRecovery, OnlyTypingMakesACopyAndClosingTheWindowRemovesIt)
{
    ReportStudio studio;
    ReportFields loaded;
    loaded.name = QStringLiteral("hanako");
    // Fields a program file brought are that file's, not the window's work.
    studio.test.context.ReportFields().Set(loaded);
    ReportWindow &report = studio.Opened();
    report.Recovery().Flush();
    EXPECT_TRUE(studio.Copies().isEmpty());

    Type(report);
    report.Recovery().Flush();
    EXPECT_EQ(studio.Copies().size(), 1);
    report.close();
    EXPECT_FALSE(report.isVisible());
    EXPECT_TRUE(studio.Copies().isEmpty());
}

TEST(ReportRecovery, ACopyWithoutTheNineFieldsIsRefused)
{
    ReportStudio studio;
    RecoveryCopy copy;
    copy.window = kReportRecoveryWindow;
    copy.body = QByteArrayLiteral("reponen=5\r\n");
    EXPECT_FALSE(studio.restorers.Restore(copy));
    EXPECT_EQ(studio.test.context.ReportFields().Value(), ReportFields());
    EXPECT_TRUE(studio.Copies().isEmpty());
}

}  // namespace
}  // namespace kq
