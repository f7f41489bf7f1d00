// The pictures and animations of the three windows, as the build makes them.
#include "base/paths.h"

#include <QDir>
#include <QImage>
#include <QImageReader>
#include <QMovie>

#include <gtest/gtest.h>

namespace kq::testing {
namespace {

const Paths kData {QStringLiteral(KQ_DATA_DIR), QDir::tempPath()};

TEST(ControlData, EveryPictureIsInstalled)
{
    for (const char *picture :
         {"Img\\Thermo\\Up.bmp", "Img\\Thermo\\Down.bmp", "Img\\Thermo\\Start.bmp", "Img\\Thermo\\Stop.bmp",
          "Img\\Animate\\ON.jpg", "Img\\Animate\\OFF1.jpg", "Img\\TimeAdjust\\Send.bmp", "Img\\Train\\Forward.bmp",
          "Img\\Train\\Backward.bmp", "Img\\Train\\Stop.bmp", "Img\\Train\\ForwardTimed.bmp",
          "Img\\Train\\BackwardTimed.bmp"})
        EXPECT_FALSE(QImage(kData.ProgramFile(picture)).isNull()) << picture;
}

TEST(ControlData, AnimationsLoopWithEveryFrameAndItsDelay)
{
    const struct {
        const char *file;
        int frames;
        int delayMs;
        QSize size;
    } cases[] = {
        {"Img\\Animate\\propera.gif", 8, 60, {130, 150}},
        {"Img\\Animate\\Adv.gif", 12, 80, {480, 200}},
        {"Img\\Animate\\Back.gif", 12, 80, {480, 200}},
    };
    for (const auto &c : cases) {
        QImageReader reader(kData.ProgramFile(c.file));
        EXPECT_EQ(reader.imageCount(), c.frames) << c.file;
        EXPECT_NE(reader.loopCount(), 0) << c.file;
        QImage first = reader.read();
        EXPECT_EQ(first.size(), c.size) << c.file;
        EXPECT_EQ(reader.nextImageDelay(), c.delayMs) << c.file;
        // The frames differ: the picture moves.
        EXPECT_NE(reader.read(), first) << c.file;
        QMovie movie(kData.ProgramFile(c.file));
        EXPECT_TRUE(movie.isValid()) << c.file;
    }
}

}  // namespace
}  // namespace kq::testing
