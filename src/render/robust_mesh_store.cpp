// The stored form of a robust mesh inside scene files. Save and load are one
// function so that the two directions cannot drift apart.
#include <algorithm>

#include "persist/persistent_store.h"
#include "render/robust_mesh.h"

namespace kst {

namespace {

// Corner indices go as 16-bit values while the channel has fewer values than
// that can name.
constexpr std::size_t kNarrowLimit = 65536;
// A damaged count must run into the end of the stream, not into one huge
// allocation: arrays are read in pieces of this many elements.
constexpr std::size_t kReadPiece = 65536;

template <typename Element>
void ReadInPieces(persistent_store& store, std::vector<Element>& elements, std::uint32_t count) {
  elements.clear();
  for (std::size_t done = 0; done < count;) {
    const std::size_t piece = std::min<std::size_t>(kReadPiece, count - done);
    elements.resize(done + piece);
    store.readBytes(elements.data() + done, piece * sizeof(Element));
    done += piece;
  }
}

// A varint count, then the elements' bytes as they lie in memory.
template <typename Element>
void ExchangeArray(persistent_store& store, bool writing, std::vector<Element>& elements) {
  std::uint32_t count = static_cast<std::uint32_t>(elements.size());
  store.exchangeVarint(writing, count);
  if (!writing) {
    ReadInPieces(store, elements, count);
  } else if (count != 0) {
    store.writeBytes(elements.data(), count * sizeof(Element));
  }
}

void ExchangeCorners(persistent_store& store, bool writing, std::vector<std::uint32_t>& corners, std::size_t valueCount) {
  std::uint8_t wide = valueCount >= kNarrowLimit ? 1 : 0;
  store.exchange(writing, wide);
  if (wide > 1) throw persistent::ReadFailed;
  if (wide == 1) {
    ExchangeArray(store, writing, corners);
  } else if (writing) {
    const std::vector<std::uint16_t> narrow(corners.begin(), corners.end());
    store.writeDelta16(narrow);
  } else {
    const std::vector<std::uint16_t> narrow = store.readDelta16();
    corners.assign(narrow.begin(), narrow.end());
  }
}

template <typename Value>
void ExchangeChannel(persistent_store& store, bool writing, MeshChannel<Value>& channel) {
  ExchangeArray(store, writing, channel.values);
  ExchangeCorners(store, writing, channel.corners, channel.values.size());
}

// Every corner names an existing value and every channel covers every
// triangle, or the stream was damaged.
template <typename Value>
bool Sound(const MeshChannel<Value>& channel, std::size_t cornerCount, bool optional) {
  if (channel.corners.empty() && optional) return true;
  return channel.corners.size() == cornerCount &&
         std::all_of(channel.corners.begin(), channel.corners.end(),
                     [&](std::uint32_t i) { return i < channel.values.size(); });
}

// Splitting by surface makes a piece slot per surface: more surfaces than
// triangles only come from a damaged stream, and would cost memory that no
// byte of it stands for. Surfaces past the largest tag are sound (an
// object's surface that no polygon uses) and cost a slot each.
bool UsableSurfaceCount(std::int32_t count, std::size_t triangles) {
  return count >= 0 && static_cast<std::size_t>(count) <= triangles;
}

}  // namespace

void RobustMesh::serialize(persistent_store& store, bool writing) {
  if (!writing) DropDerived();
  store.exchange(writing, box_);
  ExchangeChannel(store, writing, positions_);
  store.exchangeVarint(writing, surfaceCount_);
  std::vector<std::uint32_t> tags(surfaceTags_.begin(), surfaceTags_.end());
  store.exchangeDelta(writing, tags);
  if (!writing) surfaceTags_.assign(tags.begin(), tags.end());
  ExchangeChannel(store, writing, normals_);
  ExchangeChannel(store, writing, colours_);
  store.exchangeVarint(writing, texCoordChannelCount_);
  if (texCoordChannelCount_ < 0 || texCoordChannelCount_ > kMaxTexCoordChannels) throw persistent::ReadFailed;
  for (int set = 0; set < texCoordChannelCount_; ++set) ExchangeChannel(store, writing, texCoords_[set]);
  if (!writing) CheckLoaded();
}

void RobustMesh::CheckLoaded() const {
  const std::size_t corners = positions_.corners.size();
  bool sound = corners % 3 == 0 && surfaceTags_.size() == corners / 3 && Sound(positions_, corners, false) &&
               Sound(normals_, corners, true) && Sound(colours_, corners, true) &&
               UsableSurfaceCount(surfaceCount_, surfaceTags_.size());
  for (int set = 0; set < texCoordChannelCount_; ++set) sound = sound && Sound(texCoords_[set], corners, true);
  if (!sound) throw persistent::ReadFailed;
}

}  // namespace kst
