#include "learning/practice/text_practice_window.h"

#include "support/test_context.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTabWidget>
#include <QTextBrowser>
#include <QToolButton>

#include <gtest/gtest.h>

namespace kq {
namespace {

using Kind = testing::RecordingDialogs::Kind;

void WriteFile(const QString &path, const QByteArray &content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content);
}

class TextPracticeWindowTest : public ::testing::Test {
protected:
    void SetUp() override { WriteFile(m_installed, "<html><body>installed</body></html>"); }

    testing::TestContext m_test;
    const QString m_installed = m_test.context.Paths().ProgramFile(QStringLiteral("HTML\\Word\\index.html"));
};

TEST_F(TextPracticeWindowTest, RightAnswersWalkThePagesAndCloseTheWindow)
{
    auto *window = new TextPracticeWindow(m_test.context);
    window->setAttribute(Qt::WA_DeleteOnClose);
    QPointer<TextPracticeWindow> alive(window);
    window->show();
    EXPECT_EQ(window->Pages()->tabText(2), QStringLiteral("練習課題３"));

    window->Answer(0)->setText(QStringLiteral("ledon(255,0,0,1)"));
    window->CheckButton(0)->click();
    EXPECT_EQ(window->Pages()->currentIndex(), 0);

    window->Answer(0)->setText(QStringLiteral(" ledon ( 255 , 0 , 0 , 1 ) ; "));
    window->CheckButton(0)->click();
    EXPECT_EQ(window->Pages()->currentIndex(), 1);
    window->Answer(1)->setText(QStringLiteral("backlighttime(100,1);"));
    window->CheckButton(1)->click();
    EXPECT_EQ(window->Pages()->currentIndex(), 2);
    window->Answer(2)->setText(QStringLiteral("soundwait();"));
    window->CheckButton(2)->click();

    EXPECT_EQ(m_test.dialogs.Texts(Kind::Information),
              (QStringList {QStringLiteral("不正解。プログラムを確認してみよう。"),
                            QStringLiteral("正解。練習問題２をやってみよう。"),
                            QStringLiteral("正解。練習問題３をやってみよう。"),
                            QStringLiteral("正解。以上で練習ステップは終わりです。文字プログラムに進みましょう。")}));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(alive.isNull());
}

TEST_F(TextPracticeWindowTest, KeywordSettingsApplyNeitherToHelpNorToAnswers)
{
    // The help copy the keyword settings write for the pupil's own words.
    WriteFile(m_test.context.Paths().TempFolder() + QStringLiteral("wordindex.html"), "<html><body>user</body></html>");
    TextPracticeWindow window(m_test.context);
    EXPECT_EQ(window.Help()->source(), QUrl::fromLocalFile(m_installed));

    window.Help()->setSource(QUrl());
    window.findChild<QPushButton *>(QStringLiteral("TopButton"))->click();
    EXPECT_EQ(window.Help()->source(), QUrl::fromLocalFile(m_installed));

    window.Answer(0)->setText(QStringLiteral("ledon(255,0,0,1);"));
    window.Check(0);
    EXPECT_EQ(m_test.dialogs.Texts(Kind::Information),
              QStringList {QStringLiteral("正解。練習問題２をやってみよう。")});
    EXPECT_TRUE(m_test.dialogs.Texts(Kind::Warning).isEmpty());
}

TEST_F(TextPracticeWindowTest, MissingHelpPageIsReported)
{
    QFile::remove(m_installed);
    TextPracticeWindow window(m_test.context);
    window.findChild<QPushButton *>(QStringLiteral("TopButton"))->click();
    EXPECT_EQ(m_test.dialogs.Texts(Kind::Warning),
              (QStringList {QStringLiteral("ファイル読み込みエラー"), QStringLiteral("ファイル読み込みエラー")}));
}

}  // namespace
}  // namespace kq
