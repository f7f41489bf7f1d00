#include "studio_fixture.h"

#include "services/recovery_offer.h"

namespace kq {
namespace {

using StudioRestorers = testing::StudioFixture;

// The windows beside the steps take back their work, named as the pupil
// knows them.
TEST_F(StudioRestorers, TheMelodyReportAndKeywordWindowsAreRegistered)
{
    const RecoveryRestorers &restorers = studio.Restorers();
    const std::pair<const char *, const char *> windows[] = {
        {"Melody", "メロディー作成"}, {"Report", "レポート作成"}, {"Keywords", "キーワード設定"}};
    for (const auto &[window, caption] : windows) {
        EXPECT_TRUE(restorers.Knows(QString::fromUtf8(window))) << window;
        EXPECT_EQ(restorers.Caption(QString::fromUtf8(window)), QString::fromUtf8(caption));
    }
}

}  // namespace
}  // namespace kq
