#pragma once

#include "model/report_fields.h"

#include <QString>
#include <QStringList>

#include <optional>

// The nine "key=value" lines in which every program file carries the pupil's
// report data.
namespace kq {

// "reponen=" .. "repokanso=", in file order.
QStringList ReportLines(const ReportFields &fields);

// The values of the report lines among `lines` (the caller hands in the lines
// before the step's section). A line starting with a key takes everything
// after its first "="; a later line overwrites an earlier one; a key that is
// missing leaves its field empty.
ReportFields ReadReportLines(const QStringList &lines);

// How a multi-line field is stored on its one line: its lines as comma text
// (a line holding a space, a control character, a double quote or a comma is
// put in double quotes with inner quotes doubled), then every "," removed.
// The line structure is therefore not restored when the file is read.
QString MultiLineReportValue(const QString &text);

// The nine lines with every value kept exactly as typed (percent-encoded, so
// line breaks, quotes and commas survive): the form of the fields' recovery
// copy, which must give back what the pupil wrote, not what a file keeps.
QStringList ExactReportLines(const ReportFields &fields);
// nullopt unless the lines are the nine keys in order with their values.
std::optional<ReportFields> ReadExactReportLines(const QStringList &lines);

}  // namespace kq
