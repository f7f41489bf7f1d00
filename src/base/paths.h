#pragma once

#include <QString>

// Where the installed data tree and the per-user temporary folders are. Both
// roots are injected so tests can point them at temporary directories.
namespace kq {

class Paths {
public:
    // programFolder holds Img/, Data/, HTML/; appDataFolder is the per-user
    // application-data folder under which the temporary folders live.
    Paths(QString programFolder, QString appDataFolder);

    // The installed layout: the data tree beside the executable (build tree)
    // or under ../share/kq27 (installed), and the user's generic data folder.
    static Paths ForInstalledProgram();

    // Ends with "/".
    QString ProgramFolder() const { return m_programFolder; }
    QString AppDataFolder() const { return m_appDataFolder; }

    // A file of the data tree; Windows-style "Img\Icon\" names are accepted.
    QString ProgramFile(const QString &relative) const;

    // "KQ-27Temp/" with its "Report/" subfolder, created on every call when
    // missing. Ends with "/".
    QString TempFolder() const;

    // The panel maker's per-user folder "KQ-19Temp/" and the hand-over folder
    // "KQ-18Temp/", created when missing. Each ends with "/".
    QString PanelTempFolder() const;
    QString PanelHandOverFolder() const;

    // The panel maker's own data tree inside the program folder.
    QString PanelProgramFolder() const;

private:
    QString UserFolder(const QString &name) const;

    QString m_programFolder;
    QString m_appDataFolder;
};

// "Img\Icon\DD\" becomes "Img/Icon/DD/": same names, same case.
QString NativeRelativePath(const QString &windowsPath);

}  // namespace kq
