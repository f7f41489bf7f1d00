#pragma once

#include <optional>

namespace kq {
class Paths;
}

namespace kq::panel {

// The studio leaves "Product.txt" in the hand-over folder before it starts
// the panel maker; its first line preselects a kit model. The file is read
// once and always deleted, so an old one never chooses a model again.
// Returns the kit model index, or nullopt (no file, or a code that chooses
// nothing). Creates the hand-over folder when it is missing.
[[nodiscard]] std::optional<int> TakeHandOverModel(const kq::Paths &panelPaths);

}  // namespace kq::panel
