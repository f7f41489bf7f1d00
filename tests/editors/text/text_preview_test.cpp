#include "context/studio_context.h"
#include "controls/code_editor.h"
#include "device/virtual_clock.h"
#include "editors/test_step.h"
#include "editors/text/text_trace_lines.h"
#include "editors/text/text_window.h"
#include "preview/preview_windows.h"
#include "services/window_registry.h"
#include "support/fake_waiter.h"
#include "support/preview_trace.h"
#include "support/recording_dialogs.h"
#include "support/recording_launcher.h"

#include <QAction>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace kq::testing {
namespace {

using Kind = RecordingDialogs::Kind;

class TextPreviewTest : public ::testing::Test {
protected:
    TextPreviewTest() : context(dialogs, waiter, Paths(QStringLiteral(KQ_DATA_DIR), appData.path()), clock)
    {
        RegisterPreviewWindow(windows, context);
        windows.CreateReusedWindows();
        window = new TextWindow(context, windows, steps, launcher);
        window->show();
    }
    ~TextPreviewTest() override { delete window; }

    void Type(const QString &text) { window->EditorControl().setPlainText(text); }
    int Mark() const { return window->EditorControl().TraceLine().value_or(-1); }
    QList<int> MarksDuring(const std::function<void()> &play)
    {
        return testing::MarksDuring(waiter, play, [this] { return Mark(); });
    }

    QTemporaryDir appData;
    RecordingDialogs dialogs;
    FakeWaiter waiter;
    VirtualClock clock;
    StudioContext context;
    QWidget menu;
    WindowRegistry windows {menu, [] { return false; }};
    TestStepWindows steps {context};
    RecordingLauncher launcher;
    TextWindow *window = nullptr;
};

struct TextTraceCase {
    const char *name;
    const char *text;
    QList<int> marks;  // the marked line as the preview runs, -1 for none
};

// Comments, empty lines, "}" and "else{" hold no instruction; the switch is
// not pressed, so the else block runs.
TEST_F(TextPreviewTest, TheMarkFollowsTheRunningLine)
{
    const TextTraceCase cases[] = {
        {"straight", "// light up\nledon(255,0,0,1);\n\ntimerstop(1);\nbeep1(); // tone\n", {-1, 1, 3, 4, -1}},
        {"if and else", "if(sw=on){\nbeep1();\n}\nelse{\nbeep2();\n}\nbeep3();", {-1, 0, 4, 6, -1}},
        {"repeat twice", "loopstart(2);\n  beep1();\nloopend();", {-1, 0, 1, 2, 1, 2, -1}},
    };
    for (const TextTraceCase &c : cases) {
        SCOPED_TRACE(c.name);
        Type(QString::fromUtf8(c.text));
        window->Action("Preview")->trigger();
        PreviewWindow *preview = ShownPreview(windows);
        ASSERT_NE(preview, nullptr);
        EXPECT_EQ(MarksDuring([preview] { preview->Play(); }), c.marks);
        preview->close();
    }
    EXPECT_TRUE(dialogs.Records().isEmpty());
}

TEST_F(TextPreviewTest, APausedWaitKeepsItsMarkApartFromTheCommentColouring)
{
    Type("swwait(); // wait\nbeep1();");
    // 0 start, 2 the wait, 4 the tone, 6 end
    EXPECT_EQ(TextLinesByAddress(window->Document().Lines(), window->Document().Keywords(), kCurrentGeneration),
              (std::map<int, int> {{2, 0}, {4, 1}}));

    BlockedWatch watch(*window);
    window->Action("Preview")->trigger();
    PreviewWindow *preview = ShownPreview(windows);
    ASSERT_NE(preview, nullptr);
    EXPECT_TRUE(watch.Blocked());  // no editing while the preview is shown
    EXPECT_EQ(MarksDuring([preview] { preview->Play(); }), (QList<int> {-1, 0}));
    EXPECT_EQ(window->EditorControl().ColouredRanges(), (QList<std::array<int, 3>> {{0, 10, 7}}));
    EXPECT_EQ(MarksDuring([preview] { preview->PressWaitButton(2); }), (QList<int> {1, -1}));

    preview->Play();
    preview->close();
    EXPECT_EQ(Mark(), -1);
    EXPECT_FALSE(watch.Blocked());
}

TEST_F(TextPreviewTest, AProgramTheClockCouldNotRunIsNotPreviewed)
{
    Type("beep1();;");
    window->Action("Preview")->trigger();
    Type(QStringLiteral("ledon(1,2,3,1);\n").repeated(30));
    window->Action("Preview")->trigger();
    EXPECT_EQ(dialogs.Texts(Kind::Warning),
              (QStringList {QStringLiteral("プログラムの構文が間違っております。\r\nプログラムを確認して下さい。"),
                            kTextPreviewOverflowMessage}));
    EXPECT_EQ(ShownPreview(windows), nullptr);
}

}  // namespace
}  // namespace kq::testing
