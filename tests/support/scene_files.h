#pragma once
// Small scene files for the loading tests: a background colour tells them
// apart; one may carry a texture of a single colour.
#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "persist/stored_values.h"

namespace fake {

using Texel = std::array<std::uint8_t, 4>;  // red, green, blue, alpha

// Writes the scene file `path`. The texture (4x4 texels, no mipmaps) is
// built in the current GL context first; the file keeps its pixels.
void saveTestScene(const std::string& path, const persist::Colour& background,
                   std::optional<Texel> texel = std::nullopt);

}  // namespace fake
