#pragma once

#include "base/recovery_store.h"

#include <QDirIterator>
#include <QFile>
#include <QStringList>

#include <optional>

// What the running programs' recovery folders hold, as the next start would
// find it.
namespace kq::testing {

// Every copy a running program keeps there (not those put aside), sorted.
inline QStringList RecoveryCopyFiles(const RecoveryStore &store)
{
    QStringList files;
    QDirIterator it(store.Folder(), {QStringLiteral("*.copy")}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        if (!file.startsWith(store.DamagedFolder()))
            files.append(file);
    }
    files.sort();
    return files;
}

// The one copy of that window's key, or nothing.
inline std::optional<RecoveryCopy> RecoveryCopyOf(const RecoveryStore &store, const QString &key)
{
    std::optional<RecoveryCopy> found;
    for (const QString &file : RecoveryCopyFiles(store)) {
        QFile copy(file);
        if (file.endsWith(QLatin1Char('/') + key + QStringLiteral(".copy")) && copy.open(QIODevice::ReadOnly))
            found = ParseRecoveryCopy(copy.readAll());
    }
    return found;
}

}  // namespace kq::testing
