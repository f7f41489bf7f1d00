#pragma once

#include <QString>

// Where open and save dialogs start. A pupil cannot see which folder the
// program was started from, so a dialog never starts there: it starts where
// the window last opened or saved a file, else on the desktop.
namespace kq {

// The user's desktop folder when it exists, else the home folder.
QString DesktopOrHomeFolder();

// An absolute folder, or folder and suggested name, for a dialog to start
// at: a relative one (a bare name, or nothing) is taken inside
// DesktopOrHomeFolder().
QString AbsoluteDialogStart(const QString &folderOrName);

// One window's memory of the folder its files were last opened from or
// saved to.
class DialogFolder {
public:
    // The remembered folder while it exists, else DesktopOrHomeFolder().
    QString Start() const;
    // A suggested file name inside Start(); Start() alone when name is empty.
    QString StartWith(const QString &name) const;
    // After a file was opened or saved: its folder.
    void Remember(const QString &filePath);

private:
    QString m_folder;
};

}  // namespace kq
