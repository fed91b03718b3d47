#pragma once
// Rasters to JPEG or PNG bytes and back, through FreeImage.
#include <cstdint>
#include <string>
#include <vector>

#include "core/raster.h"

namespace showdata {

enum class PictureFormat { Jpeg, Png };

// Eight bits per channel (a one-channel raster becomes a greyscale file).
// JPEG colour pictures get a seeded sub-step dither so that slow gradients
// do not band; PNG files keep exact values (masks must be exactly 0 where
// they are transparent).
std::vector<std::uint8_t> encodePicture(const Raster& picture, PictureFormat format, std::uint64_t ditherSeed = 1);

// The picture in a file's bytes, as grey (1 channel) or colour (3); throws
// std::runtime_error when FreeImage cannot read it.
Raster decodePicture(const std::vector<std::uint8_t>& bytes, const std::string& name);

}  // namespace showdata
