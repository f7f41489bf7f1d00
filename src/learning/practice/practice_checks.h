#pragma once

// The answers of the three practice windows, judged without any widget.

#include "model/catalogue.h"

#include <QPoint>
#include <QString>
#include <QStringView>

#include <optional>

namespace kq {

struct PracticeVerdict {
    bool correct = false;
    QString message;
    bool finished = false;  // the last exercise was solved: the window closes
    bool operator==(const PracticeVerdict &) const = default;
};

// Icon practice: four pages, one slot.
inline constexpr int kIconPracticePages = 4;
// The slot's list: "LED点灯", "フェードイン", "フェードアウト".
inline constexpr int kIconChoiceLedOn = 0;
inline constexpr int kIconChoiceFadeIn = 1;

struct IconSlotAnswer {
    std::optional<int> icon;  // nothing dropped on this page yet
    int choice = kIconChoiceLedOn;  // meaningful for icons 0..7
    std::optional<int> slider;  // the time or temperature slider, when shown
};

// page is 0-based.
[[nodiscard]] PracticeVerdict CheckIconPractice(int page, const IconSlotAnswer &answer);

// Flowchart practice.
inline constexpr int kFlowPracticeKind = 2;  // full_time, "LED 秒数"
[[nodiscard]] bool IsFlowPracticeDropAccepted(int kind);

struct FlowPracticeSettings {
    int choice = 0;  // 0 "フルカラーLED点灯", 1 "フェードイン", 2 "フェードアウト"
    Rgb colour;
    int time = 1;  // quarter seconds, 1..127
    bool operator==(const FlowPracticeSettings &) const = default;
};
[[nodiscard]] PracticeVerdict CheckFlowPracticeSettings(const FlowPracticeSettings &settings);

// Positions relative to a box's top-left corner (boxes are 100 x 50).
[[nodiscard]] bool InFlowPracticeLinkZone(QPoint relative);
[[nodiscard]] bool InsideFlowPracticeBox(QPoint relative);

// Text practice: three pages; the user's keywords never apply here.
inline constexpr int kTextPracticePages = 3;
[[nodiscard]] PracticeVerdict CheckTextPractice(int page, QStringView answer);

}  // namespace kq
