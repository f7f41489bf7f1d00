// A file given at start, as a double-click in the file manager gives it:
// opened in the window of its kind as if from the menu, or refused in that
// window's words with the menu back.
#include "base/text_file.h"
#include "editors/common/program_file_commands.h"
#include "editors/flowchart/flowchart_document.h"
#include "model/program_file.h"
#include "services/window_registry.h"
#include "studio_fixture.h"
#include "tools/melody/melody_file.h"

#include <QDir>
#include <QDirIterator>
#include <QEvent>
#include <QFile>
#include <QFileInfo>

namespace kq::testing {
namespace {

const QString kInstalledData = QStringLiteral(KQ_DATA_DIR);
const QString kFlowchartDemo = kInstalledData + QStringLiteral("/Data/Demo/fro/demo1(フロー).kq27");
const QString kIconDemo = kInstalledData + QStringLiteral("/Data/Demo/dd/demo1(アイコン).kq27");

class FileAtStartTest : public StudioFixture {
protected:
    // The pictures, keywords and help pages the editors read when they open.
    FileAtStartTest()
    {
        for (const char *folder : {"Img/Icon/DD", "Data", "HTML/Word"})
            CopyTree(kInstalledData + QLatin1Char('/') + QLatin1String(folder),
                     temp.Paths().ProgramFolder() + QLatin1String(folder));
    }

    static void CopyTree(const QString &from, const QString &to)
    {
        QDirIterator it(from, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString file = it.next();
            const QString copy = to + file.mid(from.size());
            QDir().mkpath(QFileInfo(copy).absolutePath());
            ASSERT_TRUE(QFile::copy(file, copy)) << qPrintable(copy);
        }
    }

    QString Write(const QString &name, const QStringList &lines)
    {
        const QString path = temp.Root() + QLatin1Char('/') + name;
        EXPECT_TRUE(WriteTextLines(path, lines));
        return path;
    }

    // Opens the file and lets refused windows go, as the event loop would.
    void Open(const QString &path)
    {
        studio.OpenFile(path);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

TEST_F(FileAtStartTest, EachKindOpensInItsWindowWithThePathInTheCaption)
{
    const std::optional<TextFileContent> demo = ReadTextLines(kFlowchartDemo);
    ASSERT_TRUE(demo);
    const struct {
        const char *name;
        QString path;
        WindowKind window;
    } cases[] = {
        {"flowchart", kFlowchartDemo, WindowKind::FlowchartEditor},
        {"icons", kIconDemo, WindowKind::IconEditor},
        {"text", Write(QStringLiteral("text.kq27"), {QStringLiteral("NG"), QStringLiteral("WORDDATA"), QStringLiteral("x")}),
         WindowKind::TextEditor},
        {"melody", Write(QStringLiteral("melody.kq27"), MelodyFileLines(Melody())), WindowKind::MelodyEditor},
        // Another step's valid program, imported by the flowchart.
        {"OK file", Write(QStringLiteral("lines.kq27"), QStringList{kValidProgramMark} + SplitProgramFile(demo->lines).programLines),
         WindowKind::FlowchartEditor},
    };
    for (const auto &c : cases) {
        Open(c.path);
        QWidget *window = studio.Windows().Find(c.window);
        ASSERT_NE(window, nullptr) << c.name;
        EXPECT_TRUE(window->isVisible()) << c.name;
        EXPECT_EQ(window->windowTitle(), StudioCaptionFor(c.path)) << c.name;
        EXPECT_FALSE(menu().isVisible()) << c.name;
        EXPECT_EQ(dialogs.Texts(RecordingDialogs::Kind::Warning), QStringList{}) << c.name;
        EXPECT_EQ(dialogs.Texts(RecordingDialogs::Kind::Information), QStringList{}) << c.name;
        EXPECT_EQ(dialogs.Texts(RecordingDialogs::Kind::Question), QStringList{}) << c.name;
        window->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(menu().isVisible()) << c.name;
        EXPECT_EQ(menu().CurrentPage(), MainMenu::Page::Studio) << c.name;
        dialogs.Clear();
    }
}

TEST_F(FileAtStartTest, AnOpenedProgramThatWasNeverSavedAsksBeforeItsWindowCloses)
{
    Open(kFlowchartDemo);
    QWidget *window = studio.Windows().Find(WindowKind::FlowchartEditor);
    ASSERT_NE(window, nullptr);
    dialogs.yesNoAnswers.enqueue(false);
    window->close();
    EXPECT_EQ(dialogs.Texts(RecordingDialogs::Kind::Question), QStringList{kCloseQuestion});
    EXPECT_TRUE(window->isVisible());
}

TEST_F(FileAtStartTest, ARefusedFileGetsItsWindowsMessageAndTheMenuStays)
{
    const QStringList flowchartFile = ReadTextLines(kFlowchartDemo)->lines;
    const struct {
        const char *name;
        QString path;
        WindowKind window;
        QString message;
        // The flowchart's import refusals are information, the rest warnings.
        RecordingDialogs::Kind kind = RecordingDialogs::Kind::Warning;
    } cases[] = {
        {"invalid program without a section", Write(QStringLiteral("ng.kq27"), {kInvalidProgramMark}),
         WindowKind::FlowchartEditor, kFlowchartForeignFileMessage, RecordingDialogs::Kind::Information},
        {"wrong extension", Write(QStringLiteral("flowchart.txt"), flowchartFile), WindowKind::FlowchartEditor,
         kWrongExtensionMessage, RecordingDialogs::Kind::Information},
        // Loaded as far as it goes: hiding the window asks nothing about it.
        {"damaged flowchart", Write(QStringLiteral("cut.kq27"), flowchartFile.mid(0, flowchartFile.size() - 100)),
         WindowKind::FlowchartEditor, kReadFailedMessage},
        {"missing file", temp.Root() + QStringLiteral("/gone.kq27"), WindowKind::FlowchartEditor, kReadFailedMessage},
        {"UTF-8 text", QString(), WindowKind::FlowchartEditor, kReadFailedMessage},
        {"damaged melody", Write(QStringLiteral("melody.kq27"), {kMelodyFileMark, QStringLiteral("x")}),
         WindowKind::MelodyEditor, kReadFailedMessage},
    };
    for (auto c : cases) {
        if (c.path.isEmpty()) {
            c.path = temp.Root() + QStringLiteral("/utf8.kq27");
            QFile file(c.path);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(QStringLiteral("OK\r\nROUTINE\r\n太郎\r\n").toUtf8());
        }
        Open(c.path);
        EXPECT_EQ(dialogs.Texts(c.kind), QStringList{c.message}) << c.name;
        EXPECT_EQ(dialogs.Texts(RecordingDialogs::Kind::Question), QStringList{}) << c.name;
        EXPECT_EQ(studio.Windows().Find(c.window), nullptr) << c.name;
        EXPECT_TRUE(menu().isVisible()) << c.name;
        dialogs.Clear();
    }
}

}  // namespace
}  // namespace kq::testing
