#pragma once
// The faces and undirected edges of one stripify run. Records refer to each
// other by index, so nothing depends on where they sit in memory.
#include <cstdint>
#include <span>
#include <vector>

namespace tristrip {

struct TriFace {
  int v0, v1, v2;
  int stripNumber = -1;
  int trialStripNumber = -1;
  int trialNumber = -1;
};

// Linked into the edge lists of both its vertices.
struct TriEdge {
  int firstFace;
  int secondFace = -1;
  int v0, v1;  // in the order first met
  int nextOfFirst = -1;
  int nextOfSecond = -1;
};

class StripAdjacency {
 public:
  // Registers each triangle's sides (v0, v1), (v1, v2), (v2, v0); a third
  // face on an edge is reported on standard output and left unlinked.
  explicit StripAdjacency(std::span<const std::uint16_t> indices);

  int FindEdge(int a, int b) const;
  // The face across edge (a, b) from `face`, or −1.
  int OtherFace(int a, int b, int face) const;
  int FirstEdge(int vertex) const { return heads_[vertex]; }
  int NextEdge(int edge, int vertex) const;
  // Sides of the face with a face across them.
  int NeighbourCount(int face) const;

  std::vector<TriFace> faces;
  std::vector<TriEdge> edges;
  int vertexCount() const { return static_cast<int>(heads_.size()); }

 private:
  void Register(int a, int b, int face);

  std::vector<int> heads_;
};

}  // namespace tristrip
