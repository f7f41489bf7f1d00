#pragma once

#include "base/paths.h"

#include <QString>

// The panel maker's recovery copy: the panel window's work, kept while it
// is unsaved so that a crash or a power cut does not take it.
namespace kq::panel {

// The window name the copy carries; its detail is the kit model's code and
// its body the panel file as a save writes it.
inline const QString kPanelRecoveryWindow = QStringLiteral("Panel");

// The folder of the copies inside the panel maker's temporary folder.
inline QString PanelRecoveryFolder(const kq::Paths &panelPaths)
{
    return panelPaths.PanelTempFolder() + QStringLiteral("Recovery/");
}

}  // namespace kq::panel
