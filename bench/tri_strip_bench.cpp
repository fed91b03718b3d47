// Vertex-cache ordering of grid meshes: our strip-based list output against
// meshoptimizer's meshopt_optimizeVertexCache on the same mesh, with the
// average cache miss ratio (misses per triangle) of a 16-entry FIFO for our
// output, the input order and meshoptimizer's output ("acmr" counters).
#include <benchmark/benchmark.h>
#include <meshoptimizer.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "geometry/tri_strip.h"

namespace {

constexpr int kFifoEntries = 16;

// Row-major grid of quads with about `triangles` triangles.
std::vector<std::uint16_t> Grid(int triangles) {
  int side = 1;
  while (2 * side * side < triangles) ++side;
  std::vector<std::uint16_t> indices;
  auto at = [side](int x, int y) { return static_cast<std::uint16_t>(y * (side + 1) + x); };
  for (int y = 0; y < side; ++y)
    for (int x = 0; x < side; ++x)
      indices.insert(indices.end(), {at(x, y), at(x, y + 1), at(x + 1, y), at(x + 1, y), at(x, y + 1), at(x + 1, y + 1)});
  return indices;
}

template <typename Index>
double FifoMissesPerTriangle(const std::vector<Index>& indices) {
  std::vector<int> fifo(kFifoEntries, -1);
  std::size_t front = 0, misses = 0;
  for (Index index : indices) {
    bool hit = false;
    for (int entry : fifo) hit = hit || entry == static_cast<int>(index);
    if (hit) continue;
    ++misses;
    front = (front + kFifoEntries - 1) % kFifoEntries;
    fifo[front] = static_cast<int>(index);
  }
  return static_cast<double>(misses) / static_cast<double>(indices.size() / 3);
}

void BM_StripListOrder(benchmark::State& state) {
  const std::vector<std::uint16_t> grid = Grid(static_cast<int>(state.range(0)));
  tristrip::SetListOutput(true);
  std::vector<tristrip::PrimitiveGroup> groups;
  for (auto _ : state) {
    groups = tristrip::Generate(grid);
    benchmark::DoNotOptimize(groups.data());
  }
  tristrip::SetListOutput(false);
  state.counters["triangles"] = static_cast<double>(grid.size() / 3);
  state.counters["acmr"] = FifoMissesPerTriangle(groups[0].indices);
  state.counters["acmr_input"] = FifoMissesPerTriangle(grid);
  state.SetComplexityN(static_cast<std::int64_t>(grid.size() / 3));
}
BENCHMARK(BM_StripListOrder)->Arg(25000)->Arg(100000)->Unit(benchmark::kMillisecond)->Complexity();

void BM_ReferenceMeshoptimizer(benchmark::State& state) {
  const std::vector<std::uint16_t> grid = Grid(static_cast<int>(state.range(0)));
  const std::vector<unsigned> input(grid.begin(), grid.end());
  std::vector<unsigned> output(input.size());
  const std::size_t vertexCount = *std::max_element(input.begin(), input.end()) + 1;
  for (auto _ : state) {
    meshopt_optimizeVertexCache(output.data(), input.data(), input.size(), vertexCount);
    benchmark::DoNotOptimize(output.data());
  }
  state.counters["triangles"] = static_cast<double>(input.size() / 3);
  state.counters["acmr"] = FifoMissesPerTriangle(output);
  state.SetComplexityN(static_cast<std::int64_t>(input.size() / 3));
}
BENCHMARK(BM_ReferenceMeshoptimizer)->Arg(25000)->Arg(100000)->Unit(benchmark::kMillisecond)->Complexity();

}  // namespace
