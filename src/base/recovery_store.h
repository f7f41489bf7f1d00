#pragma once

#include "base/recovery_copy.h"

#include <QList>
#include <QMutex>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

class QLockFile;

// Where one program keeps the recovery copies of its windows: a folder of
// its own under the program's temporary folder, locked while it runs. Two
// programs started on one login (or the studio started twice) each have
// their own folder and never take each other's copies; a folder whose lock
// is free belongs to a program that ended without closing.
namespace kq {

// A copy left by a program that ended without closing.
struct AbandonedCopy {
    QString file;
    RecoveryCopy copy;
};

struct AbandonedWork {
    // Oldest change first.
    QList<AbandonedCopy> copies;
    // Where the copies that were damaged (cut by a power cut, edited by
    // hand) were put aside; they are never read again nor overwritten.
    QStringList damaged;

    bool IsEmpty() const { return copies.isEmpty() && damaged.isEmpty(); }
};

class RecoveryStore {
public:
    // folder: the recovery folder inside the program's temporary folder.
    explicit RecoveryStore(QString folder);
    ~RecoveryStore();
    RecoveryStore(const RecoveryStore &) = delete;
    RecoveryStore &operator=(const RecoveryStore &) = delete;

    QString Folder() const { return m_folder; }
    // Where damaged copies are put aside. Ends with "/".
    QString DamagedFolder() const;

    // Replaces the copy of one window (key: a name fit for a file name).
    // False when it could not be written; the earlier copy then stays.
    // May be called from a worker thread.
    [[nodiscard]] bool Write(const QString &key, const RecoveryCopy &copy);
    // The window was saved or closed normally: its copy goes.
    void Remove(const QString &key);
    // The program ends normally: its folder and every copy in it go.
    void RemoveAll();

    // The copies of programs that ended without closing. Their folders stay
    // locked by this program, so no other start offers them too, until
    // ForgetClaimed() removes them.
    AbandonedWork ClaimAbandoned();
    void ForgetClaimed();
    // Keeps a claimed copy that is damaged (or that its window refused) out
    // of the way, never read again nor overwritten; where it now is.
    QString PutAside(const QString &file);

    // Called on the UI thread when a copy could not be written; told once
    // until a copy is written again, so a full disk is not reported at
    // every keystroke.
    void SetFailureNotice(std::function<void()> notice) { m_failureNotice = std::move(notice); }
    void ReportWriteResult(bool written);

private:
    // This program's folder, made and locked on first use; empty when it
    // cannot be made.
    QString OwnFolder();

    QString m_folder;
    QMutex m_mutex;
    QString m_ownFolder;
    std::unique_ptr<QLockFile> m_ownLock;
    std::vector<std::unique_ptr<QLockFile>> m_claimedLocks;
    QStringList m_claimedFolders;
    QStringList m_unmovedDamaged;
    std::function<void()> m_failureNotice;
    bool m_failureTold = false;
};

}  // namespace kq
