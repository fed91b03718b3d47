#pragma once
// The parts of demo\Artifice.kst: the night city (a street the low camera
// stands in, blocks of towers beyond, the ground, street lamps and the sky
// dome) and the fireworks' meshes (sparks flying out of a burst, a rocket's
// trail). Metres; x across, y up, z away from the street's start.
#include <cstdint>

#include "core/random.h"
#include "scenes/scene_mesh.h"

namespace showdata::fireworks {

enum Surface : std::uint16_t { kFacade, kGround, kSky, kSpark, kSurfaceCount };

SceneMesh cityBlocks(Random& random);  // the towers, textured by kFacade
SceneMesh groundAndLamps();            // the ground and the lamps along the street
SceneMesh skyDome();

// A burst of unit radius: streaks from 0.7 to 1 along rays spread evenly
// over the sphere, each bright (alpha 1) at its head and clear at its tail.
SceneMesh sparkBurst(Colour colour, float brightness, Random& random);
// A rocket's head and trail, the head at the origin, the trail below it.
SceneMesh rocketTrail();

}  // namespace showdata::fireworks
