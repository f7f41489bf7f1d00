#include "support/full_folder.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

namespace kq::testing {

namespace {

const QString kFolder = QStringLiteral("folder");
const QString kFiller = QStringLiteral("filler");

// Mounts made by the tests stay in the test process and disappear with it,
// even when a test crashes.
bool InPrivateMountNamespace()
{
    static const bool ready =
        ::unshare(CLONE_NEWNS) == 0 && ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
    return ready;
}

// Writes until the file system refuses, then gives room bytes back.
void FillUp(const QString &path, qint64 room)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    ASSERT_GE(fd, 0) << path.toStdString();
    const QByteArray block(4096, 'f');
    qint64 size = 0;
    for (ssize_t written; (written = ::write(fd, block.constData(), std::size_t(block.size()))) > 0;)
        size += written;
    const int error = errno;
    EXPECT_TRUE(error == ENOSPC) << "filling " << path.toStdString() << ": " << std::strerror(error);
    if (room > 0) {
        EXPECT_EQ(::ftruncate(fd, std::max<qint64>(0, size - room)), 0);
    }
    ::close(fd);
}

}  // namespace

FullFolder::FullFolder(Kind kind) : m_kind(kind)
{
    const QString disk = m_root.filePath(QStringLiteral("disk"));
    if (!m_root.isValid() || !QDir().mkpath(disk)) {
        m_unavailable = QStringLiteral("no temporary folder");
        return;
    }
    if (kind == Kind::FullTmpfs) {
        m_mounted = InPrivateMountNamespace()
            && ::mount("tmpfs", QFile::encodeName(disk).constData(), "tmpfs", 0, "size=16k,mode=0700") == 0;
        if (!m_mounted) {
            m_unavailable = QStringLiteral("mounting a tmpfs is not permitted here: ")
                + QString::fromLocal8Bit(std::strerror(errno));
            return;
        }
    }
    if (!QDir(disk).mkdir(kFolder))
        m_unavailable = QStringLiteral("cannot make the folder");
}

FullFolder::~FullFolder()
{
    Empty();
    if (m_mounted)
        ::umount2(QFile::encodeName(m_root.filePath(QStringLiteral("disk"))).constData(), MNT_DETACH);
}

QString FullFolder::FilePath(const QString &name) const
{
    return m_root.filePath(QStringLiteral("disk/") + kFolder + QLatin1Char('/') + name);
}

QStringList FullFolder::Entries() const
{
    return QDir(FilePath(QString())).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

QString FullFolder::FillerPath() const
{
    return m_root.filePath(QStringLiteral("disk/") + kFiller);
}

void FullFolder::Fill(qint64 room)
{
    Empty();
    m_filled = true;
    if (m_kind == Kind::FullTmpfs) {
        FillUp(FillerPath(), room);
        return;
    }
    // The kernel sends SIGXFSZ to a process writing past the limit, and
    // stops it unless the signal is ignored.
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    ::sigaction(SIGXFSZ, &ignore, &m_savedSignal);
    ::getrlimit(RLIMIT_FSIZE, &m_savedLimit);
    const rlimit limit {rlim_t(room), m_savedLimit.rlim_max};
    EXPECT_EQ(::setrlimit(RLIMIT_FSIZE, &limit), 0);
}

void FullFolder::Empty()
{
    if (!m_filled)
        return;
    m_filled = false;
    if (m_kind == Kind::FullTmpfs) {
        QFile::remove(FillerPath());
        return;
    }
    ::setrlimit(RLIMIT_FSIZE, &m_savedLimit);
    ::sigaction(SIGXFSZ, &m_savedSignal, nullptr);
}

std::string FullFolderKindName(const ::testing::TestParamInfo<FullFolder::Kind> &info)
{
    return info.param == FullFolder::Kind::FileSizeLimit ? "FileSizeLimit" : "FullTmpfs";
}

}  // namespace kq::testing
