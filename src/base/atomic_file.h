#pragma once

#include <QByteArrayView>
#include <QSaveFile>
#include <QString>

// Every file both programs write goes through here, so that a save either
// replaces the whole old file or leaves it untouched. QSaveFile alone does
// not promise that: it buffers small writes and flushes them inside
// commit(), which misses a failing flush (a full disk, a quota) and renames
// the empty or cut temporary file over the old one.
namespace kq {

class AtomicFile {
public:
    explicit AtomicFile(const QString &path);
    AtomicFile(const AtomicFile &) = delete;
    AtomicFile &operator=(const AtomicFile &) = delete;

    // Creates the temporary file beside path; false when it cannot be created.
    [[nodiscard]] bool Open();
    // False when not all bytes reached the file; every later write and the
    // commit fail too.
    [[nodiscard]] bool Write(QByteArrayView bytes);
    // Replaces the file at path with what was written. False when anything
    // failed: the old file stays as it was and the temporary file is removed.
    [[nodiscard]] bool Commit();
    // Drops what was written, keeping the old file.
    void Cancel();

private:
    QSaveFile m_file;
    bool m_failed = false;
};

// The whole of bytes as the file at path, through AtomicFile.
[[nodiscard]] bool WriteFileAtomically(const QString &path, QByteArrayView bytes);

}  // namespace kq
