#include "tools/melody/melody_window.h"

#include "base/text_file.h"
#include "device/device_messages.h"
#include "editors/common/program_file_commands.h"
#include "model/program_file.h"
#include "services/dialog_folder.h"
#include "support/file_bytes.h"
#include "support/recording_launcher.h"
#include "support/test_context.h"
#include "tools/melody/melody_bytes.h"
#include "tools/melody/melody_file.h"
#include "tools/melody/melody_wave.h"
#include "tools/melody/notice_panel.h"
#include "tools/melody/sound_output.h"
#include "tools/melody/staff_view.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPushButton>
#include <QQueue>
#include <QRadioButton>

#include <gtest/gtest.h>

namespace kq {
namespace {

using testing::RecordingDialogs;

// Files played by path, and waves handed over in memory.
class RecordingSound final : public SoundOutput {
public:
    RecordingSound(QStringList &played, QList<QByteArray> &waves) : m_played(played), m_waves(waves) {}
    void Play(const QString &path) override { m_played.append(path); }
    void PlayWave(const QByteArray &wave) override { m_waves.append(wave); }

private:
    QStringList &m_played;
    QList<QByteArray> &m_waves;
};

class MelodyWindowTest : public ::testing::Test {
protected:
    MelodyWindowTest()
    {
        window = std::make_unique<MelodyWindow>(
            test.context, launcher,
            [this](int length) -> std::optional<NoteChoice> {
                presetLengths.append(length);
                if (choices.isEmpty())
                    return std::nullopt;
                return choices.dequeue();
            },
            std::make_unique<RecordingSound>(played, waves));
        window->resize(900, 700);
        window->show();
    }

    void Click(const QString &key) { window->findChild<QPushButton *>(key)->click(); }
    QAction *Action(const QString &name) { return window->findChild<QAction *>(name); }
    QString CountText() { return window->findChild<QLabel *>("CountLabel")->text(); }
    const Melody &melody() { return window->CurrentMelody(); }
    QStringList Warnings() { return test.dialogs.Texts(RecordingDialogs::Kind::Warning); }
    QString Temp(const QString &name) { return test.temp.Root() + "/" + name; }
    QPoint CellOf(int index)
    {
        const PlacedNote &placed = window->Staff().Layout().notes[index];
        return placed.Origin(melody().Note(index)) + QPoint(15, 30);
    }
    void Connect()
    {
        test.context.DeviceLink().Start();
        ASSERT_TRUE(test.context.DeviceLink().IsConnected());
    }

    testing::TestContext test;
    testing::RecordingLauncher launcher;
    QStringList played;
    QList<QByteArray> waves;
    QQueue<NoteChoice> choices;
    QList<int> presetLengths;
    std::unique_ptr<MelodyWindow> window;
};

TEST_F(MelodyWindowTest, KeysAppendNotesWithTheChosenLength)
{
    EXPECT_EQ(CountText(), "0");
    Click("pw0");
    window->findChild<QRadioButton *>("radio_Len1")->click();
    Click("pB0");
    Click("pw185");
    EXPECT_EQ(melody().Notes(), (QList<MelodyNote> {{0, 2, 0, 80, 40}, {0, 1, 1, 170, 40}, {185, 1, 0, 230, 0}}));
    EXPECT_EQ(MelodyNoteBytes(melody()), (ByteList {74, 38, 186}));
    EXPECT_EQ(CountText(), "3");

    for (int i = 3; i < kMelodySlots; ++i)
        Click("pw7");
    EXPECT_TRUE(Warnings().isEmpty());
    Click("pw7");
    EXPECT_EQ(Warnings(), QStringList {kMelodyFullMessage});
    EXPECT_EQ(CountText(), "110");
}

TEST_F(MelodyWindowTest, AKeyClickSoundsItsNoteAtTheChosenLengthAndSpeed)
{
    // A4 as a quarter at standard speed: 248 periods of 55 samples high and
    // 55 low, behind the 44-byte header.
    Click("pw12");
    ASSERT_EQ(waves.size(), 1);
    const QByteArray a4 = waves.first();
    EXPECT_TRUE(a4.startsWith("RIFF"));
    EXPECT_EQ(a4.size(), 44 + 27280);
    EXPECT_EQ(a4.mid(44, 56), QByteArray(55, '\xff') + QByteArray(1, '\0'));

    // The same key as a half note at double speed: round(5 × 439 / 8 × 3 / 4) + 1
    // = 207 periods.
    window->findChild<QRadioButton *>("radio_Len4")->click();
    window->findChild<QRadioButton *>("SpeedDouble")->click();
    Click("pw12");
    ASSERT_EQ(waves.size(), 2);
    EXPECT_EQ(waves.last().size(), 44 + 207 * 110);
    EXPECT_EQ(waves.last(), MelodyWave({4 * 37 + 21}, MelodySpeed::Double)) << "the playback's synthesis";

    // A rest is silence and a refused key changes nothing: neither is heard.
    Click("pw185");
    EXPECT_EQ(waves.size(), 2);
    for (int i = melody().Count(); i < kMelodySlots; ++i)
        Click("pB0");
    waves.clear();
    Click("pw12");
    EXPECT_EQ(Warnings(), QStringList {kMelodyFullMessage});
    EXPECT_TRUE(waves.isEmpty());
    EXPECT_TRUE(played.isEmpty()) << "no file is written or played for a key";
}

TEST_F(MelodyWindowTest, NoteMenuInsertsEditsAndDeletesTheNoteRightClicked)
{
    Click("pw0");
    Click("pw1");
    EXPECT_FALSE(window->SelectNoteAt(QPoint(5, 5)));
    ASSERT_TRUE(window->SelectNoteAt(CellOf(1)));

    choices.enqueue({{4, true}, 0});
    window->InsertBeforeSelected();
    EXPECT_EQ(presetLengths, QList<int> {2});
    EXPECT_EQ(melody().Note(1), (MelodyNote {4, 0, 1, 170, 24}));
    EXPECT_EQ(melody().Note(2).x, 200);

    window->EditSelected();  // the dialog closed without a key
    EXPECT_EQ(melody().Note(1).key, 4);

    choices.enqueue({{kRestKey, false}, 3});
    window->EditSelected();
    EXPECT_EQ(melody().Note(1), (MelodyNote {kRestKey, 3, 0, 170, 0}));

    QMenu *lengths = window->NoteMenu().actions()[2]->menu();
    ASSERT_NE(lengths, nullptr);
    lengths->actions()[4]->trigger();
    EXPECT_EQ(melody().Note(1).length, 4);
    EXPECT_EQ(melody().Note(2).x, 320);

    window->NoteMenu().actions()[3]->trigger();
    EXPECT_EQ(melody().Count(), 2);
    EXPECT_EQ(CountText(), "2");
    EXPECT_EQ(melody().Note(1), (MelodyNote {1, 2, 0, 170, 36}));

    Action("Undo")->trigger();
    EXPECT_EQ(melody().Count(), 3);
    Action("Redo")->trigger();
    EXPECT_EQ(melody().Count(), 2);
}

TEST_F(MelodyWindowTest, RightClickOnANoteOpensTheNoteMenuForIt)
{
    Click("pw0");
    Click("pw5");
    QMouseEvent elsewhere(QEvent::MouseButtonPress, QPointF(5, 5), window->Staff().mapToGlobal(QPointF(5, 5)),
                          Qt::RightButton, Qt::RightButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&window->Staff(), &elsewhere);
    EXPECT_FALSE(window->NoteMenu().isVisible());

    const QPointF cell = CellOf(0);
    QMouseEvent onNote(QEvent::MouseButtonPress, cell, window->Staff().mapToGlobal(cell), Qt::RightButton,
                       Qt::RightButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&window->Staff(), &onNote);
    EXPECT_TRUE(window->NoteMenu().isVisible());
    window->NoteMenu().actions()[3]->trigger();
    EXPECT_EQ(melody().Notes(), (QList<MelodyNote> {{5, 2, 0, 80, 20}}));
}

TEST_F(MelodyWindowTest, ADroppedFileIsOpened)
{
    Melody saved;
    ASSERT_TRUE(saved.Append({kRestKey, false}));
    const QString path = Temp("dropped.kq27");
    ASSERT_TRUE(WriteTextLines(path, MelodyFileLines(saved)));
    Click("pw3");  // unsaved: dropping asks nothing all the same

    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(window.get(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(window.get(), &drop);
    EXPECT_EQ(melody().Notes(), saved.Notes());
    EXPECT_EQ(window->windowTitle(), StudioCaptionFor(path));
    EXPECT_TRUE(test.dialogs.Records().isEmpty());
}

TEST_F(MelodyWindowTest, InsertingIntoAFullMelodyIsRefusedBeforeTheDialog)
{
    for (int i = 0; i < kMelodySlots; ++i)
        Click("pw3");
    ASSERT_TRUE(window->SelectNoteAt(CellOf(0)));
    window->InsertBeforeSelected();
    EXPECT_EQ(Warnings(), QStringList {kMelodyFullMessage});
    EXPECT_TRUE(presetLengths.isEmpty());
}

TEST_F(MelodyWindowTest, SaveAndOpen)
{
    Click("pw14");
    window->findChild<QComboBox *>("LED_Combo0")->setCurrentIndex(1);
    window->findChild<QRadioButton *>("LinkOn")->click();
    window->findChild<QRadioButton *>("SpeedHalf")->click();

    test.dialogs.fileNames.enqueue(Temp("song"));
    Action("SaveFile")->trigger();
    const QString saved = Temp("song(メロディ).kq27");
    const std::optional<TextFileContent> lines = ReadTextLines(saved);
    ASSERT_TRUE(lines);
    EXPECT_EQ(lines->lines, MelodyFileLines(melody()));
    EXPECT_EQ(lines->lines[16], "3");
    EXPECT_EQ(window->windowTitle(), StudioCaptionFor(saved));
    EXPECT_TRUE(melody().IsMarkedSaved());

    // Saved: no question before opening; an upper-case extension is kept.
    test.dialogs.fileNames.enqueue(Temp("Other.KQ27"));
    Action("SaveFile")->trigger();
    EXPECT_TRUE(QFile::exists(Temp("Other.KQ27")));
    test.dialogs.fileNames.enqueue(Temp("Other.KQ27"));
    test.dialogs.yesNoAnswers.enqueue(false);
    Action("SaveFile")->trigger();  // exists: the answer No writes nothing
    EXPECT_EQ(test.dialogs.Texts(RecordingDialogs::Kind::Question), QStringList {kOverwriteQuestion});

    window->DeleteAll();
    EXPECT_EQ(melody().Count(), 0);
    test.dialogs.fileNames.enqueue(saved);
    Action("OpenFile")->trigger();
    EXPECT_EQ(melody().Count(), 1);
    EXPECT_TRUE(window->findChild<QRadioButton *>("LinkOn")->isChecked());
    EXPECT_TRUE(window->findChild<QRadioButton *>("SpeedHalf")->isChecked());
    EXPECT_EQ(window->findChild<QComboBox *>("LED_Combo0")->currentIndex(), 1);
    EXPECT_TRUE(melody().UndoEntries().isEmpty());
}

TEST_F(MelodyWindowTest, DialogsStartWhereTheWindowLastOpenedOrSavedAFile)
{
    const QString songs = Temp("songs");
    ASSERT_TRUE(QDir().mkpath(songs));
    ASSERT_TRUE(WriteTextLines(songs + "/a.kq27", MelodyFileLines(Melody())));

    Action("OpenFile")->trigger();
    Action("SaveFile")->trigger();
    test.dialogs.fileNames.enqueue(songs + "/a.kq27");
    Action("OpenFile")->trigger();
    test.dialogs.fileNames.enqueue(Temp("b"));
    Action("SaveFile")->trigger();
    ASSERT_TRUE(QFile::exists(Temp("b(メロディ).kq27")));
    Action("OpenFile")->trigger();

    const QString desktop = DesktopOrHomeFolder();
    EXPECT_EQ(test.dialogs.Texts(RecordingDialogs::Kind::OpenFile), (QStringList {desktop, desktop, test.temp.Root()}));
    EXPECT_EQ(test.dialogs.Texts(RecordingDialogs::Kind::SaveFile), (QStringList {desktop, songs}));
}

TEST_F(MelodyWindowTest, OpeningRefusesBadFilesAndKeepsTheMelody)
{
    Click("pw2");
    const QString program = Temp("program.kq27");
    ASSERT_TRUE(WriteTextLines(program, {"OK", "START", "END"}));
    QStringList damagedLines = MelodyFileLines(Melody());
    damagedLines[20] = "3,2,0,abc,0";
    const QString damaged = Temp("damaged.kq27");
    ASSERT_TRUE(WriteTextLines(damaged, damagedLines));
    const QString shortFile = Temp("short.kq27");
    ASSERT_TRUE(WriteTextLines(shortFile, damagedLines.mid(0, 40)));
    const QString utf8 = Temp("utf8.kq27");
    testing::WriteBytes(utf8, "SOUND\r\n\xE3\x81\x82\r\n");

    struct Case {
        QString path;
        QString message;
    };
    const Case cases[] = {
        {Temp("song.txt"), kWrongExtensionMessage},
        {program, kOtherStepFileMessage},
        {damaged, kReadFailedMessage},
        {shortFile, kReadFailedMessage},
        {utf8, kReadFailedMessage},
        {Temp("missing.kq27"), kReadFailedMessage},
    };
    for (const Case &c : cases) {
        test.dialogs.Clear();
        test.dialogs.yesNoAnswers.enqueue(true);
        test.dialogs.fileNames.enqueue(c.path);
        Action("OpenFile")->trigger();
        EXPECT_EQ(test.dialogs.Texts(RecordingDialogs::Kind::Question), QStringList {kUnsavedOpenQuestion});
        EXPECT_EQ(Warnings(), QStringList {c.message}) << c.path.toStdString();
        EXPECT_EQ(melody().Count(), 1);
    }

    // Dropping asks nothing; two files are refused.
    test.dialogs.Clear();
    window->OpenDropped({program, damaged});
    EXPECT_EQ(Warnings(), QStringList {kSeveralFilesMessage});
    test.dialogs.yesNoAnswers.enqueue(false);
    test.dialogs.fileNames.enqueue(program);
    Action("OpenFile")->trigger();  // No: the dialog is not even shown
    EXPECT_EQ(test.dialogs.fileNames.size(), 1);
}

TEST_F(MelodyWindowTest, PlaybackWritesTheWaveAndPlaysIt)
{
    for (int i = 0; i < 25; ++i)
        Click("pw185");
    window->Play(PlayedNotes::Last20);
    const QString wave = test.context.Paths().TempFolder() + "Melo.WAV";
    EXPECT_EQ(played, QStringList {wave});
    EXPECT_EQ(testing::ReadBytes(wave).size(), 44 + 20 * 10100);
    Action("PlayLast10")->trigger();
    EXPECT_EQ(testing::ReadBytes(wave).size(), 44 + 10 * 10100);
    Action("StopPlaying")->trigger();
    EXPECT_EQ(played.last(), test.context.Paths().ProgramFile("Stop.WAV"));
    // The playback menu is not in the menu bar; its keys reach it.
    EXPECT_EQ(Action("PlayAll")->shortcut(), QKeySequence(Qt::Key_F2));
    EXPECT_TRUE(window->actions().contains(Action("PlayAll")));
}

TEST_F(MelodyWindowTest, TransferAndRunThroughTheClock)
{
    Connect();
    Click("pB0");
    Action("Transfer")->trigger();
    EXPECT_EQ(test.clock.Items().mid(0, 1), ByteList {242});
    EXPECT_EQ(test.clock.Items().mid(14), (ByteList {193, 2, 0, 75, 250}));
    QCoreApplication::processEvents();
    EXPECT_TRUE(Action("Transfer")->isEnabled());
    EXPECT_EQ(test.clock.Memory()[144], 75);

    test.clock.SetRunsFinishAtOnce(false);
    Action("Run")->trigger();
    EXPECT_TRUE(window->RunningNotice().isVisible());
    EXPECT_FALSE(Action("Run")->isEnabled());
    test.clock.FinishRun();
    QCoreApplication::processEvents();
    EXPECT_FALSE(window->RunningNotice().isVisible());
    EXPECT_TRUE(Action("Transfer")->isEnabled());
    EXPECT_TRUE(Warnings().isEmpty());

    test.clock.Unplug();
    Action("Run")->trigger();
    EXPECT_EQ(Warnings(), QStringList {kConnectionMessage});
    EXPECT_FALSE(window->RunningNotice().isVisible());
    EXPECT_TRUE(Action("Run")->isEnabled());
}

TEST_F(MelodyWindowTest, ReadBackDecodesTheClocksMelody)
{
    Connect();
    test.clock.WriteMemory(0, {230, 2, 231, 250});
    test.clock.WriteMemory(
        128, {194, 195, 201, 201, 201, 201, 201, 201, 201, 201, 201, 201, 201, 192, 3, 0, 74, 0xFF, 186, 0xFA});
    Click("pw5");
    test.dialogs.yesNoAnswers.enqueue(false);
    Action("ReadBack")->trigger();
    EXPECT_EQ(test.dialogs.Texts(RecordingDialogs::Kind::Question), QStringList {kReadBackQuestion});
    EXPECT_EQ(melody().Count(), 1);

    Action("ReadBack")->trigger();
    EXPECT_EQ(melody().Notes(), (QList<MelodyNote> {{0, 2, 0, 80, 40}, {kRestKey, 1, 0, 170, 0}}));
    EXPECT_EQ(melody().Speed(), MelodySpeed::Double);
    EXPECT_TRUE(window->findChild<QRadioButton *>("LinkOn")->isChecked());
    EXPECT_EQ(window->findChild<QComboBox *>("LED_Combo1")->currentIndex(), 1);
    EXPECT_FALSE(window->ReadBackNotice().isVisible());
    EXPECT_EQ(CountText(), "2");

    // Without a program's start byte the melody stays empty.
    test.clock.WriteMemory(0, {0xFF});
    test.dialogs.yesNoAnswers.enqueue(true);
    Action("ReadBack")->trigger();
    EXPECT_EQ(melody().Count(), 0);
    EXPECT_TRUE(Warnings().isEmpty());

    test.clock.Unplug();
    Action("ReadBack")->trigger();
    EXPECT_EQ(Warnings(), QStringList {kConnectionMessage});
    EXPECT_FALSE(window->ReadBackNotice().isVisible());
}

TEST_F(MelodyWindowTest, ReportWritesTheStaffPicture)
{
    for (int i = 0; i < 12; ++i)
        Click("pw4");
    window->MakeReport();
    const QImage picture(test.context.Paths().TempFolder() + kStaffReportPicture);
    ASSERT_FALSE(picture.isNull());
    EXPECT_EQ(picture.width(), window->Staff().width());
    EXPECT_EQ(picture.height(), window->Staff().Layout().height);
    EXPECT_TRUE(Warnings().isEmpty());
}

TEST_F(MelodyWindowTest, DeleteAllAndClosingAsk)
{
    Click("pw4");
    window->findChild<QComboBox *>("LED_Combo4")->setCurrentIndex(0);
    test.dialogs.yesNoAnswers.enqueue(false);
    window->DeleteAll();
    EXPECT_EQ(melody().Count(), 1);
    window->DeleteAll();
    EXPECT_EQ(melody().Count(), 0);
    EXPECT_EQ(window->findChild<QComboBox *>("LED_Combo4")->currentIndex(), kLedOff);
    EXPECT_EQ(test.dialogs.Texts(RecordingDialogs::Kind::Question),
              (QStringList {kDeleteAllQuestion, kDeleteAllQuestion}));

    Click("pw4");
    test.dialogs.yesNoAnswers.enqueue(false);
    EXPECT_FALSE(window->close());
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(window->close());
    EXPECT_EQ(test.dialogs.Texts(RecordingDialogs::Kind::Question).mid(2),
              (QStringList {kCloseQuestion, kCloseQuestion}));
}

TEST_F(MelodyWindowTest, HelpOpensTheGeneralHelpPage)
{
    const QString page = test.context.Paths().ProgramFile("HTML\\Navi\\KQ-27navi.html");
    QDir().mkpath(QFileInfo(page).absolutePath());
    testing::WriteBytes(page, "<html></html>");
    Action("Help")->trigger();
    EXPECT_EQ(launcher.documents, QStringList {page});
}

}  // namespace
}  // namespace kq
