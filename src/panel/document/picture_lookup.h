#pragma once

#include <QString>

#include <optional>

// Finding the picture a panel file's background or part line names when the
// file was made on another machine: another install prefix, a data tree in a
// home folder, or Windows ("C:\...\Img\Material\TL-1\BackImage\1.gif").
namespace kq::panel {

// The path as written when it is a file. Otherwise the same picture under
// dataTree by the part of the path from a folder "Img" on (either separator;
// the case as written, then ignoring case), and last a picture of that file
// name beside the panel file (in panelFolder, when given). nullopt when none
// is found.
std::optional<QString> FindRecordPicture(const QString &written, const QString &dataTree, const QString &panelFolder);

}  // namespace kq::panel
