#pragma once
// Grows strips over the adjacency: each round tries six seeds (three edges,
// two directions) at up to ten reset points, extends every trial into a
// chain of strips, and commits the chain with the best score.
#include <vector>

#include "geometry/strip_adjacency.h"

namespace tristrip {

struct StripSeed {
  int face = -1;
  int edge = -1;
  bool toV1 = false;  // the strip starts by walking the edge from v0 to v1
};

struct TriStrip {
  StripSeed seed;
  std::vector<int> faces;  // in strip order
  int stripNumber = 0;
  int trialNumber = -1;  // −1 once committed
};

class StripFinder {
 public:
  explicit StripFinder(StripAdjacency& adjacency);

  // Every face ends up in exactly one committed strip.
  std::vector<TriStrip> FindAllStrips(int samplesPerRound);

 private:
  using Experiment = std::vector<TriStrip>;

  int FindResetPoint();
  // The first face at or after `face` in no committed strip; the face count
  // when there is none.
  int NextUncommitted(int face);
  int FirstFaceWithTwoBorders() const;
  void AddExperiments(int face, std::vector<Experiment>& experiments);
  void Grow(Experiment& experiment);
  void Build(TriStrip& strip);
  void Extend(TriStrip& strip, int p, int q, int from, std::vector<int>& gathered);
  bool FindTraversal(const TriStrip& strip, StripSeed& next) const;
  bool SharesEdge(int face, const TriStrip& strip) const;
  void Commit(Experiment& winner, std::vector<TriStrip>& committed);

  bool IsMarked(int face, const TriStrip& strip) const;
  bool IsInStrip(int face, const TriStrip& strip) const;
  void Mark(int face, const TriStrip& strip);
  // Records the face's vertices as used by the strip being built; true when
  // all three already were (the strip would wrap onto itself).
  bool AllVerticesUsed(int face) const;
  void UseVertices(int face);

  StripAdjacency& adjacency_;
  std::vector<TriFace>& faces_;
  float resetStride_ = 0.0f;
  bool firstResetPending_ = true;
  int nextStripNumber_ = 0;
  int nextTrialNumber_ = 0;
  // Committing is final, so committed faces can be jumped over: each entry
  // points at or before the next face that may still be free.
  std::vector<int> skip_;
  std::vector<unsigned> vertexStamp_;
  unsigned stamp_ = 0;
};

// The face's first vertex (v0, v1, v2 order) that is neither p nor q; −1 with
// a diagnostic on standard output when there is none.
int GetNextIndex(int p, int q, const TriFace& face);

}  // namespace tristrip
