#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

// The texts the clock's reports become, and what the receiving windows read
// from them. The clock sends two data bytes per report, so its texts have
// four hexadecimal digits: "FFFF" completion, "0000" opening a status group,
// "11" and an address while running, a memory byte second during a read.
namespace kq {

inline const QString kCompletionText = QStringLiteral("FFFF");
inline const QString kStatusGroupText = QStringLiteral("0000");
// The start instruction's code (230): address 0 of a memory dump.
inline const QString kMemoryStartLine = QStringLiteral("E6");

// Each data byte as two upper-case hexadecimal digits, without separators.
QString ReceivedText(const QByteArray &data);

// The address of the instruction the clock executes, from "11" and two
// hexadecimal digits ("111A" gives 26); nullopt for any other text.
[[nodiscard]] std::optional<int> TraceAddressOf(const QString &text);

// The memory byte a report carries during a read: the text after its first
// two digits.
QString MemoryByteOf(const QString &text);

// Appends a status or temperature report to a window's log, starting the
// log afresh when its last line opened a status group.
void AppendToStatusLog(QStringList &log, const QString &text);

// A 16-bit value sent low byte first: "LLHH" (spaces ignored) gives 0xHHLL;
// nullopt unless exactly four hexadecimal digits.
[[nodiscard]] std::optional<int> LowByteFirstValue(const QString &text);

// Drops the lines before the first "E6" (spaces inside a line ignored), so
// line n holds the byte at address n; empties a dump without one.
void DropToMemoryStart(QStringList &dump);

}  // namespace kq
