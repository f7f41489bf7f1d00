#pragma once

#include <QString>

namespace kq {

// Hands files and programs to the desktop. Failures are silent by design: a
// missing help page or panel maker shows nothing. Tests record the calls.
class Launcher {
public:
    virtual ~Launcher() = default;
    // Opens a document with the desktop's handler for it (the browser for HTML).
    virtual void OpenDocument(const QString &path) = 0;
    // Starts a program without arguments and without waiting for it.
    virtual void StartProgram(const QString &program) = 0;
};

class DesktopLauncher final : public Launcher {
public:
    void OpenDocument(const QString &path) override;
    void StartProgram(const QString &program) override;
};

}  // namespace kq
