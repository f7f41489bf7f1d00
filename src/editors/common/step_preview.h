#pragma once

#include "model/encoder.h"
#include "preview/preview_window.h"

#include <QString>

#include <functional>
#include <map>
#include <optional>

class QWidget;

namespace kq {

class WindowRegistry;

inline const QString kPreviewCommandText = QStringLiteral("　プレビュー　");

// "プレビュー" of a step window: its program's bytes run in the reused preview
// window, modal over the step, so that nothing can be edited while it is
// shown. `trace` follows the running instruction until the preview closes,
// and never outlives the editor.
void OpenStepPreview(WindowRegistry &windows, QWidget &editor, const ByteList &programBytes, PreviewTrace trace);

// A trace that marks the editor's place (a slot, a line) of the running
// instruction through `mark`: nullopt for an address with no place, or when
// nothing runs.
PreviewTrace TraceByPlaces(std::map<int, int> placeOfAddress, std::function<void(std::optional<int> place)> mark);

}  // namespace kq
