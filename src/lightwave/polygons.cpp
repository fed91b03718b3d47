// POLS: polygons to triangles; PTAG: triangles to surfaces.
#include <algorithm>

#include "lightwave/lw_error.h"
#include "lightwave/object_reader.h"
#include "base/log.h"

namespace LW {

void ObjectReader::addTriangle(int a, int b, int c, int polygon) {
  object_.polygonTriangles.add(polygon, static_cast<int>(object_.triangles.size()));
  object_.triangleSource.push_back(polygon);
  object_.triangles.push_back({a, b, c, 0});
}

void ObjectReader::readPolygons() {
  kst::debugTrace("Reading polygon data...");
  const std::uint32_t type = in_.ID4();
  if (type != MakeID("FACE")) return kst::debugTrace("Unknown polygon type : %s", IdText(type).c_str());
  int polygon = 0, skipped = 0, lines = 0;
  // About one triangle per 8 bytes of polygon data (a triangle with 2-byte
  // indices), so that the lists rarely grow while reading.
  const std::size_t expected = object_.triangles.size() + (in_.bound() - in_.position()) / 8;
  object_.triangles.reserve(expected);
  object_.triangleSource.reserve(expected);
  for (; !in_.atBound(); ++polygon) {
    const int count = in_.U2() & 0x03FF;  // the upper six bits are flags
    polygonIndices_.resize(count);
    bool inside = true;
    for (auto& index : polygonIndices_) {
      index = in_.VX();
      inside = inside && validPoint(index);
    }
    const auto& p = polygonIndices_;
    if (count == 2) {
      ++lines;
    } else if (!inside) {
      // Points the object does not have: never used as indices.
      ++skipped;
    } else if (count == 3 && (p[0] == p[1] || p[1] == p[2] || p[0] == p[2])) {
      kst::debugTrace("Removing degenerate triangle (%d) !", polygon);
      ++skipped;
    } else if (count == 3) {
      addTriangle(static_cast<int>(p[0]), static_cast<int>(p[1]), static_cast<int>(p[2]), polygon);
      continue;
    } else if (polygonTriangles_.clear(); triangulator_.triangulate(p, object_.points, polygonTriangles_)) {
      for (const IndexTriple& t : polygonTriangles_) addTriangle(t[0], t[1], t[2], polygon);
      if (!polygonTriangles_.empty()) continue;
    } else {
      ++skipped;
    }
    object_.polygonTriangles.add(polygon, -1);
  }
  kst::debugTrace("%d polygons read.", polygon);
  if (skipped != 0)
    kst::log("** Warning: %d polygons were skipped because they couldn't be properly triangulated.", skipped);
  if (lines != 0) kst::log("** Warning: Lines are not supported (%d lines were skipped).", lines);
}

void ObjectReader::readPolygonTags() {
  const std::uint32_t type = in_.ID4();
  if (type != MakeID("SURF")) return kst::debugTrace("Unknown tag type : %s", IdText(type).c_str());
  kst::debugTrace("Polygon surfaces");
  {
    LogIndentScope indent;
    for (const std::string& tag : object_.tags) {
      const std::string fullName = object_.name + "::" + tag;
      int index = context_.find(fullName);
      if (index < 0) {
        index = static_cast<int>(context_.surfaces.size());
        context_.surfaceNames.push_back(fullName);
        context_.surfaces.push_back({std::make_unique<Surface>(fullName), false});
        kst::debugTrace("Surface number %d", index);
      } else {
        kst::debugTrace("Already loaded (%d); discarding.", index);
      }
      object_.tagSurfaces.push_back({index, false});
    }
  }
  while (!in_.atBound()) {
    const int polygon = static_cast<int>(in_.VX());
    const std::uint16_t tag = in_.U2();
    // A tag the TAGS list does not have names no surface.
    if (tag >= object_.tagSurfaces.size()) continue;
    for (const auto& [source, triangle] : object_.polygonTriangles.of(polygon)) {
      if (triangle < 0) continue;
      TagSurface& tagSurface = object_.tagSurfaces[tag];
      tagSurface.used = true;
      context_.surfaces[tagSurface.surfaceIndex].used = true;
      object_.triangles[triangle].tag = tag;
    }
  }
}

std::span<const PolygonTriangles::Entry> PolygonTriangles::of(int polygon) const {
  if (!sorted_) {
    std::stable_sort(entries_.begin(), entries_.end(),
                     [](const Entry& a, const Entry& b) { return a.first < b.first; });
    sorted_ = true;
  }
  if (!indexed_) {
    const int polygons = entries_.empty() ? 0 : entries_.back().first + 1;
    firstEntry_.assign(static_cast<std::size_t>(polygons) + 1, 0);
    // Counts per polygon, then running sums: where each polygon starts.
    for (const Entry& entry : entries_) ++firstEntry_[entry.first + 1];
    for (int p = 0; p < polygons; ++p) firstEntry_[p + 1] += firstEntry_[p];
    indexed_ = true;
  }
  if (polygon < 0 || static_cast<std::size_t>(polygon) + 1 >= firstEntry_.size()) return {};
  return std::span<const Entry>(entries_).subspan(firstEntry_[polygon], firstEntry_[polygon + 1] - firstEntry_[polygon]);
}

int LoadContext::find(const std::string& fullName) const {
  for (std::size_t i = 0; i < surfaceNames.size(); ++i)
    if (surfaceNames[i] == fullName) return static_cast<int>(i);
  return -1;
}

}  // namespace LW
