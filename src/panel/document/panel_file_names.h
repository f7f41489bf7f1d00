#pragma once

#include <QString>
#include <QtGlobal>

// The rules of the open and save dialogs for panel files; the window only
// shows the dialogs and the messages.
namespace kq::panel {

inline const QString kPanelFileExtension = QStringLiteral(".kq18");
// Panel files carry their photos, so they are far larger than the other
// text files; anything beyond this is not a panel file.
inline constexpr qint64 kPanelFileSizeLimit = 256LL * 1024 * 1024;

// Qt's filter form for Dialogs::OpenFileName and SaveFileName.
inline const QString kPanelFileFilter = QStringLiteral("KQ-18ファイル (*.kq18)");

// Whether a chosen name may be opened: its extension, in lower case, is
// ".kq18". Otherwise the window shows kPanelWrongExtensionMessage.
bool HasPanelFileExtension(const QString &path);

// The name a save writes: the chosen one, with ".kq18" appended when its
// lower-cased extension is not ".kq18" ("a.txt" -> "a.txt.kq18").
QString PanelFileSaveName(const QString &chosen);

// Whether the save must first ask kPanelOverwriteQuestion (the file of
// PanelFileSaveName exists).
bool NeedsOverwriteQuestion(const QString &saveName);

}  // namespace kq::panel
