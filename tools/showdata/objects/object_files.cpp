// The objects of the data set: which generator makes each file and the
// surfaces it is written with (through the engine's LWO2 writer).
#include "data_set.h"
#include "objects/objects.h"

namespace showdata {
namespace {

LW::SurfaceDescription surface(std::string name, float r, float g, float b) {
  LW::SurfaceDescription description;
  description.name = std::move(name);
  description.color = {r, g, b};
  return description;
}

DataFile object(std::string name, std::string what, std::function<Mesh()> make, std::vector<LW::SurfaceDescription> surfaces) {
  return {std::move(name), std::move(what), [make = std::move(make), surfaces = std::move(surfaces)] {
            const Mesh mesh = make();
            return LW::WriteLwo2(lwoDescription(mesh, surfaces));
          }};
}

}  // namespace

std::vector<DataFile> objectFiles() {
  return {
      object("demo\\intro\\objet\\tsark.lwo", "LWO2: the emblem, a bird in a ring, bevelled", [] { return emblem(); },
             {surface("Ring", 0.55f, 0.75f, 0.95f), surface("Bird", 0.95f, 0.95f, 1.0f)}),
      object("demo\\ombres\\kst.lwo", "LWO2: closed thick trefoil knot, two surfaces", [] { return torusKnot(); },
             {surface("KnotA", 0.69f, 0.88f, 0.62f), surface("KnotB", 0.24f, 0.64f, 0.68f)}),
      object("demo\\ombres\\1.lwo", "LWO2: closed rounded cube", [] { return roundedCube(); }, {surface("Cube", 1.0f, 0.91f, 0.78f)}),
      object("demo\\ombres\\2.lwo", "LWO2: closed faceted octahedron", [] { return facetedOctahedron(); },
             {surface("Gem", 0.78f, 1.0f, 0.91f)}),
      object("demo\\ombres\\3.lwo", "LWO2: closed spiky star", [] { return spikyStar(); }, {surface("Star", 0.78f, 0.78f, 1.0f)}),
  };
}

}  // namespace showdata
