#pragma once

#include "base/paths.h"

#include <QTemporaryDir>

#include <optional>

namespace kq::testing {

// A program folder and an application-data folder inside one temporary
// directory, removed with the object, or inside a root the caller keeps
// (the folder a test shares with the program it kills).
class TempPaths {
public:
    TempPaths() : m_dir(std::in_place), m_root(m_dir->path()), m_paths(Under(m_root)) {}
    explicit TempPaths(QString root) : m_root(std::move(root)), m_paths(Under(m_root)) {}

    const kq::Paths &Paths() const { return m_paths; }
    QString Root() const { return m_root; }

private:
    static kq::Paths Under(const QString &root)
    {
        return {root + QStringLiteral("/program"), root + QStringLiteral("/appdata")};
    }

    std::optional<QTemporaryDir> m_dir;
    QString m_root;
    kq::Paths m_paths;
};

}  // namespace kq::testing
