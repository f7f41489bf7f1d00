#include "panel/model/panel_record.h"

#include <gtest/gtest.h>

namespace kq::panel {
namespace {

TEST(StorableRecordPath, KeepsWhatTheFileCanHoldAndReplacesTheRest)
{
    const struct {
        const char *path;
        const char *stored;
    } cases[] = {
        {"/home/taro/Desktop/写真/ねこ.jpg", "/home/taro/Desktop/写真/ねこ.jpg"},
        {"C:\\Users\\taro\\Desktop\\1.jpg", "C:\\Users\\taro\\Desktop\\1.jpg"},
        {"/home/taro/〜ー−/a.jpg", "/home/taro/〜ー−/a.jpg"},  // typed forms CP932 holds as its own
        {"/home/u/Desktop/Müller/Ève.jpg", "/home/u/Desktop/Muller/Eve.jpg"},
        {"/home/u/사진/a.jpg", "/home/u/__/a.jpg"},
        {"/home/u/a,b/😀.jpg", "/home/u/a_b/_.jpg"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(StorableRecordPath(QString::fromUtf8(c.path)), QString::fromUtf8(c.stored)) << c.path;
}

}  // namespace
}  // namespace kq::panel
