#pragma once
// The pictures the bitmap stock builds from decoded files.
#include <memory>

#include "scene/image.h"

namespace kst {

// The smallest power of two not below `side` (1 for 1 and below).
int PaddedSide(int side);

// `picture` in the top-left corner of a power-of-two picture whose other
// texels are black; same byte order, no name.
std::unique_ptr<Image24> PadToPowerOfTwo(const Image24& picture);

// One four-byte picture: the colour bytes in their stored order, then the
// 8-bit picture's byte as alpha. Null when the two sizes differ.
std::unique_ptr<Image32> MergeAlpha(const Image24& colour, const Image8& alpha);

}  // namespace kst
