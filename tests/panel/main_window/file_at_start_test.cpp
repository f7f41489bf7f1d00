// A panel file given at start: the product menu still asks for the model,
// and the first model chosen loads the panel.
#include "panel/app/file_at_start.h"
#include "base/recovery_store.h"
#include "panel/document/panel_document.h"
#include "panel/document/panel_messages.h"
#include "panel/main_window/panel_recovery.h"
#include "panel/main_window/panel_window.h"
#include "panel/menu/product_menu.h"
#include "panel/model/kit_model.h"
#include "support/recording_dialogs.h"
#include "support/recording_launcher.h"
#include "support/temp_paths.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>

#include <gtest/gtest.h>

namespace kq::panel {
namespace {

using testing::RecordingDialogs;

class PanelFileAtStartTest : public ::testing::Test {
protected:
    PanelFileAtStartTest()
    {
        const QString background = m_paths.ProgramFile(DefaultBackground(KitModelAt(0)));
        QDir().mkpath(QFileInfo(background).absolutePath());
        QImage picture(860, 1060, QImage::Format_RGB32);
        picture.fill(Qt::white);
        EXPECT_TRUE(picture.save(background, "PNG"));
        QImage part(100, 80, QImage::Format_RGB32);
        part.fill(Qt::red);
        EXPECT_TRUE(part.save(PanelPath(QStringLiteral("part.png")), "PNG"));

        PanelDocument document(KitModelAt(0), m_paths);
        EXPECT_TRUE(document.AddPart(PanelPath(QStringLiteral("part.png")), QPoint(10, 10)));
        EXPECT_TRUE(document.Save(PanelPath(QStringLiteral("panel.kq18"))));
    }

    QString PanelPath(const QString &name) const { return m_temp.Root() + QLatin1Char('/') + name; }

    // The wiring of the panel maker's start.
    void Start(const QString &file)
    {
        QObject::connect(&m_menu, &ProductMenu::ModelChosen, &m_window, &PanelWindow::ShowForModel);
        OpenOnceModelChosen(m_menu, m_window, file);
        m_menu.show();
    }

    testing::TempPaths m_temp;
    kq::Paths m_paths {m_temp.Paths().PanelProgramFolder(), m_temp.Paths().AppDataFolder()};
    RecordingDialogs m_dialogs;
    testing::RecordingLauncher m_launcher;
    ProductMenu m_menu {m_paths};
    RecoveryStore m_recovery {PanelRecoveryFolder(m_paths)};
    PanelWindow m_window {m_dialogs, m_launcher, m_paths, m_recovery};
};

TEST_F(PanelFileAtStartTest, TheFirstModelChosenLoadsThePanelAndLaterChoicesStartAfresh)
{
    Start(PanelPath(QStringLiteral("panel.kq18")));
    EXPECT_TRUE(m_menu.isVisible());
    EXPECT_FALSE(m_window.isVisible());

    m_menu.Choose(0);
    EXPECT_TRUE(m_window.isVisible());
    EXPECT_EQ(m_window.Document().LayerCount(), 1);
    EXPECT_TRUE(m_dialogs.Records().isEmpty());

    m_window.hide();
    m_menu.Choose(0);
    EXPECT_EQ(m_window.Document().LayerCount(), 0);
}

TEST_F(PanelFileAtStartTest, AFileTheWindowRefusesGetsItsMessageOverTheEmptyPanel)
{
    Start(PanelPath(QStringLiteral("panel.txt")));
    m_menu.Choose(0);
    EXPECT_EQ(m_dialogs.Texts(RecordingDialogs::Kind::Warning), QStringList{kPanelWrongExtensionMessage});
    EXPECT_TRUE(m_window.isVisible());
    EXPECT_EQ(m_window.Document().LayerCount(), 0);
}

}  // namespace
}  // namespace kq::panel
