#pragma once

#include "base/recovery_writer.h"
#include "device/report_router.h"
#include "services/dialog_folder.h"
#include "tools/melody/melody.h"
#include "tools/melody/melody_wave.h"
#include "tools/melody/note_dialog.h"

#include <QMainWindow>

#include <array>
#include <functional>
#include <memory>
#include <optional>

class QAction;
class QLabel;
class QMenu;
class QRadioButton;

// The melody editor: the staff, the keyboard, the LED panel, the file,
// device, playback and report commands.
namespace kq {

class Launcher;
class LedPanel;
class NoticePanel;
class SoundOutput;
class StaffView;
class StudioContext;

inline const QString kDeleteAllQuestion = QStringLiteral("プログラムを全て消去します。よろしいですか？");
inline const QString kReadBackQuestion =
    QStringLiteral("転送済みデータを取得します。\r\n作成中のプログラムは削除されます。よろしいですか？");
inline const QString kUnsavedOpenQuestion = QStringLiteral("プログラムが保存されておりません。\r\nよろしいですか？");
// The window's name in its recovery copies, and how the offer names it.
inline const QString kMelodyRecoveryWindow = QStringLiteral("Melody");
inline const QString kMelodyRecoveryCaption = QStringLiteral("メロディー作成");
// Under the temporary folder.
inline const QString kStaffReportPicture = QStringLiteral("Report/Img/Sound.bmp");

class MelodyWindow final : public QMainWindow, public ReportReceiver {
    Q_OBJECT

public:
    // The note dialog, preset to a length: the note chosen, or nothing.
    using NoteChooser = std::function<std::optional<NoteChoice>(int length)>;

    MelodyWindow(StudioContext &context, Launcher &launcher, NoteChooser chooseNote, std::unique_ptr<SoundOutput> sound,
                 QWidget *parent = nullptr);
    ~MelodyWindow() override;

    const Melody &CurrentMelody() const { return m_melody; }
    StaffView &Staff() const { return *m_staff; }
    QMenu &NoteMenu() const { return *m_noteMenu; }
    NoticePanel &RunningNotice() const { return *m_runningNotice; }
    NoticePanel &ReadBackNotice() const { return *m_readBackNotice; }
    RecoveryWriter &Recovery() { return m_recovery; }

    // Takes back the melody of a recovery copy, unsaved, with its file path
    // and caption; false when the copy holds no melody.
    bool Restore(const RecoveryCopy &copy);

    // The commands of the menus, the keyboard and the note menu.
    void AppendKey(const KeyChoice &key);
    void OpenFromDialog();
    // True when the melody of the one dropped file was opened.
    bool OpenDropped(const QStringList &paths);
    void Save();
    void UndoEdit();
    void RedoEdit();
    void DeleteAll();
    void Play(PlayedNotes which);
    void StopPlaying();
    void Transfer();
    void Run();
    void ReadBack();
    void MakeReport();
    // Selects the note whose cell holds the point of the drawing area.
    bool SelectNoteAt(QPoint staffPoint);
    void InsertBeforeSelected();
    void EditSelected();
    void ChangeSelectedLength(int length);
    void DeleteSelected();

    void ReportReceived(const QString &text) override;
    void ClockLost() override;

signals:
    // The staff picture of the report is written: the report window shows it.
    void ReportRequested();

protected:
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void BuildMenus();
    QWidget *BuildControls();
    // After every change of the melody: the staff and the count.
    void Redraw();
    // After the whole melody changed: every control shows its state.
    void ShowMelody();
    // After an edit: redrawn, and a recovery copy is due.
    void MelodyChanged();
    void ShowFilePath(const QString &path);
    bool OpenFile(const QString &path);
    bool MayReplace();
    void EndDeviceWork();

    StudioContext &m_context;
    Launcher &m_launcher;
    NoteChooser m_chooseNote;
    std::unique_ptr<SoundOutput> m_sound;
    DialogFolder m_fileFolder;
    Melody m_melody;
    // The file the melody was opened from or saved as; empty for a new one.
    QString m_filePath;
    int m_selected = -1;
    RecoveryWriter m_recovery;

    StaffView *m_staff = nullptr;
    LedPanel *m_leds = nullptr;
    QLabel *m_count = nullptr;
    std::array<QRadioButton *, kLengthCount> m_lengths {};
    QRadioButton *m_linkOn = nullptr;
    QRadioButton *m_linkOff = nullptr;
    std::array<QRadioButton *, 3> m_speeds {};
    QAction *m_transfer = nullptr;
    QAction *m_run = nullptr;
    QMenu *m_noteMenu = nullptr;
    NoticePanel *m_runningNotice = nullptr;
    NoticePanel *m_readBackNotice = nullptr;
};

}  // namespace kq
