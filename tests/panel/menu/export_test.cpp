#include "panel/effects/effect_control.h"
#include "panel/menu/bitmap_file.h"
#include "panel/menu/panel_export.h"
#include "panel/progress/progress_window.h"
#include "services/dialog_folder.h"
#include "support/file_bytes.h"
#include "support/recording_dialogs.h"

#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace kq::panel {
namespace {

using kq::testing::RecordingDialogs;
using Kind = RecordingDialogs::Kind;

QImage Panel()
{
    QImage image(860, 1060, QImage::Format_RGB32);
    image.fill(Qt::blue);
    image.setPixelColor(859, 1059, Qt::red);
    return image;
}

// Presses "中止" after the given number of progress reports.
class StoppingControl final : public EffectControl {
public:
    explicit StoppingControl(int reportsBeforeStop) : m_left(reportsBeforeStop) {}
    bool StopRequested() const override { return m_left <= 0; }
    void ReportProgress(int) override { --m_left; }

private:
    int m_left;
};

TEST(WriteBitmapFile, StoppedWriteLeavesNoFileAndKeepsAnOldOne)
{
    const QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("panel.bmp"));
    for (const int reports : {0, 1, 5}) {
        StoppingControl stop(reports);
        EXPECT_EQ(WriteBitmapFile(path, Panel(), stop), BitmapWrite::Stopped) << reports;
        EXPECT_TRUE(QDir(dir.path()).isEmpty()) << reports;  // no half-written or temporary file
    }
    kq::testing::WriteBytes(path, "old");
    StoppingControl stop(2);
    EXPECT_EQ(WriteBitmapFile(path, Panel(), stop), BitmapWrite::Stopped);
    EXPECT_EQ(kq::testing::ReadBytes(path), QByteArray("old"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList({QStringLiteral("panel.bmp")}));
}

TEST(WriteBitmapFile, WritesTheWholePanelAsBmp)
{
    const QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("panel.bmp"));
    UnattendedEffect control;
    ASSERT_EQ(WriteBitmapFile(path, Panel(), control), BitmapWrite::Written);
    QImageReader reader(path);
    EXPECT_EQ(reader.format(), QByteArray("bmp"));
    EXPECT_EQ(reader.read().convertToFormat(QImage::Format_RGB32), Panel());
    EXPECT_EQ(WriteBitmapFile(dir.filePath(QStringLiteral("missing/panel.bmp")), Panel(), control),
              BitmapWrite::Failed);
}

class ExportPanelTest : public ::testing::Test {
protected:
    QTemporaryDir m_dir;
    RecordingDialogs m_dialogs;
    DialogFolder m_folder;
    ProgressWindow m_progress;
};

TEST_F(ExportPanelTest, AddsTheExtensionAndWritesThroughTheProgressWindow)
{
    m_dialogs.fileNames.enqueue(m_dir.filePath(QStringLiteral("clock")));
    EXPECT_TRUE(ExportPanel(nullptr, m_dialogs, m_folder, m_progress, Panel()));
    EXPECT_EQ(QImage(m_dir.filePath(QStringLiteral("clock.bmp"))).convertToFormat(QImage::Format_RGB32), Panel());
    EXPECT_EQ(m_progress.Progress(), 100);
    EXPECT_TRUE(m_dialogs.Texts(Kind::Warning).isEmpty());
    // No proposed name; the next export starts beside this one.
    EXPECT_FALSE(ExportPanel(nullptr, m_dialogs, m_folder, m_progress, Panel()));
    EXPECT_EQ(m_dialogs.Texts(Kind::SaveFile), QStringList({DesktopOrHomeFolder(), m_dir.path()}));
}

TEST_F(ExportPanelTest, CancelledDialogOrDeclinedOverwriteWritesNothing)
{
    EXPECT_FALSE(ExportPanel(nullptr, m_dialogs, m_folder, m_progress, Panel()));
    const QString path = m_dir.filePath(QStringLiteral("old.BMP"));
    kq::testing::WriteBytes(path, "old");
    m_dialogs.fileNames.enqueue(path);
    m_dialogs.yesNoAnswers.enqueue(false);
    EXPECT_FALSE(ExportPanel(nullptr, m_dialogs, m_folder, m_progress, Panel()));
    EXPECT_EQ(m_dialogs.Texts(Kind::Question),
              QStringList({QStringLiteral("同じ名前のファイルが既にあります。上書きしますか？")}));
    EXPECT_EQ(kq::testing::ReadBytes(path), QByteArray("old"));
}

TEST_F(ExportPanelTest, UnwritableFolderIsReported)
{
    m_dialogs.fileNames.enqueue(m_dir.filePath(QStringLiteral("missing/panel.bmp")));
    EXPECT_FALSE(ExportPanel(nullptr, m_dialogs, m_folder, m_progress, Panel()));
    EXPECT_EQ(m_dialogs.Texts(Kind::Warning), QStringList({QStringLiteral("ファイルの保存に失敗しました。")}));
}

}  // namespace
}  // namespace kq::panel
