#include "geometry/strip_order.h"

#include <algorithm>

#include "geometry/vertex_fifo.h"

namespace tristrip {

namespace {

using Piece = std::vector<int>;

std::vector<Piece> CutToLength(const std::vector<TriStrip>& committed, std::size_t length) {
  std::vector<Piece> pieces;
  for (const TriStrip& strip : committed)
    for (std::size_t start = 0; start < strip.faces.size(); start += length) {
      const std::size_t end = std::min(start + length, strip.faces.size());
      pieces.emplace_back(strip.faces.begin() + start, strip.faces.begin() + end);
    }
  return pieces;
}

// Greedy order by cache hits per face: from `first` on, always the unvisited
// piece with the most hits per face, the earliest on ties. Only pieces that
// touch a cached vertex can score; when none does, the earliest unvisited
// piece wins, as it would in a scan of all pieces.
class GreedyOrder {
 public:
  GreedyOrder(const StripAdjacency& adjacency, const std::vector<Piece>& pieces, int cacheSize)
      : faces_(adjacency.faces),
        pieces_(pieces),
        fifo_(cacheSize, adjacency.vertexCount()),
        visited_(pieces.size(), false),
        seen_(pieces.size(), 0),
        piecesOfVertex_(adjacency.vertexCount()) {
    for (int p = 0; p < static_cast<int>(pieces.size()); ++p)
      for (int face : pieces[p])
        for (int v : {faces_[face].v0, faces_[face].v1, faces_[face].v2})
          if (piecesOfVertex_[v].empty() || piecesOfVertex_[v].back() != p) piecesOfVertex_[v].push_back(p);
  }

  std::vector<int> Run(int first) {
    std::vector<int> order;
    for (int next = first; next >= 0; next = Best()) {
      visited_[next] = true;
      for (int face : pieces_[next]) fifo_.AddFace(faces_[face]);
      order.push_back(next);
    }
    return order;
  }

 private:
  float HitsPerFace(int piece) const {
    int hits = 0;
    for (int face : pieces_[piece]) hits += fifo_.Hits(faces_[face]);
    return static_cast<float>(hits) / static_cast<float>(pieces_[piece].size());
  }

  int Best() {
    ++round_;
    int best = -1;
    float bestValue = 0.0f;
    for (int v : fifo_.entries()) {
      if (v < 0) continue;
      for (int piece : piecesOfVertex_[v]) {
        if (visited_[piece] || seen_[piece] == round_) continue;
        seen_[piece] = round_;
        const float value = HitsPerFace(piece);
        if (value > bestValue || (value == bestValue && piece < best)) {
          bestValue = value;
          best = piece;
        }
      }
    }
    if (best >= 0) return best;
    while (cursor_ < static_cast<int>(pieces_.size()) && visited_[cursor_]) ++cursor_;
    return cursor_ < static_cast<int>(pieces_.size()) ? cursor_ : -1;
  }

  const std::vector<TriFace>& faces_;
  const std::vector<Piece>& pieces_;
  VertexFifo fifo_;
  std::vector<bool> visited_;
  std::vector<unsigned> seen_;
  unsigned round_ = 0;
  int cursor_ = 0;
  std::vector<std::vector<int>> piecesOfVertex_;
};

// The piece whose faces have the fewest neighbours on average: an edge of
// the mesh, where the greedy walk loses least by starting.
int LoneliestPiece(const StripAdjacency& adjacency, const std::vector<Piece>& pieces) {
  int first = -1;
  float lowest = 10000.0f;
  for (int p = 0; p < static_cast<int>(pieces.size()); ++p) {
    int neighbours = 0;
    for (int face : pieces[p]) neighbours += adjacency.NeighbourCount(face);
    const float perFace = static_cast<float>(neighbours) / static_cast<float>(pieces[p].size());
    if (perFace < lowest) {
      lowest = perFace;
      first = p;
    }
  }
  return first;
}

}  // namespace

OrderedFaces SplitAndOrder(const StripAdjacency& adjacency, const std::vector<TriStrip>& committed, int cacheSize,
                           int shortestStrip) {
  std::vector<Piece> strips, loose;
  for (Piece& piece : CutToLength(committed, static_cast<std::size_t>(cacheSize))) {
    if (static_cast<int>(piece.size()) >= shortestStrip) {
      strips.push_back(std::move(piece));
    } else {
      for (int face : piece) loose.push_back({face});
    }
  }
  OrderedFaces result;
  if (!loose.empty())
    for (int p : GreedyOrder(adjacency, loose, cacheSize).Run(0)) result.looseFaces.push_back(loose[p].front());
  if (!strips.empty())
    for (int p : GreedyOrder(adjacency, strips, cacheSize).Run(LoneliestPiece(adjacency, strips)))
      result.strips.push_back(std::move(strips[p]));
  return result;
}

}  // namespace tristrip
