#pragma once

#include "cli/common/tool_command_line.h"

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QStringList>

#include <optional>

// The pieces every kq18-tool command shares: exit codes, output, and one
// function per command (listed in main.cpp's table).
namespace kq::kq18tool {

enum ExitCode : int {
    kSuccess = 0,
    kRefused = 1,  // not one of the panel maker's records, or a panel whose pictures are missing
    kUsageOrUnreadable = 2,  // wrong arguments, or an input that cannot be read
};

using cli::Command;
using cli::Fail;
using cli::PrintLine;

// The Qt image format that writes a picture named path ("bmp", "png",
// "jpg"...), chosen by its extension; empty when Qt cannot write that kind.
QByteArray OutputFormat(const QString &path);
// Writes image as path in format, replacing the file only when the whole
// picture could be written.
[[nodiscard]] bool WritePicture(const QImage &image, const QString &path, const QByteArray &format);

// The kit model index of "TL-1" .. "TL-6"; nullopt after printing the usage
// error for anything else.
std::optional<int> ModelArgument(const QString &code);

struct [[nodiscard]] FlattenedPanel {
    QImage image;  // the panel with the model's frame overlay; null on failure
    int exitCode = kSuccess;  // after the message was printed: kRefused for missing pictures
};

// Loads the panel file for kit model index model, as the panel maker does,
// and flattens it with the frame overlay.
FlattenedPanel LoadFlattenedPanel(const QString &file, int model);

int RunFlatten(const QStringList &arguments);
int RunPrint(const QStringList &arguments);
int RunEffect(const QStringList &arguments);

}  // namespace kq::kq18tool
