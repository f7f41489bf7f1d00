#pragma once

#include "services/launcher.h"

#include <QStringList>

namespace kq::testing {

// Records what the studio hands to the desktop instead of starting anything.
class RecordingLauncher final : public Launcher {
public:
    void OpenDocument(const QString &path) override { documents.append(path); }
    void StartProgram(const QString &program) override { programs.append(program); }

    QStringList documents;
    QStringList programs;
};

}  // namespace kq::testing
