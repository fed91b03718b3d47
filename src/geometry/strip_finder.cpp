#include "geometry/strip_finder.h"

#include <algorithm>
#include <cstdio>

namespace tristrip {

namespace {

bool Outside(int v, int p, int q) { return v != p && v != q; }

}  // namespace

int GetNextIndex(int p, int q, const TriFace& face) {
  const int corners[3] = {face.v0, face.v1, face.v2};
  for (int i = 0; i < 3; ++i) {
    if (!Outside(corners[i], p, q)) continue;
    if (Outside(corners[(i + 1) % 3], p, q) || Outside(corners[(i + 2) % 3], p, q)) {
      std::fputs("GetNextIndex: Triangle doesn't have all of its vertices\n", stdout);
      std::fputs("GetNextIndex: Duplicate triangle probably got us derailed\n", stdout);
    }
    return corners[i];
  }
  std::fputs("GetNextIndex: Duplicate triangle sent\n", stdout);
  return -1;
}

StripFinder::StripFinder(StripAdjacency& adjacency)
    : adjacency_(adjacency), faces_(adjacency.faces), skip_(faces_.size()), vertexStamp_(adjacency.vertexCount(), 0) {
  for (std::size_t f = 0; f < skip_.size(); ++f) skip_[f] = static_cast<int>(f) + 1;
}

std::vector<TriStrip> StripFinder::FindAllStrips(int samplesPerRound) {
  std::vector<TriStrip> committed;
  bool lastRound = false;
  while (!lastRound) {
    std::vector<Experiment> experiments;
    std::vector<int> seeds;
    for (int sample = 0; sample < samplesPerRound; ++sample) {
      const int face = FindResetPoint();
      if (face < 0) {
        lastRound = true;
        break;
      }
      if (std::find(seeds.begin(), seeds.end(), face) != seeds.end()) continue;
      seeds.push_back(face);
      AddExperiments(face, experiments);
    }
    for (Experiment& experiment : experiments) Grow(experiment);

    Experiment* winner = nullptr;
    float bestValue = 0.0f;
    for (Experiment& experiment : experiments) {
      std::size_t faceCount = 0;
      for (const TriStrip& strip : experiment) faceCount += strip.faces.size();
      const float stripCount = static_cast<float>(experiment.size());
      const float average = static_cast<float>(faceCount) / stripCount;
      const float value = average + average * stripCount;
      if (value > bestValue) {
        bestValue = value;
        winner = &experiment;
      }
    }
    if (winner != nullptr) Commit(*winner, committed);
  }
  return committed;
}

int StripFinder::FirstFaceWithTwoBorders() const {
  for (int f = 0; f < static_cast<int>(faces_.size()); ++f)
    if (adjacency_.NeighbourCount(f) <= 1) return f;
  return -1;
}

int StripFinder::FindResetPoint() {
  const int faceCount = static_cast<int>(faces_.size());
  int start = -1;
  if (firstResetPending_) {
    firstResetPending_ = false;
    start = FirstFaceWithTwoBorders();
  }
  if (start < 0) start = static_cast<int>(static_cast<float>(faceCount - 1) * resetStride_);
  resetStride_ += 0.1f;
  if (resetStride_ > 1.0f) resetStride_ = 0.05f;
  if (faceCount == 0) return -1;
  // The first free face from the start on, wrapping round once.
  const int after = NextUncommitted(start);
  if (after < faceCount) return after;
  const int before = NextUncommitted(0);
  return before < start ? before : -1;
}

int StripFinder::NextUncommitted(int face) {
  const int faceCount = static_cast<int>(faces_.size());
  int free = face;
  while (free < faceCount && faces_[free].stripNumber >= 0) free = skip_[free];
  // Shorten the path walked, so later searches jump straight there.
  while (face < free) {
    const int next = skip_[face];
    skip_[face] = free;
    face = next;
  }
  return free;
}

void StripFinder::AddExperiments(int face, std::vector<Experiment>& experiments) {
  const TriFace& f = faces_[face];
  const int sides[3][2] = {{f.v0, f.v1}, {f.v1, f.v2}, {f.v2, f.v0}};
  for (const auto& side : sides)
    for (bool toV1 : {true, false}) {
      TriStrip strip{{face, adjacency_.FindEdge(side[0], side[1]), toV1}, {}, nextStripNumber_++, nextTrialNumber_++};
      experiments.push_back({std::move(strip)});
    }
}

void StripFinder::Grow(Experiment& experiment) {
  Build(experiment.front());
  StripSeed next;
  while (FindTraversal(experiment.back(), next)) {
    experiment.push_back({next, {}, nextStripNumber_++, experiment.front().trialNumber});
    Build(experiment.back());
  }
}

void StripFinder::Build(TriStrip& strip) {
  const TriEdge& edge = adjacency_.edges[strip.seed.edge];
  const int a = strip.seed.toV1 ? edge.v0 : edge.v1;
  const int b = strip.seed.toV1 ? edge.v1 : edge.v0;
  const int seed = strip.seed.face;
  const int c = GetNextIndex(a, b, faces_[seed]);
  ++stamp_;
  std::vector<int> forward{seed};
  Mark(seed, strip);
  UseVertices(seed);
  Extend(strip, b, c, seed, forward);
  std::vector<int> backward;
  Extend(strip, b, a, seed, backward);
  strip.faces.assign(backward.rbegin(), backward.rend());
  strip.faces.insert(strip.faces.end(), forward.begin(), forward.end());
}

// Walks across the edge (p, q) of the last face again and again, keeping
// the last two indices of the strip's index sequence in p and q.
void StripFinder::Extend(TriStrip& strip, int p, int q, int from, std::vector<int>& gathered) {
  int next = adjacency_.OtherFace(p, q, from);
  while (next >= 0 && !IsMarked(next, strip) && !AllVerticesUsed(next)) {
    gathered.push_back(next);
    Mark(next, strip);
    UseVertices(next);
    const int r = GetNextIndex(p, q, faces_[next]);
    p = q;
    q = r;
    next = adjacency_.OtherFace(p, q, next);
  }
}

bool StripFinder::FindTraversal(const TriStrip& strip, StripSeed& next) const {
  const TriEdge& seedEdge = adjacency_.edges[strip.seed.edge];
  const int v = strip.seed.toV1 ? seedEdge.v1 : seedEdge.v0;
  if (v < 0) return false;
  for (int e = adjacency_.FirstEdge(v); e >= 0; e = adjacency_.NextEdge(e, v)) {
    const TriEdge& edge = adjacency_.edges[e];
    const bool hasBoth = edge.firstFace >= 0 && edge.secondFace >= 0;
    int face = -1;
    if (hasBoth && !IsInStrip(edge.firstFace, strip) && !IsMarked(edge.secondFace, strip))
      face = edge.secondFace;
    else if (hasBoth && !IsInStrip(edge.secondFace, strip) && !IsMarked(edge.firstFace, strip))
      face = edge.firstFace;
    if (face < 0) continue;
    next = {face, e, SharesEdge(face, strip) ? edge.v0 == v : edge.v1 == v};
    return true;
  }
  return false;
}

bool StripFinder::SharesEdge(int face, const TriStrip& strip) const {
  const TriFace& f = faces_[face];
  const int sides[3][2] = {{f.v0, f.v1}, {f.v1, f.v2}, {f.v2, f.v0}};
  return std::any_of(std::begin(sides), std::end(sides), [&](const int* side) {
    const int other = adjacency_.OtherFace(side[0], side[1], face);
    return other >= 0 && IsInStrip(other, strip);
  });
}

void StripFinder::Commit(Experiment& winner, std::vector<TriStrip>& committed) {
  for (TriStrip& strip : winner) {
    strip.trialNumber = -1;
    for (int face : strip.faces) Mark(face, strip);
    committed.push_back(std::move(strip));
  }
}

bool StripFinder::IsMarked(int face, const TriStrip& strip) const {
  const TriFace& f = faces_[face];
  return f.stripNumber >= 0 || (strip.trialNumber >= 0 && f.trialNumber == strip.trialNumber);
}

bool StripFinder::IsInStrip(int face, const TriStrip& strip) const {
  const TriFace& f = faces_[face];
  return (strip.trialNumber >= 0 ? f.trialStripNumber : f.stripNumber) == strip.stripNumber;
}

void StripFinder::Mark(int face, const TriStrip& strip) {
  TriFace& f = faces_[face];
  if (strip.trialNumber >= 0) {
    f.trialNumber = strip.trialNumber;
    f.trialStripNumber = strip.stripNumber;
  } else {
    f.trialNumber = -1;
    f.stripNumber = strip.stripNumber;
  }
}

bool StripFinder::AllVerticesUsed(int face) const {
  const TriFace& f = faces_[face];
  return vertexStamp_[f.v0] == stamp_ && vertexStamp_[f.v1] == stamp_ && vertexStamp_[f.v2] == stamp_;
}

void StripFinder::UseVertices(int face) {
  const TriFace& f = faces_[face];
  vertexStamp_[f.v0] = vertexStamp_[f.v1] = vertexStamp_[f.v2] = stamp_;
}

}  // namespace tristrip
