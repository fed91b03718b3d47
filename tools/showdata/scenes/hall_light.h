#pragma once
// How the hall is lit: the light baked into its vertex colours (daylight
// from the windows and the oculus, a lamp in the niche) and the floor's
// light map, where the sun through the shafted openings lands.
#include "core/raster.h"
#include "scenes/baked_light.h"

namespace showdata::hall {

Lighting hallLighting();

// 512 x 512 over the whole floor (u across x, v along z): shade, and full
// light where a shaft of hall_layout.h lands, softened at its edges.
Raster floorLightMap();

}  // namespace showdata::hall
