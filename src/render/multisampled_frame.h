#pragma once
// A multisampled frame drawn off the window: a framebuffer object with
// colour (destination alpha included), depth 24 and stencil 8, each of
// `samples` samples per pixel, at the drawable's size. The layers draw into
// it; resolved into the window's back buffer, it becomes the picture that
// screenshots and the capture read, the notes go over and the swap shows.
// A window's own multisampled pixel formats are not used: the software
// driver offers them but draws them without smoothing anything.
//
// Main thread, with the device's context current; destroyed while it still
// is (framebuffer objects belong to the context that made them).
#include <GL/gl.h>

#include <memory>

namespace kst {

class MultisampledFrame {
 public:
  // The nearest frame the driver offers to `samples` (at most its
  // GL_MAX_SAMPLES), of width x height pixels; null without framebuffer
  // objects, or when none can be made.
  static std::unique_ptr<MultisampledFrame> Make(int samples, int width, int height);
  ~MultisampledFrame();
  MultisampledFrame(const MultisampledFrame&) = delete;
  MultisampledFrame& operator=(const MultisampledFrame&) = delete;

  // Samples per pixel as the driver made them.
  int samples() const { return samples_; }
  // Binds the frame for drawing, made again first when the drawable is no
  // longer `width` x `height` (a window the user resized).
  void bind(int width, int height);
  // Resolves the frame into the window's back buffer, which stays bound.
  void resolve();

 private:
  explicit MultisampledFrame(int samples) : samples_(samples) {}
  bool allocate(int width, int height);
  void release();

  int samples_;
  int width_ = 0;
  int height_ = 0;
  GLuint framebuffer_ = 0;
  GLuint colour_ = 0;
  GLuint depthStencil_ = 0;
};

}  // namespace kst
