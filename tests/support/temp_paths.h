#pragma once

#include "base/paths.h"

#include <QTemporaryDir>

namespace kq::testing {

// A program folder and an application-data folder inside one temporary
// directory, removed with the object.
class TempPaths {
public:
    TempPaths() : m_paths(m_dir.path() + QStringLiteral("/program"), m_dir.path() + QStringLiteral("/appdata")) {}

    const kq::Paths &Paths() const { return m_paths; }
    QString Root() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
    kq::Paths m_paths;
};

}  // namespace kq::testing
