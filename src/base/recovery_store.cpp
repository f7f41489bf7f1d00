#include "base/recovery_store.h"

#include "base/atomic_file.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QMutexLocker>
#include <QUuid>

#include <algorithm>

namespace kq {

namespace {

const QString kLockName = QStringLiteral("owner.lock");
const QString kCopyEnding = QStringLiteral(".copy");
const QString kDamagedName = QStringLiteral("Damaged");

// Never stale by age: a lesson keeps the program open for hours. A lock is
// free only when its holder has ended.
std::unique_ptr<QLockFile> LockOf(const QString &folder)
{
    auto lock = std::make_unique<QLockFile>(folder + kLockName);
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0))
        return nullptr;
    return lock;
}

QString CopyFile(const QString &folder, const QString &key)
{
    return folder + key + kCopyEnding;
}

}  // namespace

RecoveryStore::RecoveryStore(QString folder) : m_folder(std::move(folder))
{
    if (!m_folder.endsWith(QLatin1Char('/')))
        m_folder += QLatin1Char('/');
}

RecoveryStore::~RecoveryStore() = default;

QString RecoveryStore::DamagedFolder() const
{
    return m_folder + kDamagedName + QLatin1Char('/');
}

QString RecoveryStore::OwnFolder()
{
    QMutexLocker locker(&m_mutex);
    if (m_ownLock)
        return m_ownFolder;
    // A starting program may lose its fresh folder to another one that
    // takes it for abandoned between the mkdir and the lock: it then
    // simply makes another.
    for (int attempt = 0; attempt < 3; ++attempt) {
        const QString folder = m_folder + QUuid::createUuid().toString(QUuid::WithoutBraces) + QLatin1Char('/');
        if (!QDir().mkpath(folder))
            return {};
        if (auto lock = LockOf(folder)) {
            m_ownLock = std::move(lock);
            m_ownFolder = folder;
            return m_ownFolder;
        }
    }
    return {};
}

bool RecoveryStore::Write(const QString &key, const RecoveryCopy &copy)
{
    const QString folder = OwnFolder();
    return !folder.isEmpty() && WriteFileAtomically(CopyFile(folder, key), SerializeRecoveryCopy(copy));
}

void RecoveryStore::Remove(const QString &key)
{
    QMutexLocker locker(&m_mutex);
    if (m_ownLock)
        QFile::remove(CopyFile(m_ownFolder, key));
}

void RecoveryStore::RemoveAll()
{
    QMutexLocker locker(&m_mutex);
    if (!m_ownLock)
        return;
    m_ownLock->unlock();
    m_ownLock.reset();
    QDir(m_ownFolder).removeRecursively();
    m_ownFolder.clear();
}

AbandonedWork RecoveryStore::ClaimAbandoned()
{
    AbandonedWork work;
    QString own;
    {
        QMutexLocker locker(&m_mutex);
        own = m_ownFolder;
    }
    const QFileInfoList folders = QDir(m_folder).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo &info : folders) {
        const QString folder = info.absoluteFilePath() + QLatin1Char('/');
        if (info.fileName() == kDamagedName || (!own.isEmpty() && QFileInfo(folder) == QFileInfo(own)) || m_claimedFolders.contains(folder))
            continue;
        auto lock = LockOf(folder);
        if (!lock)
            continue;  // its program is still running
        const QFileInfoList files =
            QDir(folder).entryInfoList({QLatin1Char('*') + kCopyEnding}, QDir::Files, QDir::Name);
        for (const QFileInfo &file : files) {
            QFile input(file.absoluteFilePath());
            std::optional<RecoveryCopy> copy;
            if (input.open(QIODevice::ReadOnly))
                copy = ParseRecoveryCopy(input.readAll());
            if (copy)
                work.copies.append({file.absoluteFilePath(), *std::move(copy)});
            else
                work.damaged.append(PutAside(file.absoluteFilePath()));
        }
        m_claimedLocks.push_back(std::move(lock));
        m_claimedFolders.append(folder);
    }
    std::stable_sort(work.copies.begin(), work.copies.end(),
                     [](const AbandonedCopy &a, const AbandonedCopy &b) { return a.copy.changed < b.copy.changed; });
    return work;
}

QString RecoveryStore::PutAside(const QString &file)
{
    // Named after its folder too, so two damaged copies of one window never
    // meet under one name.
    const QFileInfo info(file);
    const QString aside = DamagedFolder() + info.dir().dirName() + QLatin1Char('-') + info.fileName();
    if (QDir().mkpath(DamagedFolder()) && !QFileInfo::exists(aside) && QFile::rename(file, aside))
        return aside;
    m_unmovedDamaged.append(file);
    return file;
}

void RecoveryStore::ForgetClaimed()
{
    for (std::unique_ptr<QLockFile> &lock : m_claimedLocks)
        lock->unlock();
    m_claimedLocks.clear();
    for (const QString &folder : std::as_const(m_claimedFolders)) {
        QDir dir(folder);
        // A damaged copy that could not be put aside stays where it is.
        for (const QFileInfo &file : dir.entryInfoList(QDir::Files | QDir::Hidden)) {
            if (!m_unmovedDamaged.contains(file.absoluteFilePath()))
                QFile::remove(file.absoluteFilePath());
        }
        dir.rmdir(folder);
    }
    m_claimedFolders.clear();
    m_unmovedDamaged.clear();
}

void RecoveryStore::ReportWriteResult(bool written)
{
    if (written) {
        m_failureTold = false;
        return;
    }
    if (m_failureTold)
        return;
    m_failureTold = true;
    if (m_failureNotice)
        m_failureNotice();
}

}  // namespace kq
