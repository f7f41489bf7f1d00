#include "effect_fixture.h"
#include "support/tool_runner.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace kq::panel {
namespace {

class EffectCommandTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        ASSERT_TRUE(photo.save(Path("in.png")));
    }

    QString Path(const char *name) const { return folder.filePath(QString::fromLatin1(name)); }

    int Run(const QStringList &arguments) const
    {
        QProcessEnvironment environment;
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), folder.path());
        return kq::testing::RunProgram(QStringLiteral(KQ18_TOOL), QStringList{QStringLiteral("effect")} + arguments,
                                       environment)
            .exitCode;
    }

    QTemporaryDir folder;
    QImage photo = testing::PhotoFixture(128, 96);
};

TEST_F(EffectCommandTest, AppliesARecordAndWritesByTheExtension)
{
    const struct {
        const char *record;
        QSize size;
    } cases[] = {
        {"Rotation,0/0/0/0/0/0/0/0,90,False,False,True,0,0,0,False", QSize(96, 128)},
        {"CutRectImage,10/20/110/70", QSize(100, 50)},
        {"YCCSpline,0/0/64/54/128/128/192/202/255/255,True,True,True", QSize(128, 96)},
        {"Resize,0/0/0/0/0/0/0/0,64,48,True", QSize(64, 48)},
    };
    for (const auto &c : cases) {
        QFile::remove(Path("out.bmp"));
        ASSERT_EQ(Run({QString::fromUtf8(c.record), Path("in.png"), Path("out.bmp")}), 0) << c.record;
        EXPECT_EQ(QImage(Path("out.bmp")).size(), c.size) << c.record;
    }
    ASSERT_EQ(Run({QStringLiteral("SetGray,0/0/0/0/0/0/0/0"), Path("in.png"), Path("out.png")}), 0);
    const QRgb p = QImage(Path("out.png")).pixel(5, 5);
    EXPECT_TRUE(qRed(p) == qGreen(p) && qGreen(p) == qBlue(p));
}

TEST_F(EffectCommandTest, RefusesRecordsAndBadArgumentsWithoutWriting)
{
    ASSERT_TRUE(QFile(Path("text.png")).open(QIODevice::WriteOnly));
    const struct {
        QStringList arguments;
        int exitCode;
    } cases[] = {
        {{QStringLiteral("Sepia,0/0/0/0/0/0/0/0,10"), Path("in.png"), Path("out.png")}, 1},
        {{QStringLiteral("Blur,0/0/0/0/0/0/0/0"), Path("in.png"), Path("out.png")}, 1},
        {{QStringLiteral("Blur,0/0/0/0/0/0/0/0,soft"), Path("in.png"), Path("out.png")}, 1},
        {{QStringLiteral("CutRectImage,500/500/600/600"), Path("in.png"), Path("out.png")}, 1},
        {{QStringLiteral("Blur,0/0/0/0/0/0/0/0,10"), Path("missing.png"), Path("out.png")}, 2},
        {{QStringLiteral("Blur,0/0/0/0/0/0/0/0,10"), Path("text.png"), Path("out.png")}, 2},
        {{QStringLiteral("Blur,0/0/0/0/0/0/0/0,10"), Path("in.png"), Path("out.unknown")}, 2},
        {{QStringLiteral("Blur,0/0/0/0/0/0/0/0,10"), Path("in.png")}, 2},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(Run(c.arguments), c.exitCode) << c.arguments.join(QLatin1Char(' ')).toStdString();
        EXPECT_FALSE(QFile::exists(Path("out.png")));
    }
}

}  // namespace
}  // namespace kq::panel
