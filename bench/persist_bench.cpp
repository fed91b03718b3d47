// Reading a compressed stream of object records against decompressing the
// same file with BZ2_bzRead alone: what the store, the varints, the
// registry lookup and the object construction add to the bzip2 stage.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <random>
#include <vector>

#include "../tests/support/persist_samples.h"
#include "bzip2_reference.h"
#include "persist/object_record.h"
#include "persist/persistent_file.h"

namespace {

constexpr int kRecords = 200000;

// Values shaped like scene data: smooth coordinates, small index steps.
void fillRecord(sample::Leaf& leaf, std::mt19937& random, int i) {
  std::uniform_real_distribution<float> unit(-1.0f, 1.0f);
  leaf.byte = static_cast<std::uint8_t>(i);
  leaf.flag = (i & 1) != 0;
  leaf.shortValue = static_cast<std::int16_t>(i % 1000);
  leaf.word = static_cast<std::uint32_t>(i) * 2654435761u;
  leaf.number = unit(random);
  leaf.count = static_cast<std::uint32_t>(i % 5000);
  leaf.label = "surface" + std::to_string(i % 97);
  leaf.uv = {unit(random), unit(random)};
  leaf.position = {unit(random) * 100, unit(random) * 100, unit(random) * 100};
  leaf.colour = {0.5f, unit(random), 0.25f, 1.0f};
  for (std::size_t k = 0; k < 16; ++k) leaf.matrix[k] = (k % 5 == 0) ? 1.0f : unit(random) * 0.01f;
  leaf.box = {};
  leaf.box.grow(leaf.position);
  leaf.box.grow({leaf.position[0] + 1, leaf.position[1] + 2, leaf.position[2] + 3});
  leaf.indices16.resize(24);
  for (std::size_t k = 0; k < leaf.indices16.size(); ++k) leaf.indices16[k] = static_cast<std::uint16_t>(k * 3 + random() % 4);
  leaf.indices32.resize(8);
  for (std::size_t k = 0; k < leaf.indices32.size(); ++k) leaf.indices32[k] = static_cast<std::uint32_t>(i + k * 7);
}

const std::string& benchFile() {
  static const std::string path = [] {
    const auto file = std::filesystem::temp_directory_path() / "skyward_persist_bench.kst";
    FILE* out = std::fopen(file.c_str(), "wb");
    persistent_file store(out, persistent_file::Writing, true);
    std::mt19937 random(7);
    sample::Leaf leaf;
    for (int i = 0; i < kRecords; ++i) {
      fillRecord(leaf, random, i);
      writeRecord(leaf, store);
    }
    store.close();
    return file.string();
  }();
  return path;
}

void BM_ReadRecords(benchmark::State& state) {
  const std::string& path = benchFile();
  std::vector<std::unique_ptr<sample::Leaf>> objects;
  objects.reserve(kRecords);
  std::uint64_t bytes = 0;
  for (auto _ : state) {
    FILE* in = std::fopen(path.c_str(), "rb");
    {
      persistent_file store(in, persistent_file::Reading, true);
      for (int i = 0; i < kRecords; ++i) objects.push_back(store.adopt<sample::Leaf>(readRecord(store)));
      bytes = store.bytesRead();
      state.PauseTiming();
    }
    objects.clear();
    state.ResumeTiming();
  }
  state.counters["decompressed_MB"] = static_cast<double>(bytes) / 1e6;
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
}
BENCHMARK(BM_ReadRecords)->Unit(benchmark::kMillisecond);

// Reference: the bare bzip2 stage over the same file, in large reads.
void BM_Bzip2ReadAlone(benchmark::State& state) { bench::measureDecompression(state, benchFile()); }
BENCHMARK(BM_Bzip2ReadAlone)->Unit(benchmark::kMillisecond);

}  // namespace
