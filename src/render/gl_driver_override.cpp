#include "render/gl_driver_override.h"

#include <cstdio>
#include <cstring>

#include "render/gl_table.h"

namespace {

// The driver release is the third number of "major.minor.release"; a
// version string without one leaves it at 0.
int driverRelease(const char* version) {
  int major = 0, minor = 0, release = 0;
  std::sscanf(version, "%d.%d.%d", &major, &minor, &release);
  return release;
}

bool isAtiRadeon(const char* vendor, const char* renderer) {
  return std::strncmp(vendor, "ATI", 3) == 0 && std::strncmp(renderer, "Radeon", 6) == 0;
}

// Mesa's software rasteriser: its renderer string begins with the driver's name.
bool isLlvmpipe(const char* renderer) { return std::strncmp(renderer, "llvmpipe", 8) == 0; }

}  // namespace

void ApplyGLDriverOverrides(const char* vendor, const char* renderer, const char* version) {
  // Anisotropic sampling there can run for minutes on one sliver of a
  // triangle seen nearly edge-on (a whole frame held up by a single draw), and
  // costs a large share of every textured frame besides.
  if (isLlvmpipe(renderer)) SetGLCapability(GLCap::EXT_texture_filter_anisotropic, 0);
  const int release = driverRelease(version);
  if (!isAtiRadeon(vendor, renderer)) return;
  if (release < 3062) SetGLCapability(GLCap::EXT_draw_range_elements, 0);
  SetGLCapability(GLCap::SGIS_generate_mipmap, 0);
}
