#pragma once

#include <QString>

// The pupil's report data, carried in every program file and shown on the
// report window's input page. Lives in the studio context: it outlives the
// editor windows.
namespace kq {

struct ReportFields {
    QString year;        // "年"
    QString group;       // "組"
    QString number;      // "番"
    QString name;        // "名前"
    QString title;       // "■タイトル", multi-line
    QString conception;    // "■構想", multi-line
    QString features;    // "■仕様", multi-line
    QString ingenuity;   // "■工夫点", multi-line
    QString impressions;  // "■感想", multi-line
    bool operator==(const ReportFields &) const = default;
};

}  // namespace kq
