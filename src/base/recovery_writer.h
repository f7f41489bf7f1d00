#pragma once

#include "base/recovery_copy.h"

#include <QDateTime>
#include <QObject>
#include <QThreadPool>
#include <QTimer>

#include <functional>
#include <optional>

// Keeps one window's recovery copy up to date: at most a second after a
// change, never while nothing changed, and gone after a save or a normal
// close. The window tells it of changes; it asks the window for the copy.
namespace kq {

class RecoveryStore;

class RecoveryWriter : public QObject {
    Q_OBJECT

public:
    // Builds the body of the copy (the document as its save writes it);
    // nullopt when the document cannot be written, which counts as a failed
    // write. It owns everything it reads, so it may run on a worker thread.
    using BodyMaker = std::function<std::optional<QByteArray>()>;
    // Called on the UI thread when the copy is due: the copy's header (the
    // window, the file path, the detail) and what builds its body.
    using Snapshot = std::function<std::pair<RecoveryCopy, BodyMaker>()>;

    enum class Thread {
        Ui,  // small documents: built and written at once
        Worker,  // large ones (photos): built and written off the UI thread
    };

    static constexpr int kDelayMs = 1000;

    RecoveryWriter(RecoveryStore &store, QString key, Snapshot snapshot, Thread thread = Thread::Ui,
                   QObject *parent = nullptr);
    ~RecoveryWriter() override;

    // The window's work changed: a copy is written within kDelayMs.
    void NoteChange();
    // Writes a copy that is due now, and waits for one being written.
    void Flush();
    // Saved, or closed after the unsaved-work question: the copy goes, and
    // none is written until the next change.
    void Remove();

    bool IsDue() const { return m_timer.isActive() || m_writeAfterWorker; }

signals:
    // A copy was written (true) or could not be (false).
    void Written(bool written);

private:
    void WriteNow();
    // On the UI thread or the worker.
    bool WriteCopy(RecoveryCopy &copy, const BodyMaker &makeBody);
    void Finished(bool written);

    RecoveryStore &m_store;
    QString m_key;
    Snapshot m_snapshot;
    Thread m_thread;
    QTimer m_timer{this};
    QDateTime m_changed;
    // One writer thread, so copies reach the disk in the order they were made.
    QThreadPool m_worker;
    bool m_workerBusy = false;
    bool m_writeAfterWorker = false;
};

}  // namespace kq
