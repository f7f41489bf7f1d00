#include "services/launcher.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

namespace kq {

void DesktopLauncher::OpenDocument(const QString &path)
{
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

void DesktopLauncher::StartProgram(const QString &program)
{
    QProcess::startDetached(program, {}, QFileInfo(program).absolutePath());
}

}  // namespace kq
