#include "services/dialog_folder.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace kq {

QString DesktopOrHomeFolder()
{
    const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    // Without a desktop the location names a folder that is not there.
    if (!desktop.isEmpty() && QFileInfo(desktop).isDir())
        return desktop;
    return QDir::homePath();
}

QString AbsoluteDialogStart(const QString &folderOrName)
{
    if (folderOrName.isEmpty())
        return DesktopOrHomeFolder();
    if (QDir::isAbsolutePath(folderOrName))
        return folderOrName;
    return QDir(DesktopOrHomeFolder()).filePath(folderOrName);
}

QString DialogFolder::Start() const
{
    if (!m_folder.isEmpty() && QFileInfo(m_folder).isDir())
        return m_folder;
    return DesktopOrHomeFolder();
}

QString DialogFolder::StartWith(const QString &name) const
{
    return name.isEmpty() ? Start() : QDir(Start()).filePath(name);
}

void DialogFolder::Remember(const QString &filePath)
{
    if (!filePath.isEmpty())
        m_folder = QFileInfo(filePath).absolutePath();
}

}  // namespace kq
