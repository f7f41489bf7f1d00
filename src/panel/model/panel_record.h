#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// A panel document is a list of text records, one per line: the layer number,
// the kind, then the kind's fields, separated by commas. Field numbers count
// from 1 at the layer number.
namespace kq::panel {

enum class RecordKind { Background, Photo, Part, Text, Processing, Other };

inline const QString kBackgroundKind = QStringLiteral("背景");
inline const QString kPhotoKind = QStringLiteral("写真");
inline const QString kPartKind = QStringLiteral("部品");
inline const QString kTextKind = QStringLiteral("文字");
inline const QString kProcessingKind = QStringLiteral("加工");

inline constexpr int kBackgroundLayer = -1;

QStringList RecordFields(const QString &line);
// Field 1 as a number; nullopt when it is not one.
std::optional<int> RecordLayer(const QString &line);
RecordKind KindOfRecord(const QString &line);
// Field `number` (from 1), or an empty text when the line has fewer fields.
QString RecordField(const QString &line, int number);

// line with field `number` (from 1) replaced by value; missing fields before
// it are added empty.
QString WithRecordField(const QString &line, int number, const QString &value);
// path in a form a record and the panel file can hold: a comma (the field
// separator) and each character CP932 cannot hold become "_", except that a
// letter with an accent CP932 lacks keeps its plain letter ("Müller" ->
// "Muller"). Paths CP932 and the record can carry come back unchanged.
QString StorableRecordPath(const QString &path);

// Sorted by layer number (field 1) from -1 upwards; lines of one layer keep
// their order. Lines without a number come last, in their order.
QStringList SortRecordsByLayer(const QStringList &records);

}  // namespace kq::panel
