#pragma once

#include <QSize>

namespace kq {

// The size a report shows a picture at: its own size while it fits the limit
// of its longer side, else scaled down to that limit keeping its proportions
// (rounded to nearest, ties to even).
QSize ReportDisplaySize(QSize picture, int across, int down);

}  // namespace kq
