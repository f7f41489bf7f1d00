#pragma once

#include "editors/icon/icon_row.h"
#include "model/program_file.h"

#include <QString>
#include <QStringList>

#include <optional>

// Icon files are read from their slots, as the icon step reads them: the
// stored first line and program lines are not trusted.
namespace kq::cli {

struct IconInputResult {
    std::optional<IconRow> row;
    int exitCode = 0;  // when row is empty; the message is already printed
};

// The row of an icon file's DDDATA section whose repeats pair up. A file
// marked "NG" whose slots cannot be read either is refused as a program that
// cannot be handed over, as before the slots were read.
IconInputResult ReadIconInput(const QString &path, const ProgramFileParts &parts, int generation);

}  // namespace kq::cli
