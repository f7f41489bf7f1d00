#include "learning/practice/practice_checks.h"

#include "base/text_helpers.h"
#include "learning/practice/practice_messages.h"

#include <array>

namespace kq {
namespace {

PracticeVerdict Right(int page, int pages)
{
    static const std::array<QString, 3> kNext = {practice::kNextTwo, practice::kNextThree, practice::kNextFour};
    if (page + 1 < pages)
        return {true, kNext[static_cast<std::size_t>(page)], false};
    return {true, QString(), true};
}

bool IconAnswerMatches(int page, const IconSlotAnswer &answer)
{
    switch (page) {
    case 0:  // red LED for one second: four quarter seconds
        return answer.icon == 0 && answer.choice == kIconChoiceLedOn && answer.slider == 4;
    case 1:
        return answer.icon == 1 && answer.choice == kIconChoiceFadeIn;
    case 2:
        return answer.icon == 9;
    case 3:
        return answer.icon == 13 && answer.slider == 20;
    default:
        return false;
    }
}

}  // namespace

PracticeVerdict CheckIconPractice(int page, const IconSlotAnswer &answer)
{
    if (!IconAnswerMatches(page, answer))
        return {false, practice::kIconWrong, false};
    PracticeVerdict verdict = Right(page, kIconPracticePages);
    if (verdict.finished)
        verdict.message = practice::kIconFinished;
    return verdict;
}

bool IsFlowPracticeDropAccepted(int kind)
{
    return kind == kFlowPracticeKind;
}

PracticeVerdict CheckFlowPracticeSettings(const FlowPracticeSettings &settings)
{
    const bool right = settings.choice == 0 && settings.colour == Rgb {255, 0, 0} && settings.time == 4;
    if (!right)
        return {false, practice::kFlowWrongSettings, false};
    return {true, practice::kFlowSettingsDone, false};
}

bool InFlowPracticeLinkZone(QPoint relative)
{
    return relative.x() > 35 && relative.x() < 65 && relative.y() > 30 && relative.y() < 50;
}

bool InsideFlowPracticeBox(QPoint relative)
{
    return relative.x() > 0 && relative.x() < 100 && relative.y() > 0 && relative.y() < 50;
}

PracticeVerdict CheckTextPractice(int page, QStringView answer)
{
    // Fixed built-in words: keyword settings must not change what is right here.
    static const std::array<QString, kTextPracticePages> kAnswers = {
        QStringLiteral("ledon(255,0,0,1);"),
        QStringLiteral("backlighttime(100,1);"),
        QStringLiteral("soundwait();"),
    };
    if (page < 0 || page >= kTextPracticePages || RemoveSpaces(answer) != kAnswers[static_cast<std::size_t>(page)])
        return {false, practice::kTextWrong, false};
    PracticeVerdict verdict = Right(page, kTextPracticePages);
    if (verdict.finished)
        verdict.message = practice::kTextFinished;
    return verdict;
}

}  // namespace kq
