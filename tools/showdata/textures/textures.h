#pragma once
// The pictures the scenes are textured with. Each is a pure function of its
// seed; the ones that repeat over a surface tile seamlessly. Texture rows
// run top to bottom with the v coordinate (row 0 is v = 0). The sizes given
// are those of a data set at scale 1; at `scale` each side is that many
// times longer, the same pattern painted with more pixels.
#include <cstdint>
#include <functional>

#include "core/raster.h"

namespace showdata {

// Paints every pixel from its centre in [0, 1) x [0, 1), averaged over
// 2 x 2 samples so that sharp pattern edges come out smooth.
Raster paintPixels(int width, int height, const std::function<Colour(float u, float v)>& colourAt);

// Distance helpers for patterns, in the pattern's own units.
float starDistance(float x, float y, float radius);  // an eight-pointed star of two squares
float edgeCoverage(float distance, float softness);  // 1 inside (distance < 0), 0 outside

// The domed hall (hall_textures.cpp, hall_details.cpp).
Raster zelligeTiles(std::uint64_t seed, int scale = 1);     // 512 x 512, four by four tiles with stars
Raster sandstoneBlocks(std::uint64_t seed, int scale = 1);  // 256 x 256, courses of ashlar
Raster windowLattice(std::uint64_t seed, int scale = 1);    // 128 x 256, lit glass behind a star lattice
Raster voussoirStripes(std::uint64_t seed, int scale = 1);  // 128 x 64, a red and a cream voussoir
Raster veinedMarble(std::uint64_t seed, int scale = 1);     // 128 x 256
Raster domeMosaic(std::uint64_t seed, int scale = 1);       // 256 x 512, one of the dome's sixteen ribs
Raster woodCoffers(std::uint64_t seed, int scale = 1);      // 256 x 256, two by two coffers
Raster nicheMosaic(std::uint64_t seed, int scale = 1);      // 256 x 512, the prayer niche
Raster studdedDoor(std::uint64_t seed, int scale = 1);      // 128 x 256

}  // namespace showdata

namespace showdata {

// The cubes (cube_textures.cpp).
Raster bevelledPanel(std::uint64_t seed, int scale = 1);  // 128 x 128, a face with a rounded rim and a groove

}  // namespace showdata

namespace showdata {

// The metaballs (blob_textures.cpp).
Raster liquidMatcap(std::uint64_t seed, int scale = 1);   // 256 x 256, a lit sphere: the blobs' look by their normals
Raster studioBackdrop(std::uint64_t seed, int scale = 1); // 512 x 256, the surrounding sphere: glow and soft lights

}  // namespace showdata

namespace showdata {

// The fireworks (night_city_textures.cpp).
// 512 x 512: kWindows x kWindows windows, some lit; one cell dark, for roofs.
constexpr int kWindows = 32;
constexpr int kRoofCell = 8;  // the dark cell's column and row
Raster cityFacades(std::uint64_t seed, int scale = 1);
Raster nightSkyDome(std::uint64_t seed, int scale = 1); // 64 x 512: zenith (v = 0) to the horizon's city glow (v = 1)
Raster sparkStreak(std::uint64_t seed, int scale = 1);  // 64 x 64: a soft bright line along u

}  // namespace showdata

namespace showdata {

// The closing monument (monument_textures.cpp).
Raster brushedMetal(std::uint64_t seed, int scale = 1);    // 256 x 256, fine streaks along u
Raster ringBands(std::uint64_t seed, int scale = 1);       // 256 x 32, lit bands along u
Raster haloGlow(std::uint64_t seed, int scale = 1);        // 256 x 32, bright at v = 0.5, dark at the edges
Raster nebulaPanorama(std::uint64_t seed, int scale = 1);  // 512 x 256, round the sky (u) from the top (v = 0) down

}  // namespace showdata
