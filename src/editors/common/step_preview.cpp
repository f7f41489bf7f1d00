#include "editors/common/step_preview.h"

#include <QPointer>
#include <QWidget>

namespace kq {

void OpenStepPreview(WindowRegistry &windows, QWidget &editor, const ByteList &programBytes, PreviewTrace trace)
{
    ShowPreview(windows, &editor, programBytes,
                [editorAlive = QPointer<QWidget>(&editor), trace = std::move(trace)](std::optional<int> address) {
                    if (editorAlive)
                        trace(address);
                });
}

PreviewTrace TraceByPlaces(std::map<int, int> placeOfAddress, std::function<void(std::optional<int> place)> mark)
{
    return [places = std::move(placeOfAddress), mark = std::move(mark)](std::optional<int> address) {
        const auto found = address ? places.find(*address) : places.end();
        mark(found == places.end() ? std::nullopt : std::optional<int>(found->second));
    };
}

}  // namespace kq
