// The panel maker's recovery copy: a panel left by a program that was killed
// comes back at the next start, and a save or a normal close removes it.
#include "panel/app/panel_app.h"

#include "base/recovery_store.h"
#include "base/recovery_writer.h"
#include "base/text_file.h"
#include "panel/document/panel_document.h"
#include "panel/main_window/panel_recovery.h"
#include "panel/model/kit_model.h"
#include "panel/model/panel_record.h"
#include "services/recovery_offer.h"
#include "support/abandoned_program.h"
#include "support/file_bytes.h"
#include "support/recording_dialogs.h"
#include "support/recording_launcher.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QKeyEvent>
#include <QListWidget>
#include <QToolButton>

#include <gtest/gtest.h>

namespace kq::panel {
namespace {

using kq::testing::ReadBytes;
using kq::testing::RecordingDialogs;
using Kind = RecordingDialogs::Kind;

constexpr int kWideModel = 2;  // TL-3: the window's wide layout

void WriteSpeckledPicture(const QString &path, QSize size, QColor colour, const char *format)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    for (int x = 0; x < size.width(); x += 7)
        image.setPixel(x, x % size.height(), qRgb(x % 256, 90, 30));
    ASSERT_TRUE(image.save(path, format)) << path.toStdString();
}

// A panel maker whose folders lie where the test and the copies of it that
// it kills both find them, and a TL-3 panel file with a part and a photo.
class PanelRecoveryTest : public ::testing::Test {
protected:
    PanelRecoveryTest()
        : m_root(kq::testing::AbandonedProgramFolder()),
          m_paths(m_root + QStringLiteral("program/"), m_root + QStringLiteral("appdata/"))
    {
        WriteSpeckledPicture(m_paths.ProgramFile(DefaultBackground(KitModelAt(kWideModel))), {1890, 590}, QColor(200, 230, 255),
                     "PNG");
        WriteSpeckledPicture(PartPath(), {100, 80}, QColor(220, 40, 40), "PNG");
        WriteSpeckledPicture(m_root + QStringLiteral("photo.jpg"), {200, 150}, QColor(40, 160, 60), "JPEG");
        PanelDocument document(KitModelAt(kWideModel), m_paths);
        EXPECT_TRUE(document.AddPart(PartPath(), QPoint(10, 20)));
        EXPECT_TRUE(document.AddPhoto(m_root + QStringLiteral("photo.jpg")));
        QDir().mkpath(QFileInfo(PanelFile()).absolutePath());
        EXPECT_TRUE(document.Save(PanelFile()));
    }

    QString PartPath() const { return m_root + QStringLiteral("part.png"); }
    QString PanelFile() const { return m_root + QStringLiteral("作品/猫.kq18"); }

    // The pupil's work: the panel file opened, the part mirrored and the
    // photo moved three pixels right.
    void OpenAndEdit(PanelApp &app) const
    {
        app.Menu().Choose(kWideModel);
        app.Window().OpenPanelFile(PanelFile());
        auto *layers = app.Window().findChild<QListWidget *>(QStringLiteral("LayerList"));
        layers->setCurrentRow(1);  // the part
        app.Window().findChild<QToolButton *>(QStringLiteral("EB37"))->click();
        layers->setCurrentRow(0);  // the photo
        auto *canvas = app.Window().findChild<QWidget *>(QStringLiteral("DesignCanvas"));
        for (int i = 0; i < 3; ++i) {
            QKeyEvent key(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier);
            QApplication::sendEvent(canvas, &key);
        }
    }

    static void Flush(PanelApp &app) { app.Window().findChild<RecoveryWriter *>()->Flush(); }

    // The copies of every program, damaged ones put aside left out.
    QStringList Copies() const
    {
        QStringList copies;
        QDirIterator it(PanelRecoveryFolder(m_paths), {QStringLiteral("*.copy")}, QDir::Files,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString file = it.next();
            if (!file.contains(QStringLiteral("/Damaged/")))
                copies.append(file);
        }
        return copies;
    }

    void Save(PanelApp &app, RecordingDialogs &dialogs, const QString &path) const
    {
        dialogs.fileNames.enqueue(path);
        app.Window().findChild<QToolButton *>(QStringLiteral("SaveBtn"))->click();
    }

    QString m_root;
    kq::Paths m_paths;
    RecordingDialogs m_dialogs;
    kq::testing::RecordingLauncher m_launcher;
};

TEST_F(PanelRecoveryTest, AKilledPanelComesBackAsItWasAndASaveThenRemovesItsCopy)
{
    KQ_RUN_THEN_KILL({
        PanelApp killed(m_dialogs, m_launcher, m_paths);
        killed.Start(QString());
        OpenAndEdit(killed);
        Flush(killed);
    });
    ASSERT_EQ(Copies().size(), 1);

    PanelApp app(m_dialogs, m_launcher, m_paths);
    app.Start(QString());
    const QStringList questions = m_dialogs.Texts(Kind::Question);
    ASSERT_EQ(questions.size(), 1);
    EXPECT_TRUE(questions.first().contains(QStringLiteral("・パネル製作ソフト　猫.kq18　")))
        << questions.first().toStdString();
    EXPECT_TRUE(m_dialogs.Texts(Kind::Warning).isEmpty());

    // The window, for the kit model and file it had, with the work.
    PanelWindow &window = app.Window();
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(app.Menu().isVisible());
    EXPECT_EQ(window.windowTitle(), QStringLiteral("パネル製作ソフト"));
    EXPECT_EQ(window.Document().Model().index, kWideModel);
    EXPECT_EQ(window.PanelFile(), PanelFile());
    // The same gestures in a program that was never killed.
    const kq::Paths otherUser(m_paths.ProgramFolder(), m_root + QStringLiteral("other/"));
    RecordingDialogs otherDialogs;
    PanelApp unbroken(otherDialogs, m_launcher, otherUser);
    unbroken.Start(QString());
    OpenAndEdit(unbroken);
    const PanelDocument &expected = unbroken.Window().Document();
    // In the order a save writes them, as the copy holds them.
    EXPECT_EQ(window.Document().Records(), SortRecordsByLayer(expected.Records()));
    EXPECT_EQ(window.Document().LayerListTexts(), expected.LayerListTexts());
    ASSERT_EQ(window.Document().LayerCount(), 2);
    for (int n = 0; n < 2; ++n) {
        EXPECT_EQ(window.Document().Layer(n).position, expected.Layer(n).position) << n;
        EXPECT_EQ(window.Document().Layer(n).image, expected.Layer(n).image) << n;
    }
    // Unsaved: the work is in this program's own copy; the old one is gone.
    EXPECT_EQ(Copies().size(), 1);

    // What a save writes is what the panel held before the kill.
    const QString restoredSave = m_root + QStringLiteral("restored.kq18");
    Save(app, m_dialogs, restoredSave);
    Save(unbroken, otherDialogs, m_root + QStringLiteral("unbroken.kq18"));
    EXPECT_EQ(ReadBytes(restoredSave), ReadBytes(m_root + QStringLiteral("unbroken.kq18")));
    EXPECT_FALSE(ReadBytes(restoredSave).isEmpty());
    EXPECT_TRUE(Copies().isEmpty());
    EXPECT_EQ(window.PanelFile(), restoredSave);
}

// The pupil answers the close question: Yes lets the panel go with its copy,
// No keeps both.
class PanelRecoveryClose : public PanelRecoveryTest, public ::testing::WithParamInterface<bool> {};

TEST_P(PanelRecoveryClose, YesRemovesTheCopyAndNoKeepsIt)
{
    const bool close = GetParam();
    PanelApp app(m_dialogs, m_launcher, m_paths);
    app.Start(QString());
    OpenAndEdit(app);
    Flush(app);
    ASSERT_EQ(Copies().size(), 1);

    m_dialogs.yesNoAnswers.enqueue(close);
    app.Window().close();
    EXPECT_EQ(app.Window().isVisible(), !close);
    EXPECT_EQ(Copies().size(), close ? 0 : 1);
}

INSTANTIATE_TEST_SUITE_P(YesAndNo, PanelRecoveryClose, ::testing::Bool());

TEST_F(PanelRecoveryTest, OpeningAFileLeavesNothingToRecoverAndARunningProgramsCopyIsNotOffered)
{
    PanelApp running(m_dialogs, m_launcher, m_paths);
    running.Start(QString());
    running.Menu().Choose(kWideModel);
    running.Window().OpenPanelFile(PanelFile());
    Flush(running);
    EXPECT_TRUE(Copies().isEmpty());
    OpenAndEdit(running);
    Flush(running);
    ASSERT_EQ(Copies().size(), 1);

    RecordingDialogs secondDialogs;
    PanelApp second(secondDialogs, m_launcher, m_paths);
    second.Start(QString());
    EXPECT_TRUE(secondDialogs.Records().isEmpty());
    EXPECT_TRUE(second.Menu().isVisible());
    EXPECT_FALSE(second.Window().isVisible());
    EXPECT_EQ(Copies().size(), 1);
}

TEST_F(PanelRecoveryTest, ACopyThatCannotBeWrittenIsToldOnceAndTheWorkGoesOn)
{
    // A file where the recovery folder should be.
    QFile blocker(PanelRecoveryFolder(m_paths).chopped(1));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    PanelApp app(m_dialogs, m_launcher, m_paths);
    app.Start(QString());
    OpenAndEdit(app);
    Flush(app);
    OpenAndEdit(app);
    Flush(app);
    EXPECT_EQ(m_dialogs.Texts(Kind::Notice), QStringList {RecoveryWriteFailedMessage()});
    EXPECT_TRUE(m_dialogs.Texts(Kind::Warning).isEmpty());
    EXPECT_EQ(app.Window().Document().LayerCount(), 2);
}

// Copies the panel window cannot take back: cut by a power cut, for a kit
// model this program does not have, or with a panel that cannot be read.
enum class Damage {
    Cut,
    UnknownModel,
    UnreadablePanel
};

class PanelRecoveryDamage : public PanelRecoveryTest, public ::testing::WithParamInterface<Damage> {};

TEST_P(PanelRecoveryDamage, IsPutAsideWithAWarningAndTheMenuShows)
{
    const Damage damage = GetParam();
    KQ_RUN_THEN_KILL({
        PanelApp killed(m_dialogs, m_launcher, m_paths);
        killed.Start(QString());
        OpenAndEdit(killed);
        Flush(killed);
        RecoveryCopy copy;
        copy.window = kPanelRecoveryWindow;
        copy.changed = QDateTime::currentDateTime();
        copy.detail = damage == Damage::UnknownModel ? QStringLiteral("TL-9") : KitModelAt(kWideModel).code;
        copy.body = damage == Damage::UnknownModel
            ? ReadBytes(PanelFile())
            : *EncodeTextLines({QStringLiteral("0,写真,x.jpg,0,0,False,clWhite,@@@")});
        if (damage != Damage::Cut)
            (void)killed.Recovery().Write(kPanelRecoveryWindow, copy);
    });
    ASSERT_EQ(Copies().size(), 1);
    if (damage == Damage::Cut) {
        QFile file(Copies().first());
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.resize(file.size() - 100));
    }

    PanelApp app(m_dialogs, m_launcher, m_paths);
    app.Start(QString());
    EXPECT_EQ(m_dialogs.Texts(Kind::Warning), QStringList {RecoveryDamagedMessage(app.Recovery().DamagedFolder())});
    EXPECT_FALSE(app.Window().isVisible());
    EXPECT_TRUE(app.Menu().isVisible());
    EXPECT_TRUE(Copies().isEmpty());
    EXPECT_EQ(QDir(app.Recovery().DamagedFolder()).entryList(QDir::Files).size(), 1);
}

INSTANTIATE_TEST_SUITE_P(Damages, PanelRecoveryDamage,
                         ::testing::Values(Damage::Cut, Damage::UnknownModel, Damage::UnreadablePanel));

}  // namespace
}  // namespace kq::panel
