#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>

#include <string>

// A folder whose file system is full, for the writers' tests: files put there
// beforehand must survive a failed save untouched.
namespace kq::testing {

class FullFolder {
public:
    enum class Kind {
        // Writes beyond RLIMIT_FSIZE fail with EFBIG: a failing file system
        // anywhere, without privileges. Child processes inherit it.
        FileSizeLimit,
        // A 16 KB tmpfs filled up, failing with ENOSPC as a real full disk
        // does. Mounted in a mount namespace of the test's own, so it needs
        // the right to mount; without it the kind is unavailable.
        FullTmpfs,
    };

    explicit FullFolder(Kind kind);
    ~FullFolder();
    FullFolder(const FullFolder &) = delete;
    FullFolder &operator=(const FullFolder &) = delete;

    // Empty when the folder is ready, else why this kind cannot be had here.
    const QString &Unavailable() const { return m_unavailable; }
    QString FilePath(const QString &name) const;
    // Every entry of the folder, hidden ones included.
    QStringList Entries() const;

    // From Fill to Empty (or the end of the object) the folder takes no more
    // than room bytes: the next write fails there.
    void Fill(qint64 room = 0);
    void Empty();

private:
    QString FillerPath() const;

    Kind m_kind;
    QTemporaryDir m_root;
    QString m_unavailable;
    bool m_mounted = false;
    bool m_filled = false;
    rlimit m_savedLimit {};
    struct sigaction m_savedSignal {};
};

inline constexpr FullFolder::Kind kFullFolderKinds[] = {FullFolder::Kind::FileSizeLimit, FullFolder::Kind::FullTmpfs};

std::string FullFolderKindName(const ::testing::TestParamInfo<FullFolder::Kind> &info);

// A test run once per kind of full folder, skipped where the kind is
// unavailable. Instantiate with ::testing::ValuesIn(kFullFolderKinds) and
// FullFolderKindName.
class FullFolderTest : public ::testing::TestWithParam<FullFolder::Kind> {
protected:
    void SetUp() override
    {
        if (!m_full.Unavailable().isEmpty())
            GTEST_SKIP() << m_full.Unavailable().toStdString();
    }

    FullFolder m_full {GetParam()};
};

}  // namespace kq::testing
