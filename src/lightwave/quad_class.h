#pragma once
// Quads the tessellator splits by the order of their corners alone. GLU
// projects a polygon onto the axis plane its normal leans to most and sweeps
// the corners in (s, t) order; for a strictly convex outline every decision
// of the sweep follows from that order and the winding. Two such quads of the
// same class therefore come out split at the same corner positions, and the
// split GLU made for one can be reused for the next.
#include <cstdint>
#include <span>

#include "render/vector3.h"

namespace LW {

// projection axis x winding x neighbours of equal s x corner order
inline constexpr int kQuadClassCount = 3 * 2 * 8 * 24;

// The class of the quad with corner indices `quad`, or -1 when the quad must
// go to the tessellator: repeated or coinciding corners, an outline that is
// not strictly convex in the projection, or an axis choice that rounding
// could tip.
int QuadClass(std::span<const std::uint32_t, 4> quad, std::span<const Vector3> points);

}  // namespace LW
