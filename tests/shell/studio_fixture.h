#pragma once

#include "context/studio_context.h"
#include "controls/clickable_picture.h"
#include "device/virtual_clock.h"
#include "shell/main_menu.h"
#include "shell/studio_app.h"
#include "support/fake_waiter.h"
#include "support/recording_dialogs.h"
#include "support/recording_launcher.h"
#include "support/temp_paths.h"

#include <QCoreApplication>
#include <QTest>

#include <gtest/gtest.h>

namespace kq::testing {

// A started studio over temporary folders, with fakes for every service.
class StudioFixture : public ::testing::Test {
protected:
    // Over an empty program folder, or another one such as the installed data
    // tree.
    explicit StudioFixture(const QString &programFolder = {})
        : context(dialogs, waiter,
                  programFolder.isEmpty() ? temp.Paths() : Paths(programFolder, temp.Paths().AppDataFolder()), clock),
          studio(context, launcher, kPanelMaker)
    {
        studio.Start();
        // The splash leaves and the link starts once the event loop runs.
        QCoreApplication::processEvents();
    }

    MainMenu &menu() { return studio.Menu(); }

    void Click(const QString &picture)
    {
        auto *widget = menu().findChild<ClickablePicture *>(picture);
        ASSERT_NE(widget, nullptr) << qPrintable(picture);
        QTest::mouseClick(widget, Qt::LeftButton);
    }

    inline static const QString kPanelMaker = QStringLiteral("/opt/kq/bin/KQ18");

    TempPaths temp;
    RecordingDialogs dialogs;
    FakeWaiter waiter;
    RecordingLauncher launcher;
    VirtualClock clock;
    StudioContext context;
    StudioApp studio;
};

}  // namespace kq::testing
