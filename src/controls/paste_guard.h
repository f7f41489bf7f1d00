#pragma once

#include <QClipboard>

class QCoreApplication;

namespace kq {

// Whether the clipboard (or, for QClipboard::Selection, the primary
// selection) holds data in any format.
bool ClipboardHasData(QClipboard::Mode mode);

// Keeps every text control of the application from pasting a clipboard that
// holds no data: Ctrl+V, Shift+Insert, the context menu's paste and a
// middle-click paste of the primary selection then do nothing. Qt 6.4's text
// editors read the first format of the clipboard's data without looking
// whether there is one, and an X clipboard without an owner (the normal state
// after a login) has none: a paste there crashed the program. Pasting data
// works as before. Installed once on the application by both programs.
void InstallPasteGuard(QCoreApplication &application);

}  // namespace kq
