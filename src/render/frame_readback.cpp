#include "render/frame_readback.h"

#include <stdexcept>

namespace kst {
namespace {

bool bufferObjectsPresent() {
  return GLCapability(GLCap::ARB_vertex_buffer_object) != 0 && GLCapability(GLCap::ARB_pixel_buffer_object) != 0;
}

void readBackBuffer(int width, int height, void* target) {
  gl.glPixelStorei(GL_PACK_ALIGNMENT, 4);  // rows of 4-byte pixels: never padded
  gl.glReadBuffer(GL_BACK);
  gl.glReadPixels(0, 0, width, height, FrameReadback::BlueFirst() ? GL_BGRA : GL_RGBA, GL_UNSIGNED_BYTE, target);
}

}  // namespace

bool FrameReadback::BlueFirst() { return GLCapability(GLCap::EXT_bgra) != 0; }

FrameReadback::FrameReadback(int width, int height, int depth)
    : width_(width), height_(height), bytes_(static_cast<std::size_t>(width) * height * 4) {
  if (!bufferObjectsPresent() || depth < 2) {
    pixels_.resize(bytes_);
    return;
  }
  buffers_.resize(static_cast<std::size_t>(depth));
  gl.glGenBuffersARB(depth, buffers_.data());
  for (GLuint buffer : buffers_) {
    gl.glBindBufferARB(GL_PIXEL_PACK_BUFFER_ARB, buffer);
    gl.glBufferDataARB(GL_PIXEL_PACK_BUFFER_ARB, static_cast<GLsizeiptrARB>(bytes_), nullptr, GL_STREAM_READ_ARB);
  }
  gl.glBindBufferARB(GL_PIXEL_PACK_BUFFER_ARB, 0);
}

FrameReadback::~FrameReadback() {
  if (usesBuffers()) gl.glDeleteBuffersARB(static_cast<GLsizei>(buffers_.size()), buffers_.data());
}

void FrameReadback::read(const Consumer& consume) {
  if (!usesBuffers()) {
    readBackBuffer(width_, height_, pixels_.data());
    consume(pixels_);
    return;
  }
  // The slot about to be reused holds the oldest frame: out with it first.
  if (outstanding_ == buffers_.size()) {
    handOut(next_, consume);
    --outstanding_;
  }
  gl.glBindBufferARB(GL_PIXEL_PACK_BUFFER_ARB, buffers_[next_]);
  readBackBuffer(width_, height_, nullptr);  // an offset into the bound buffer
  gl.glBindBufferARB(GL_PIXEL_PACK_BUFFER_ARB, 0);
  next_ = (next_ + 1) % buffers_.size();
  ++outstanding_;
}

void FrameReadback::drain(const Consumer& consume) {
  for (; outstanding_ > 0; --outstanding_) {
    handOut((next_ + buffers_.size() - outstanding_) % buffers_.size(), consume);
  }
}

// The buffer is unmapped and unbound again even when the consumer throws.
void FrameReadback::handOut(std::size_t slot, const Consumer& consume) {
  struct Bound {
    explicit Bound(GLuint buffer) { gl.glBindBufferARB(GL_PIXEL_PACK_BUFFER_ARB, buffer); }
    ~Bound() {
      if (mapped != nullptr) gl.glUnmapBufferARB(GL_PIXEL_PACK_BUFFER_ARB);
      gl.glBindBufferARB(GL_PIXEL_PACK_BUFFER_ARB, 0);
    }
    const void* mapped = nullptr;
  } bound(buffers_[slot]);
  bound.mapped = gl.glMapBufferARB(GL_PIXEL_PACK_BUFFER_ARB, GL_READ_ONLY_ARB);
  if (bound.mapped == nullptr) throw std::runtime_error("the driver could not map a read-back frame");
  consume(std::span(static_cast<const std::uint8_t*>(bound.mapped), bytes_));
}

}  // namespace kst
