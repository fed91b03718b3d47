#pragma once
// Driver-allocated memory for vertex arrays (NVIDIA vertex array range):
// one block of 12 MiB handed out front to back, never grown or reused.
#include <cstdint>
#include <memory>

class VertexPool {
 public:
  static constexpr std::uint32_t kPoolBytes = 0xC00000;

  // Null when the driver gives no memory at either priority.
  static std::unique_ptr<VertexPool> Create();
  ~VertexPool();
  VertexPool(const VertexPool&) = delete;
  VertexPool& operator=(const VertexPool&) = delete;

  // Null once fewer than `bytes` remain; blocks start on 32-byte boundaries.
  void* Allocate(std::uint32_t bytes);

  // The range stays enabled from the first array placed in the pool on.
  void EnableRange();

  std::uint8_t* base() const { return base_; }
  std::uint32_t size() const { return size_; }
  std::uint32_t used() const { return used_; }

 private:
  explicit VertexPool(void* base);

  std::uint8_t* base_;
  std::uint32_t size_ = kPoolBytes;
  std::uint32_t used_ = 0;
  bool rangeEnabled_ = false;
};
