#pragma once
// The light shafts of the domed hall: for each opening (a window, or the
// oculus for the two volumPlaf files), the volume the sunlight fills from
// the opening down to the floor. Each one is convex and closed: the opening,
// its landing on the floor and one flat side per outline edge. Written as
// LWO2 objects (fronts outward, the mesh layers' winding) in the scene's
// own coordinates, so that the mesh-in-scene layer draws them in place.
#include <vector>

#include "data_set.h"
#include "objects/mesh.h"
#include "scenes/hall_layout.h"

namespace showdata {

// In scene units (scaled by hall::kUnitsPerMetre).
Mesh lightShaft(const hall::Shaft& shaft);

std::vector<DataFile> lightShaftFiles();

}  // namespace showdata
