#include "tools/melody/melody_window.h"

#include "base/picture_file.h"
#include "base/text_file.h"
#include "context/studio_context.h"
#include "controls/dropped_files.h"
#include "device/device_messages.h"
#include "device/report_text.h"
#include "editors/common/program_file_commands.h"
#include "model/program_file.h"
#include "services/dialogs.h"
#include "services/help.h"
#include "tools/melody/led_panel.h"
#include "tools/melody/length_radios.h"
#include "tools/melody/melody_bytes.h"
#include "tools/melody/melody_file.h"
#include "tools/melody/notice_panel.h"
#include "tools/melody/piano_keyboard.h"
#include "tools/melody/sound_output.h"
#include "tools/melody/staff_painter.h"
#include "tools/melody/staff_view.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QVBoxLayout>

namespace kq {

namespace {
constexpr QSize kMinimumSize(780, 580);
const std::array<QString, 3> kSpeedCaptions {QStringLiteral("2倍速"), QStringLiteral("標準"),
                                             QStringLiteral("1/2倍速")};

// Menu bar captions are padded with full-width spaces.
QString BarCaption(const QString &caption)
{
    return QStringLiteral("　%1　").arg(caption);
}
}  // namespace

MelodyWindow::MelodyWindow(StudioContext &context, Launcher &launcher, NoteChooser chooseNote,
                           std::unique_ptr<SoundOutput> sound, QWidget *parent)
    : QMainWindow(parent),
      m_context(context),
      m_launcher(launcher),
      m_chooseNote(std::move(chooseNote)),
      m_sound(std::move(sound)),
      m_recovery(context.Recovery(), kMelodyRecoveryWindow, [this] {
          RecoveryCopy copy;
          copy.window = kMelodyRecoveryWindow;
          copy.filePath = m_filePath;
          return std::pair {copy, RecoveryWriter::BodyMaker([melody = m_melody] { return MelodyFileBytes(melody); })};
      })
{
    setObjectName(QStringLiteral("Form6"));
    setWindowTitle(kStudioCaption);
    setAcceptDrops(true);
    setMinimumSize(kMinimumSize);
    if (const QScreen *screen = this->screen()) {
        const QRect area = screen->availableGeometry();
        const QSize size(std::max(area.width() * 3 / 4, kMinimumSize.width()),
                         std::max(area.height() * 3 / 4, kMinimumSize.height()));
        setGeometry(QRect(area.topLeft() + QPoint(area.width() / 8, area.height() / 8), size));
    }

    BuildMenus();
    setCentralWidget(BuildControls());
    m_runningNotice = new NoticePanel(
        QStringLiteral("プログラム実行中"), QStringLiteral("プログラムが終了するまで他の操作はしないで下さい。"),
        QStringLiteral("プログラム終了後この画面は自動的に消えます。"), QColor(0x90, 0xEE, 0x90), this);
    m_readBackNotice = new NoticePanel(
        QStringLiteral("プログラム取得中"), QStringLiteral("プログラムの取得中は他の操作はしないで下さい。"),
        QStringLiteral("プログラムの取得後この画面は自動的に消えます。"), QColor(0xFF, 0xF3, 0x80), this);
    ShowMelody();
    m_context.DeviceLink().RegisterReceiver(ReceiverRole::MelodyEditor, this);
}

MelodyWindow::~MelodyWindow()
{
    m_context.DeviceLink().UnregisterReceiver(this);
}

void MelodyWindow::BuildMenus()
{
    QMenuBar *bar = menuBar();
    const auto add = [this](QMenu *menu, const QString &name, const QString &caption, const QKeySequence &keys,
                            auto slot) {
        QAction *action = menu ? menu->addAction(caption) : menuBar()->addAction(caption);
        action->setObjectName(name);
        action->setShortcut(keys);
        connect(action, &QAction::triggered, this, slot);
        return action;
    };

    QMenu *read = bar->addMenu(BarCaption(QStringLiteral("読み込み")));
    add(read, QStringLiteral("OpenFile"), QStringLiteral("保存ファイルの読み込み"), QKeySequence(Qt::CTRL | Qt::Key_O),
        &MelodyWindow::OpenFromDialog);
    add(read, QStringLiteral("ReadBack"), QStringLiteral("送信済データの読み込み"), {}, &MelodyWindow::ReadBack);
    add(nullptr, QStringLiteral("SaveFile"), BarCaption(QStringLiteral("ファイルへ保存")),
        QKeySequence(Qt::CTRL | Qt::Key_S), &MelodyWindow::Save);
    QMenu *edit = bar->addMenu(BarCaption(QStringLiteral("編集")));
    add(edit, QStringLiteral("Undo"), QStringLiteral("元に戻す"), QKeySequence(Qt::CTRL | Qt::Key_Z),
        &MelodyWindow::UndoEdit);
    add(edit, QStringLiteral("Redo"), QStringLiteral("やり直す"), QKeySequence(Qt::CTRL | Qt::Key_Y),
        &MelodyWindow::RedoEdit);
    add(nullptr, QStringLiteral("DeleteAll"), BarCaption(QStringLiteral("全削除")), {}, &MelodyWindow::DeleteAll);

    // The playback menu is not shown: its commands are reached by their keys.
    auto *playback = new QMenu(QStringLiteral("再生"), this);
    add(playback, QStringLiteral("PlayAll"), QStringLiteral("全て再生"), QKeySequence(Qt::Key_F2),
        [this] { Play(PlayedNotes::All); });
    add(playback, QStringLiteral("PlayLast10"), QStringLiteral("最後の10音符再生"), QKeySequence(Qt::Key_F3),
        [this] { Play(PlayedNotes::Last10); });
    add(playback, QStringLiteral("PlayLast20"), QStringLiteral("最後の20音符再生"), QKeySequence(Qt::Key_F4),
        [this] { Play(PlayedNotes::Last20); });
    add(playback, QStringLiteral("StopPlaying"), QStringLiteral("停止"), QKeySequence(Qt::Key_F5),
        &MelodyWindow::StopPlaying);
    addActions(playback->actions());

    m_transfer = add(nullptr, QStringLiteral("Transfer"), BarCaption(QStringLiteral("転送(F6)")),
                     QKeySequence(Qt::Key_F6), &MelodyWindow::Transfer);
    m_run = add(nullptr, QStringLiteral("Run"), BarCaption(QStringLiteral("実行(F7)")), QKeySequence(Qt::Key_F7),
                &MelodyWindow::Run);
    add(nullptr, QStringLiteral("Report"), BarCaption(QStringLiteral("レポート作成")), {}, &MelodyWindow::MakeReport);
    add(nullptr, QStringLiteral("Help"), BarCaption(QStringLiteral("ヘルプ")), {},
        [this] { OpenHelp(m_context.Paths(), m_launcher, kGeneralHelpPage); });

    m_noteMenu = new QMenu(this);
    m_noteMenu->setObjectName(QStringLiteral("NotePopup"));
    m_noteMenu->addAction(QStringLiteral("音を挿入する"), this, &MelodyWindow::InsertBeforeSelected);
    m_noteMenu->addAction(QStringLiteral("音符を編集する"), this, &MelodyWindow::EditSelected);
    QMenu *lengths = m_noteMenu->addMenu(QStringLiteral("音の長さを変える"));
    for (int length = 0; length < kLengthCount; ++length) {
        QAction *action = lengths->addAction(kLengthCaptions[std::size_t(length)]);
        action->setData(length);
        connect(action, &QAction::triggered, this, [this, length] { ChangeSelectedLength(length); });
    }
    m_noteMenu->addAction(QStringLiteral("音符を削除する"), this, &MelodyWindow::DeleteSelected);
}

QWidget *MelodyWindow::BuildControls()
{
    auto *central = new QWidget(this);
    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(6, 4, 6, 4);
    layout->setSpacing(4);

    // The count, the LED link and the speed in one strip over the staff.
    auto *strip = new QHBoxLayout;
    auto *countBox = new QGroupBox(QStringLiteral("音符の入力数"), central);
    auto *countRow = new QHBoxLayout(countBox);
    m_count = new QLabel(countBox);
    m_count->setObjectName(QStringLiteral("CountLabel"));
    m_count->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_count->setMinimumWidth(m_count->fontMetrics().horizontalAdvance(QStringLiteral("0000")));
    QFont bigger = m_count->font();
    bigger.setPointSize(bigger.pointSize() + 3);
    bigger.setBold(true);
    m_count->setFont(bigger);
    countRow->addWidget(m_count);
    countRow->addWidget(new QLabel(QStringLiteral("/ 110"), countBox));
    strip->addWidget(countBox);

    auto *link = new QGroupBox(QStringLiteral("LEDリンク"), central);
    auto *linkRow = new QHBoxLayout(link);
    m_linkOn = new QRadioButton(QStringLiteral("する"), link);
    m_linkOn->setObjectName(QStringLiteral("LinkOn"));
    m_linkOff = new QRadioButton(QStringLiteral("しない"), link);
    m_linkOff->setObjectName(QStringLiteral("LinkOff"));
    linkRow->addWidget(m_linkOn);
    linkRow->addWidget(m_linkOff);
    connect(m_linkOn, &QRadioButton::toggled, this, [this](bool on) {
        // Also toggled when a melody is shown: only a different value is an edit.
        if (on == m_melody.LedLink())
            return;
        m_melody.SetLedLink(on);
        MelodyChanged();
    });
    strip->addWidget(link);

    auto *speed = new QGroupBox(QStringLiteral("スピード"), central);
    auto *speedRow = new QHBoxLayout(speed);
    const std::array<QString, 3> speedNames {QStringLiteral("SpeedDouble"), QStringLiteral("SpeedStandard"),
                                             QStringLiteral("SpeedHalf")};
    for (std::size_t i = 0; i < m_speeds.size(); ++i) {
        m_speeds[i] = new QRadioButton(kSpeedCaptions[i], speed);
        m_speeds[i]->setObjectName(speedNames[i]);
        speedRow->addWidget(m_speeds[i]);
        connect(m_speeds[i], &QRadioButton::toggled, this, [this, i](bool checked) {
            if (checked && m_melody.Speed() != MelodySpeed(i)) {
                m_melody.SetSpeed(MelodySpeed(i));
                m_recovery.NoteChange();
            }
        });
    }
    strip->addWidget(speed);
    strip->addStretch();
    layout->addLayout(strip);

    auto *scroll = new QScrollArea(central);
    scroll->setObjectName(QStringLiteral("ScrollBox"));
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_staff = new StaffView(m_melody, QImage(m_context.Paths().ProgramFile(kClefPicture)), scroll);
    scroll->setWidget(m_staff);
    layout->addWidget(scroll, 1);
    connect(m_staff, &StaffView::NoteRightClicked, this, [this](int index, QPoint globalPosition) {
        m_selected = index;
        m_noteMenu->popup(globalPosition);
    });

    auto *keys = new QHBoxLayout;
    auto *keyboard = new PianoKeyboard(central);
    connect(keyboard, &PianoKeyboard::KeyClicked, this, &MelodyWindow::AppendKey);
    keys->addWidget(keyboard, 0, Qt::AlignBottom);
    QGroupBox *lengths = MakeLengthRadios(central, m_lengths);
    for (int length = 0; length < kLengthCount; ++length) {
        connect(m_lengths[std::size_t(length)], &QRadioButton::toggled, this, [this, length](bool checked) {
            if (checked)
                m_melody.SetCurrentLength(length);
        });
    }
    keys->addWidget(lengths);
    keys->addStretch();
    layout->addLayout(keys);

    m_leds = new LedPanel(m_context.Paths(), central);
    connect(m_leds, &LedPanel::ColourChosen, this, [this](int led, int colour) {
        m_melody.SetLedColour(led, colour);
        MelodyChanged();
    });
    layout->addWidget(m_leds, 0, Qt::AlignLeft);
    return central;
}

void MelodyWindow::Redraw()
{
    m_staff->Refresh();
    m_count->setText(QString::number(m_melody.Count()));
}

void MelodyWindow::MelodyChanged()
{
    Redraw();
    m_recovery.NoteChange();
}

void MelodyWindow::ShowFilePath(const QString &path)
{
    m_filePath = path;
    setWindowTitle(StudioCaptionFor(path));
}

void MelodyWindow::ShowMelody()
{
    m_lengths[std::size_t(m_melody.CurrentLength())]->setChecked(true);
    m_leds->ShowColours(m_melody);
    (m_melody.LedLink() ? m_linkOn : m_linkOff)->setChecked(true);
    m_speeds[std::size_t(m_melody.Speed())]->setChecked(true);
    Redraw();
}

void MelodyWindow::AppendKey(const KeyChoice &key)
{
    if (!m_melody.Append(key)) {
        m_context.Dialogs().Warning(this, kMelodyFullMessage);
        return;
    }
    MelodyChanged();
    // The pupil hears the note just written, as the playback will sound it.
    // A rest is silence, and must not cut off a melody that is playing.
    const MelodyNote &note = m_melody.Note(m_melody.Count() - 1);
    if (!IsRest(note))
        m_sound->PlayWave(MelodyWave({NoteByte(note)}, m_melody.Speed()));
}

bool MelodyWindow::MayReplace()
{
    return m_melody.Count() == 0 || m_melody.IsMarkedSaved()
        || m_context.Dialogs().AskYesNo(this, kUnsavedOpenQuestion);
}

void MelodyWindow::OpenFromDialog()
{
    if (!MayReplace())
        return;
    const QString path = m_context.Dialogs().OpenFileName(this, m_fileFolder.Start(), kMelodyOpenFilter);
    if (path.isEmpty())
        return;
    OpenFile(path);
}

bool MelodyWindow::OpenDropped(const QStringList &paths)
{
    if (paths.size() > 1) {
        m_context.Dialogs().Warning(this, kSeveralFilesMessage);
        return false;
    }
    return paths.size() == 1 && OpenFile(paths.first());
}

bool MelodyWindow::OpenFile(const QString &path)
{
    Dialogs &dialogs = m_context.Dialogs();
    // The pupil went to that folder: the next dialog starts there, also
    // after a file that could not be opened.
    m_fileFolder.Remember(path);
    if (!HasProgramFileExtension(path)) {
        dialogs.Warning(this, kWrongExtensionMessage);
        return false;
    }
    const std::optional<TextFileContent> content = ReadTextLines(path);
    if (!content || content->hasDecodingErrors) {
        dialogs.Warning(this, kReadFailedMessage);
        return false;
    }
    const MelodyFileRead read = ReadMelodyFile(content->lines);
    switch (read.result) {
    case MelodyFileRead::Result::OtherStep:
        dialogs.Warning(this, kOtherStepFileMessage);
        return false;
    case MelodyFileRead::Result::Damaged:
        dialogs.Warning(this, kReadFailedMessage);
        return false;
    case MelodyFileRead::Result::Loaded:
        break;
    }
    m_melody = read.melody;
    ShowMelody();
    ShowFilePath(path);
    // The window now holds the file as it is: the earlier work was saved or given up.
    m_recovery.Remove();
    return true;
}

bool MelodyWindow::Restore(const RecoveryCopy &copy)
{
    const MelodyFileRead read = ReadMelodyFileBytes(copy.body);
    if (read.result != MelodyFileRead::Result::Loaded)
        return false;
    // Its history is empty, so it counts as unsaved.
    m_melody = read.melody;
    ShowMelody();
    ShowFilePath(copy.filePath);
    if (!copy.filePath.isEmpty())
        m_fileFolder.Remember(copy.filePath);
    m_recovery.NoteChange();
    m_recovery.Flush();
    return true;
}

void MelodyWindow::Save()
{
    Dialogs &dialogs = m_context.Dialogs();
    const QString chosen = dialogs.SaveFileName(this, m_fileFolder.Start(), kMelodySaveFilter);
    if (chosen.isEmpty())
        return;
    const QString path = ProgramFileSaveName(chosen, kMelodyFileEnding);
    if (QFileInfo::exists(path) && !dialogs.AskYesNo(this, kOverwriteQuestion))
        return;
    const TextWriteResult written = WriteTextLines(path, MelodyFileLines(m_melody));
    if (!written) {
        dialogs.Warning(this, SaveFailedText(kSaveFailedMessage, written));
        return;
    }
    ShowFilePath(path);
    m_fileFolder.Remember(path);
    m_melody.MarkSaved();
    m_recovery.Remove();
}

void MelodyWindow::UndoEdit()
{
    if (m_melody.Undo())
        MelodyChanged();
}

void MelodyWindow::RedoEdit()
{
    if (m_melody.Redo())
        MelodyChanged();
}

void MelodyWindow::DeleteAll()
{
    if (m_melody.Count() > 0 && !m_context.Dialogs().AskYesNo(this, kDeleteAllQuestion))
        return;
    m_melody.Reset();
    ShowMelody();
    m_recovery.NoteChange();
}

void MelodyWindow::Play(PlayedNotes which)
{
    const QString path = m_context.Paths().TempFolder() + kMelodyWaveName;
    // A melody that could not be written is not played: the file holds an
    // older one.
    if (WriteMelodyWave(path, PlayedNoteBytes(MelodyNoteBytes(m_melody), which), m_melody.Speed()))
        m_sound->Play(path);
}

void MelodyWindow::StopPlaying()
{
    m_sound->Play(m_context.Paths().ProgramFile(kStopWaveName));
}

void MelodyWindow::Transfer()
{
    m_transfer->setEnabled(false);
    m_run->setEnabled(false);
    if (!m_context.DeviceLink().TransferMelody(MelodyBytes(m_melody), this)) {
        m_context.Dialogs().Warning(this, kConnectionMessage);
        EndDeviceWork();
    }
}

void MelodyWindow::Run()
{
    m_transfer->setEnabled(false);
    m_run->setEnabled(false);
    m_runningNotice->ShowCentred();
    if (!m_context.DeviceLink().RunMelody()) {
        m_context.Dialogs().Warning(this, kConnectionMessage);
        EndDeviceWork();
    }
}

void MelodyWindow::EndDeviceWork()
{
    m_runningNotice->hide();
    m_transfer->setEnabled(true);
    m_run->setEnabled(true);
}

void MelodyWindow::ReportReceived(const QString &text)
{
    if (text == kCompletionText)
        EndDeviceWork();
}

void MelodyWindow::ClockLost()
{
    // No completion report will come.
    EndDeviceWork();
}

void MelodyWindow::ReadBack()
{
    if (m_melody.Count() > 0 && !m_melody.IsMarkedSaved() && !m_context.Dialogs().AskYesNo(this, kReadBackQuestion))
        return;
    m_melody.Reset();
    ShowMelody();
    // The wait for the clock lets the copy of the emptied melody be written.
    m_recovery.NoteChange();
    m_readBackNotice->ShowCentred();
    const std::optional<QStringList> memory = m_context.DeviceLink().ReadMemory();
    if (!memory) {
        m_readBackNotice->hide();
        m_context.Dialogs().Warning(this, kConnectionMessage);
        return;
    }
    // Taken in as a file is: the clock's melody becomes the lines of one.
    if (const std::optional<Melody> decoded = DecodeMelodyMemory(*memory)) {
        const MelodyFileRead read = ReadMelodyFile(MelodyFileLines(*decoded));
        if (read.result == MelodyFileRead::Result::Loaded)
            m_melody = read.melody;
    }
    ShowMelody();
    m_readBackNotice->hide();
    m_recovery.NoteChange();
}

void MelodyWindow::MakeReport()
{
    const QString path = m_context.Paths().TempFolder() + kStaffReportPicture;
    const QImage picture = StaffPicture(m_melody, m_staff->width(), m_staff->Clef());
    if (!QDir().mkpath(QFileInfo(path).absolutePath()) || !WritePictureFile(path, picture, "BMP")) {
        m_context.Dialogs().Warning(this, kSaveFailedMessage);
        return;
    }
    emit ReportRequested();
}

bool MelodyWindow::SelectNoteAt(QPoint staffPoint)
{
    const std::optional<int> index = NoteAt(m_staff->Layout(), m_melody, staffPoint);
    if (!index)
        return false;
    m_selected = *index;
    return true;
}

void MelodyWindow::InsertBeforeSelected()
{
    if (m_selected < 0 || m_selected >= m_melody.Count())
        return;
    if (m_melody.IsFull()) {
        m_context.Dialogs().Warning(this, kMelodyFullMessage);
        return;
    }
    const std::optional<NoteChoice> choice = m_chooseNote(m_melody.Note(m_selected).length);
    if (choice && m_melody.InsertBefore(m_selected, choice->key, choice->length))
        MelodyChanged();
}

void MelodyWindow::EditSelected()
{
    if (m_selected < 0 || m_selected >= m_melody.Count())
        return;
    const std::optional<NoteChoice> choice = m_chooseNote(m_melody.Note(m_selected).length);
    if (choice && m_melody.Edit(m_selected, choice->key, choice->length))
        MelodyChanged();
}

void MelodyWindow::ChangeSelectedLength(int length)
{
    if (m_melody.ChangeLength(m_selected, length))
        MelodyChanged();
}

void MelodyWindow::DeleteSelected()
{
    if (m_melody.Delete(m_selected))
        MelodyChanged();
}

void MelodyWindow::closeEvent(QCloseEvent *event)
{
    if (m_melody.Count() > 0 && !m_context.Dialogs().AskYesNo(this, kCloseQuestion)) {
        event->ignore();
        return;
    }
    m_recovery.Remove();
    event->accept();
}

void MelodyWindow::dragEnterEvent(QDragEnterEvent *event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void MelodyWindow::dropEvent(QDropEvent *event)
{
    const QStringList paths = DroppedFilePaths(*event->mimeData());
    event->acceptProposedAction();
    OpenDropped(paths);
}

}  // namespace kq
