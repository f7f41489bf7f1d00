#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QDateTime>
#include <QString>

#include <optional>

// A recovery copy: what an editing window held when it last changed, kept
// so that work survives a crash or a power cut. The body is the document in
// its own file form, written by the same code as a save; a few header lines
// say where it belongs. A checksum over the body lets a copy cut short by a
// power cut, or edited by hand, be told from a whole one.
namespace kq {

struct RecoveryCopy {
    // Which window the copy restores ("STEP1", "STEP2", "Melody", "Panel", ...).
    QString window;
    // The file the work was opened from or last saved as; empty for new work.
    QString filePath;
    // When the work last changed.
    QDateTime changed;
    // What else the window needs to come back as it was (the panel maker's
    // kit model); empty when nothing.
    QString detail;
    // The document as its save writes it.
    QByteArray body;

    bool operator==(const RecoveryCopy &) const = default;
};

QByteArray SerializeRecoveryCopy(const RecoveryCopy &copy);
// Empty when the bytes are not one whole copy: another file, a cut or
// altered body, a missing or damaged header.
std::optional<RecoveryCopy> ParseRecoveryCopy(QByteArrayView bytes);

}  // namespace kq
