#pragma once
// Texture sides must be powers of two on the drivers the show was made for.

// The side a picture side `size` is uploaded at: the smallest power of two
// not below it, but never more than `maxSize` (GL_MAX_TEXTURE_SIZE). Sides
// below 1 (an empty picture) stay as they are.
int TextureSide(int size, int maxSize);

// floor(log2(size)) for size >= 1; 0 below that.
int FloorLog2(int size);
