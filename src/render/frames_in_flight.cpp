#include "render/frames_in_flight.h"

#include <algorithm>

#include "base/log.h"
#include "render/gl_table.h"

namespace {

// A wait is cut into slices of a second, and given up after a minute: a
// fence that long unsignalled is taken for one the driver never signals
// (a frame of this show takes well under a second, the slowest seen on the
// software driver two minutes). The program then finishes every frame
// instead, which no broken fence can hold up.
constexpr GLuint64 kWaitSliceNanoseconds = 1'000'000'000;
constexpr int kWaitSlices = 60;

// False when the fence was not signalled within the slices.
bool waitFor(GLsync fence) {
  for (int slice = 0; slice < kWaitSlices; ++slice) {
    const GLenum state = gl.glClientWaitSync(fence, GL_SYNC_FLUSH_COMMANDS_BIT, kWaitSliceNanoseconds);
    if (state != GL_TIMEOUT_EXPIRED) return true;  // signalled, or the wait failed (nothing left to wait for)
  }
  return false;
}

}  // namespace

FramesInFlight::FramesInFlight(int limit) : limit_(std::max(limit, 1)) {}

FramesInFlight::~FramesInFlight() {
  for (GLsync fence : fences_) gl.glDeleteSync(fence);
}

void FramesInFlight::presented() {
  if (GLCapability(GLCap::ARB_sync) == 0 || fencesFailed_) {
    gl.glFinish();
    return;
  }
  GLsync fence = gl.glFenceSync(GL_SYNC_GPU_COMMANDS_COMPLETE, 0);
  if (fence == nullptr) {  // the driver could not make one: fall back on finishing the frame
    gl.glFinish();
    return;
  }
  fences_.push_back(fence);
  while (fences_.size() > static_cast<std::size_t>(limit_) && !fencesFailed_) {
    fencesFailed_ = !waitFor(fences_.front());
    gl.glDeleteSync(fences_.front());
    fences_.pop_front();
  }
  if (fencesFailed_)
    kst::log("** Warning: the driver did not finish a frame within %d s of its swap; every frame is finished "
             "after its swap from now on",
             kWaitSlices);
}
