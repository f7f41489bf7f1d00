#include "base/paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace kq {

namespace {

QString WithSlash(QString folder)
{
    if (!folder.endsWith(QLatin1Char('/')))
        folder.append(QLatin1Char('/'));
    return folder;
}

}  // namespace

Paths::Paths(QString programFolder, QString appDataFolder)
    : m_programFolder(WithSlash(QDir::cleanPath(programFolder)))
    , m_appDataFolder(WithSlash(QDir::cleanPath(appDataFolder)))
{
}

Paths Paths::ForInstalledProgram()
{
    const QString exeDir = QCoreApplication::applicationDirPath();
    QString program = exeDir;
    const QString shared = exeDir + QStringLiteral("/../share/kq27");
    if (!QFileInfo::exists(exeDir + QStringLiteral("/Img")) && QFileInfo::exists(shared))
        program = shared;
    return Paths(program, QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
}

QString Paths::ProgramFile(const QString &relative) const
{
    return m_programFolder + NativeRelativePath(relative);
}

QString Paths::UserFolder(const QString &name) const
{
    const QString folder = m_appDataFolder + name + QLatin1Char('/');
    QDir().mkpath(folder);
    return folder;
}

QString Paths::TempFolder() const
{
    const QString folder = UserFolder(QStringLiteral("KQ-27Temp"));
    QDir().mkpath(folder + QStringLiteral("Report"));
    return folder;
}

QString Paths::PanelTempFolder() const
{
    return UserFolder(QStringLiteral("KQ-19Temp"));
}

QString Paths::PanelHandOverFolder() const
{
    return UserFolder(QStringLiteral("KQ-18Temp"));
}

QString Paths::PanelProgramFolder() const
{
    return m_programFolder + QStringLiteral("KQ-18/");
}

QString NativeRelativePath(const QString &windowsPath)
{
    QString path = windowsPath;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return path;
}

}  // namespace kq
