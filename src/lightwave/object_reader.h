#pragma once
// Walks the chunks of one LWO2 file into an LW::Object. The current surface,
// texture layer and clip live here for the duration of one file.
#include <cstdint>
#include <memory>
#include <vector>

#include "lightwave/input_stream.h"
#include "lightwave/lw_object.h"
#include "lightwave/triangulator.h"

namespace LW {

// Where a chunk or sub-chunk stands; the same identifier means different
// things in different places (COLR of a surface, CHAN's COLR value, ...).
enum class Place { Top, Clip, Surface, Block, TextureHeader, TextureMapping };

class ObjectReader {
 public:
  ObjectReader(InputStream& in, Object& object, LoadContext& context);

  // The top-level chunks after the form type, up to the form length.
  void readForm(std::uint32_t formLength);

  // Handles one chunk or sub-chunk whose data starts at the cursor and
  // returns whether it was recognised; the cursor ends at the data's end.
  bool readChunk(std::uint32_t id, std::uint32_t length, Place place);

 private:
  // Reads sub-chunks (ID4, U2 length) up to the end of the current chunk.
  void readSubChunks(Place place);
  bool readTopChunk(std::uint32_t id, std::uint32_t length);
  bool readSurfaceChunk(std::uint32_t id);
  bool readBlockChunk(std::uint32_t id, Place place);
  bool readMappingChunk(std::uint32_t id);

  void readTags(std::uint32_t length);
  void readLayer();
  void readPoints(std::uint32_t length);
  void readClip();
  void readVertexMap();
  void readDiscontinuousMap();
  void readPolygons();
  void readPolygonTags();
  void readSurface();
  void readVertexColours();
  void readBlock();
  void readImageMapHeader();
  void readOpacity();
  void readImage();
  void placeLayer();

  bool validPoint(std::uint32_t index) const { return index < object_.points.size(); }
  void addTriangle(int a, int b, int c, int polygon);

  InputStream& in_;
  Object& object_;
  LoadContext& context_;
  Surface* surface_ = nullptr;
  std::unique_ptr<TextureLayer> layer_;
  Clip clip_;
  Triangulator triangulator_;
  std::vector<std::uint32_t> polygonIndices_;
  std::vector<IndexTriple> polygonTriangles_;
};

}  // namespace LW
