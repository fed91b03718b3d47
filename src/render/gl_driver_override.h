#pragma once
// Capabilities that a driver announces but gets wrong.

// Some ATI Radeon drivers report extensions that misbehave: before release
// 3062 indexed range drawing is unreliable, and generated mipmaps never are.
// Mesa's llvmpipe samples anisotropically at a cost without bound on
// triangles seen nearly edge-on.
void ApplyGLDriverOverrides(const char* vendor, const char* renderer, const char* version);
