#pragma once

#include <QString>

namespace kq {

class Launcher;
class Paths;

// The general help, opened from the menu and from the editors' help commands.
inline const QString kGeneralHelpPage = QStringLiteral("HTML\\Navi\\KQ-27navi.html");

// Opens a help page of the program folder in the user's browser. A page that
// is not installed opens nothing and shows nothing.
void OpenHelp(const Paths &paths, Launcher &launcher, const QString &page);

}  // namespace kq
