#pragma once
// Image files (JPEG, PNG and whatever else the decoder knows) turned into
// pictures of a chosen layout. Every call answers true on success; on
// failure (no such file, an undecodable file, a header that declares a
// picture larger than 16384 pixels on a side or 16 million pixels in all)
// it answers false and leaves the target untouched. 24 and 32-bit results
// have bgrOrder = 1.
#include <cstdint>
#include <span>
#include <string>

#include "scene/image.h"

// The file's format is told by its extension; `name` of the target becomes `path`.
bool LoadImage(Image32& target, const std::string& path);
bool LoadImage(Image24& target, const std::string& path);
bool LoadImage(Image8& target, const std::string& path);

// An image file held in memory. Its format is told by its first bytes, or
// else by the extension of `fileName`; `name` of the target becomes `fileName`.
bool LoadImageFromMemory(Image32& target, std::span<const std::uint8_t> file, const std::string& fileName);
bool LoadImageFromMemory(Image24& target, std::span<const std::uint8_t> file, const std::string& fileName);
bool LoadImageFromMemory(Image8& target, std::span<const std::uint8_t> file, const std::string& fileName);
