#pragma once
// The reference of every loading benchmark: the bare bzip2 stage over a
// scene-like file, in large reads, with nothing done with the bytes.
#include <benchmark/benchmark.h>
#include <bzlib.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace bench {

// Decompressed bytes.
inline std::uint64_t decompressAlone(const std::string& path, std::vector<char>& buffer) {
  FILE* in = std::fopen(path.c_str(), "rb");
  if (in == nullptr) return 0;
  int error = BZ_OK;
  BZFILE* stream = BZ2_bzReadOpen(&error, in, 0, 0, nullptr, 0);
  std::uint64_t bytes = 0;
  while (error == BZ_OK)
    bytes += static_cast<std::uint64_t>(BZ2_bzRead(&error, stream, buffer.data(), static_cast<int>(buffer.size())));
  BZ2_bzReadClose(&error, stream);
  std::fclose(in);
  return bytes;
}

// The body of a reference benchmark over `path`.
inline void measureDecompression(benchmark::State& state, const std::string& path) {
  std::vector<char> buffer(64 * 1024);
  std::uint64_t bytes = 0;
  for (auto _ : state) {
    bytes = decompressAlone(path, buffer);
    benchmark::DoNotOptimize(buffer.data());
  }
  state.counters["decompressed_MB"] = static_cast<double>(bytes) / 1e6;
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
}

}  // namespace bench
