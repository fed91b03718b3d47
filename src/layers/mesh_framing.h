#pragma once
// What the layers that show one mesh on its own have in common: the size
// the camera frames, the rectangle of the frame they draw into, the depth
// reset behind them, and the material each chunk of the mesh draws with.
#include <span>

#include "layers/screen_quad.h"

class Camera;
class MeshPrimitive;
namespace persist {
struct BoundingBox;
}

namespace kst {

class Material;

// R: the largest coordinate of the box corner farther from the origin,
// where "farther" compares the corners' absolute coordinates x first, then
// y, then z (the maximum corner unless the minimum one wins). 0 for an
// empty box, which has nothing to frame.
float FramingRadius(const persist::BoundingBox& box);

// The viewport from (left, bottom) of size (width x height), all as
// fractions of the frame's picture (FramePicture), in whole pixels.
void SetPictureViewport(float left, float bottom, float width, float height);
// The viewport of size (width x height) of the frame, centred on (x, y)
// given from -1 to 1.
void SetCentredViewport(float x, float y, float width, float height);
// The frame's whole picture, nothing of the bars around it.
void SetWholeFrameViewport();

// Identity matrices, then a quad at depth 1 over the whole viewport: its
// pixels become far again and, when `colour` is given (red, green, blue,
// alpha), take that colour; without one, colour writes stay off for it.
// Leaves depth function GL_ALWAYS and colour writes on.
void ResetViewportDepth(const float* colour);

// Face culling of back faces with clockwise fronts, depth test GL_LEQUAL:
// the frame's own state, which the mesh layers draw in.
void UseFrameFaceAndDepthState();

// Every chunk in order, each with materials[surface index mod count];
// nothing without materials. A chunk's surface is its sub-mesh's resolved
// scene surface when the mesh has them, else the sub-mesh's own number.
void DrawChunks(MeshPrimitive& mesh, std::span<Material* const> materials, Camera& camera);

}  // namespace kst
