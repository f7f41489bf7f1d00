#include "base/atomic_file.h"

#ifdef Q_OS_UNIX
#include <cerrno>
#include <unistd.h>
#endif

namespace kq {

namespace {

// commit() syncs the file too but ignores the answer, and a network or quota
// file system may report the lack of space only then.
bool SyncedToDisk([[maybe_unused]] int handle)
{
#ifdef Q_OS_UNIX
    return ::fsync(handle) == 0 || errno == EINVAL;  // EINVAL: a file that cannot be synced
#else
    return true;
#endif
}

}  // namespace

AtomicFile::AtomicFile(const QString &path) : m_file(path)
{
}

bool AtomicFile::Open()
{
    // Unbuffered, every write reaches the file system at once and its failure
    // is seen by the write that caused it.
    return m_file.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

bool AtomicFile::Write(QByteArrayView bytes)
{
    if (!m_failed && m_file.isOpen())
        m_failed = m_file.write(bytes.data(), bytes.size()) != bytes.size();
    return !m_failed && m_file.isOpen();
}

bool AtomicFile::Commit()
{
    if (!m_file.isOpen())
        return false;
    if (m_failed || !m_file.flush() || m_file.error() != QFileDevice::NoError || !SyncedToDisk(m_file.handle())) {
        Cancel();
        return false;
    }
    return m_file.commit();
}

void AtomicFile::Cancel()
{
    if (!m_file.isOpen())
        return;
    // commit() after cancelWriting() removes the temporary file at once.
    m_file.cancelWriting();
    (void)m_file.commit();
}

bool WriteFileAtomically(const QString &path, QByteArrayView bytes)
{
    AtomicFile file(path);
    return file.Open() && file.Write(bytes) && file.Commit();
}

}  // namespace kq
