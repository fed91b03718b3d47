#include "render/multisampled_frame.h"

#include <algorithm>
#include <tuple>

#include "render/gl_table.h"

namespace kst {

std::unique_ptr<MultisampledFrame> MultisampledFrame::Make(int samples, int width, int height) {
  if (samples <= 0 || GLCapability(GLCap::ARB_framebuffer_object) == 0) return nullptr;
  GLint largest = 0;
  gl.glGetIntegerv(GL_MAX_SAMPLES, &largest);
  if (largest < 2) return nullptr;
  std::unique_ptr<MultisampledFrame> frame(new MultisampledFrame(std::min<int>(samples, largest)));
  if (!frame->allocate(width, height)) return nullptr;
  return frame;
}

MultisampledFrame::~MultisampledFrame() { release(); }

// Colour, depth and stencil start cleared: the first picture drawn without
// a clear (the loading picture) finds no stale memory.
bool MultisampledFrame::allocate(int width, int height) {
  release();
  width_ = width;
  height_ = height;
  gl.glGenFramebuffers(1, &framebuffer_);
  gl.glGenRenderbuffers(1, &colour_);
  gl.glGenRenderbuffers(1, &depthStencil_);
  gl.glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
  for (auto [buffer, format, attachment] : {std::tuple{colour_, GL_RGBA8, GL_COLOR_ATTACHMENT0},
                                            std::tuple{depthStencil_, GL_DEPTH24_STENCIL8, GL_DEPTH_STENCIL_ATTACHMENT}}) {
    gl.glBindRenderbuffer(GL_RENDERBUFFER, buffer);
    gl.glRenderbufferStorageMultisample(GL_RENDERBUFFER, samples_, format, width, height);
    gl.glFramebufferRenderbuffer(GL_FRAMEBUFFER, attachment, GL_RENDERBUFFER, buffer);
  }
  // The driver may make more samples than asked: what it made counts.
  gl.glBindRenderbuffer(GL_RENDERBUFFER, colour_);
  gl.glGetRenderbufferParameteriv(GL_RENDERBUFFER, GL_RENDERBUFFER_SAMPLES, &samples_);
  const bool complete = gl.glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
  if (complete) gl.glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
  gl.glBindFramebuffer(GL_FRAMEBUFFER, 0);
  return complete;
}

void MultisampledFrame::release() {
  if (framebuffer_ == 0) return;
  gl.glDeleteFramebuffers(1, &framebuffer_);
  gl.glDeleteRenderbuffers(1, &colour_);
  gl.glDeleteRenderbuffers(1, &depthStencil_);
  framebuffer_ = colour_ = depthStencil_ = 0;
}

void MultisampledFrame::bind(int width, int height) {
  if (width != width_ || height != height_) allocate(width, height);
  gl.glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
}

void MultisampledFrame::resolve() {
  gl.glBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer_);
  gl.glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
  gl.glBlitFramebuffer(0, 0, width_, height_, 0, 0, width_, height_, GL_COLOR_BUFFER_BIT, GL_NEAREST);
  gl.glBindFramebuffer(GL_FRAMEBUFFER, 0);
}

}  // namespace kst
