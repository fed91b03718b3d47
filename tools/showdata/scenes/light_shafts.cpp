#include "scenes/light_shafts.h"

#include <algorithm>

namespace showdata {
namespace {

Vector3 centreOf(const std::vector<Vector3>& points) {
  Vector3 sum;
  for (const Vector3& p : points) sum += p;
  return sum * (1.0f / static_cast<float>(points.size()));
}

// One flat face of a convex solid as a fan, turned to face away from the
// solid's centre.
void convexFace(Mesh& mesh, std::vector<std::uint32_t> face, Vector3 solidCentre) {
  std::vector<Vector3> points;
  for (std::uint32_t index : face) points.push_back(mesh.points[index]);
  const Vector3 normal = Cross(points[1] - points[0], points[2] - points[0]);
  if (Dot(normal, centreOf(points) - solidCentre) < 0.0f) std::reverse(face.begin(), face.end());
  for (std::size_t k = 1; k + 1 < face.size(); ++k) mesh.triangle(face[0], face[k], face[k + 1]);
}

}  // namespace

Mesh lightShaft(const hall::Shaft& shaft) {
  const bool oculus = shaft.window < 0;
  const std::vector<Vector3> opening = oculus ? hall::oculusOutline() : hall::windowOutline(shaft.side, shaft.window);
  const Vector3 direction = oculus ? hall::sunThroughOculus(shaft.side) : hall::sunThroughWindows(shaft.side);
  const std::vector<Vector3> landing = hall::floorLanding(opening, direction);
  Mesh mesh;
  for (const Vector3& p : opening) mesh.add(p * hall::kUnitsPerMetre);
  for (const Vector3& p : landing) mesh.add(p * hall::kUnitsPerMetre);
  const auto n = static_cast<std::uint32_t>(opening.size());
  const Vector3 centre = (centreOf(opening) + centreOf(landing)) * (0.5f * hall::kUnitsPerMetre);
  std::vector<std::uint32_t> top, bottom;
  for (std::uint32_t k = 0; k < n; ++k) {
    top.push_back(k);
    bottom.push_back(n + k);
    convexFace(mesh, {k, (k + 1) % n, n + (k + 1) % n, n + k}, centre);
  }
  convexFace(mesh, top, centre);
  convexFace(mesh, bottom, centre);
  return mesh;
}

std::vector<DataFile> lightShaftFiles() {
  std::vector<DataFile> files;
  for (const hall::Shaft& shaft : hall::shafts()) {
    const std::string what = shaft.window < 0 ? "LWO2: light volume, a beam from the hall's oculus"
                                              : "LWO2: light volume, a shaft from a window of the hall";
    files.push_back({shaft.file, what, [&shaft] {
                       LW::SurfaceDescription light;
                       light.name = "Light";
                       light.color = {1.0f, 0.95f, 0.85f};
                       return LW::WriteLwo2(lwoDescription(lightShaft(shaft), {light}));
                     }});
  }
  return files;
}

}  // namespace showdata
