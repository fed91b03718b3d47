#include "render/vertex_pool.h"

#include "render/gl_table.h"

namespace {

// Prefer memory the driver considers cheapest to keep (priority 0.5), then
// settle for video memory (1.0).
void* allocateDriverMemory() {
  if (void* memory = gl.wglAllocateMemoryNV(VertexPool::kPoolBytes, 0.0f, 0.0f, 0.5f)) return memory;
  return gl.wglAllocateMemoryNV(VertexPool::kPoolBytes, 0.0f, 0.0f, 1.0f);
}

}  // namespace

std::unique_ptr<VertexPool> VertexPool::Create() {
  void* memory = allocateDriverMemory();
  if (memory == nullptr) return nullptr;
  std::unique_ptr<VertexPool> pool(new VertexPool(memory));
  gl.glVertexArrayRangeNV(kPoolBytes, memory);
  return pool;
}

VertexPool::VertexPool(void* base) : base_(static_cast<std::uint8_t*>(base)) {}

VertexPool::~VertexPool() {
  gl.glDisableClientState(GL_VERTEX_ARRAY_RANGE_NV);
  gl.wglFreeMemoryNV(base_);
}

void* VertexPool::Allocate(std::uint32_t bytes) {
  const std::uint64_t end = std::uint64_t{used_} + bytes;
  if (size_ < end) return nullptr;
  void* block = base_ + used_;
  // The next block starts past this one, on the following 32-byte boundary.
  used_ = static_cast<std::uint32_t>((end & ~std::uint64_t{31}) + 32);
  return block;
}

void VertexPool::EnableRange() {
  if (rangeEnabled_) return;
  gl.glEnableClientState(GL_VERTEX_ARRAY_RANGE_NV);
  rangeEnabled_ = true;
}
