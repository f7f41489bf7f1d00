#include "base/text_file.h"
#include "panel/document/panel_document.h"
#include "panel/document/panel_fixture.h"
#include "panel/effects/effect_control.h"
#include "panel/menu/bitmap_file.h"
#include "support/file_bytes.h"
#include "support/full_folder.h"
#include "support/tool_runner.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

namespace kq::panel {
namespace {

using kq::testing::ReadBytes;
using kq::testing::WriteBytes;
using testing::PanelFixture;

const QByteArray kOldFile = "-1,old panel,0,0\r\n";

// A photo whose JPEG is well above any write buffer.
QImage NoisyPhoto()
{
    QImage image(400, 300, QImage::Format_RGB32);
    quint32 state = 12345;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            state = state * 1664525u + 1013904223u;
            image.setPixel(x, y, state >> 8);
        }
    }
    return image;
}

// Every writer of the panel maker and of kq18-tool, saving over an old file
// on a full disk, small files and large ones: the failure is reported (the
// tool exits with 2) and the old file stays as it was.
class PanelFullDiskTest : public kq::testing::FullFolderTest {
protected:
    bool RunTool(const QStringList &arguments) const
    {
        QProcessEnvironment environment;
        environment.insert(QStringLiteral("XDG_DATA_HOME"), m_fixture.Root() + QStringLiteral("/xdg"));
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_fixture.Root());
        const int exitCode = kq::testing::RunProgram(QStringLiteral(KQ18_TOOL), arguments, environment).exitCode;
        EXPECT_TRUE(exitCode == 0 || exitCode == 2) << exitCode;
        return exitCode == 0;
    }

    PanelFixture m_fixture;
};

TEST_P(PanelFullDiskTest, FailedWriteKeepsTheOldFile)
{
    PanelDocument plain(KitModelAt(0), m_fixture.PanelPaths());
    PanelDocument withPhoto(KitModelAt(0), m_fixture.PanelPaths());
    ASSERT_TRUE(withPhoto.AddPhoto(m_fixture.WriteUserPicture(QStringLiteral("photo.png"), NoisyPhoto())));
    const QString panelFile = m_fixture.Root() + QStringLiteral("/panel.kq18");
    ASSERT_TRUE(
        WriteTextLines(panelFile, {QStringLiteral("-1,背景,") + plain.BackgroundPath() + QStringLiteral(",0,0")}));

    struct Case {
        const char *name;
        QString out;  // its name tells the tool the type to write
        std::function<bool(const QString &out)> write;
    };
    const auto exported = [](const QImage &image) {
        return [image](const QString &out) {
            UnattendedEffect control;
            return WriteBitmapFile(out, image, control) == BitmapWrite::Written;
        };
    };
    const auto tool = [&](const QString &command) {
        return [&, command](const QString &out) { return RunTool({command, panelFile, QStringLiteral("TL-1"), out}); };
    };
    const Case cases[] = {
        {"panel file", QStringLiteral("out.kq18"), [&](const QString &out) { return bool(plain.Save(out)); }},
        {"panel file with a photo", QStringLiteral("out.kq18"),
         [&](const QString &out) { return bool(withPhoto.Save(out)); }},
        {"small export", QStringLiteral("out.bmp"), exported(PanelFixture::Filled(QSize(4, 4), Qt::red))},
        {"panel export", QStringLiteral("out.bmp"), exported(PanelFixture::Filled(QSize(860, 1060), Qt::red))},
        {"kq18-tool flatten", QStringLiteral("out.png"), tool(QStringLiteral("flatten"))},
        {"kq18-tool print", QStringLiteral("out.pdf"), tool(QStringLiteral("print"))},
    };
    const QTemporaryDir roomy;
    for (const Case &c : cases) {
        EXPECT_TRUE(c.write(roomy.filePath(c.out))) << c.name;
        const QString out = m_full.FilePath(c.out);
        WriteBytes(out, kOldFile);
        m_full.Fill();
        const bool written = c.write(out);
        m_full.Empty();
        EXPECT_FALSE(written) << c.name;
        EXPECT_EQ(ReadBytes(out), kOldFile) << c.name;
        EXPECT_EQ(m_full.Entries(), QStringList {c.out}) << c.name;
        QFile::remove(out);
    }
}

INSTANTIATE_TEST_SUITE_P(OnAFullDisk, PanelFullDiskTest, ::testing::ValuesIn(kq::testing::kFullFolderKinds),
                         kq::testing::FullFolderKindName);

}  // namespace
}  // namespace kq::panel
