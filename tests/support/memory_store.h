#pragma once
// A store over bytes in memory, for tests and fuzzing of the encodings.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "persist/persistent_store.h"

namespace fake {

class MemoryStore : public persistent_store {
 public:
  MemoryStore() = default;
  explicit MemoryStore(std::vector<std::uint8_t> input) : bytes(std::move(input)) {}

  std::int32_t write(const void* data, std::size_t size, std::size_t count) override {
    const auto* p = static_cast<const std::uint8_t*>(data);
    bytes.insert(bytes.end(), p, p + size * count);
    return static_cast<std::int32_t>(count);
  }
  std::int32_t read(void* data, std::size_t size, std::size_t count) override {
    const std::size_t n = std::min(size * count, bytes.size() - position);
    if (n != 0) std::memcpy(data, bytes.data() + position, n);
    position += n;
    return static_cast<std::int32_t>(n / size);
  }

  std::vector<std::uint8_t> bytes;
  std::size_t position = 0;
};

}  // namespace fake
