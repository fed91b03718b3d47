#include "render/frames_in_flight.h"

#include <algorithm>

#include "render/gl_table.h"

namespace {

// Each wait is cut into slices so that a driver that never signals cannot
// hold the program without end in one call; it is asked again.
constexpr GLuint64 kWaitSliceNanoseconds = 1'000'000'000;

void waitFor(GLsync fence) {
  for (;;) {
    const GLenum state = gl.glClientWaitSync(fence, GL_SYNC_FLUSH_COMMANDS_BIT, kWaitSliceNanoseconds);
    if (state != GL_TIMEOUT_EXPIRED) return;  // signalled, or the wait failed (nothing left to wait for)
  }
}

}  // namespace

FramesInFlight::FramesInFlight(int limit) : limit_(std::max(limit, 1)) {}

FramesInFlight::~FramesInFlight() {
  for (GLsync fence : fences_) gl.glDeleteSync(fence);
}

void FramesInFlight::presented() {
  if (GLCapability(GLCap::ARB_sync) == 0) {
    gl.glFinish();
    return;
  }
  GLsync fence = gl.glFenceSync(GL_SYNC_GPU_COMMANDS_COMPLETE, 0);
  if (fence == nullptr) {  // the driver could not make one: fall back on finishing the frame
    gl.glFinish();
    return;
  }
  fences_.push_back(fence);
  while (fences_.size() > static_cast<std::size_t>(limit_)) {
    waitFor(fences_.front());
    gl.glDeleteSync(fences_.front());
    fences_.pop_front();
  }
}
