#pragma once
// Reading drawn frames back without making the renderer wait for them.
//
// Each frame is read from the back buffer into the next of `depth` pixel
// buffer objects; a buffer is mapped only when its turn comes round again,
// depth frames later, long after the driver finished copying into it,
// so reading frame k does not stall the drawing of frame k + 1. Without
// buffer objects (either extension missing) every frame is read at once
// with glReadPixels into memory of its own.
//
// Pixels handed out: four bytes a pixel, blue first where the driver takes
// GL_EXT_bgra (the order it keeps them in, so reading is a straight copy),
// else red first (see BlueFirst); width * 4 bytes per row with no padding,
// the bottom row first (GL's order). The bytes belong to
// the reader and are valid only during the call that hands them out.
// Needs the context current for every call, the destructor included.
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "render/gl_table.h"

namespace kst {

class FrameReadback {
 public:
  using Consumer = std::function<void(std::span<const std::uint8_t> pixelsBottomUp)>;

  FrameReadback(int width, int height, int depth = 3);
  ~FrameReadback();
  FrameReadback(const FrameReadback&) = delete;
  FrameReadback& operator=(const FrameReadback&) = delete;

  // Starts reading the frame just drawn; once depth frames are outstanding
  // the oldest goes to `consume`. Throws std::runtime_error when the driver
  // cannot map a buffer (the frame would be lost).
  void read(const Consumer& consume);
  // Every outstanding frame to `consume`, oldest first.
  void drain(const Consumer& consume);

  bool usesBuffers() const { return !buffers_.empty(); }
  // Whether frames come blue first (BGRA) rather than red first (RGBA).
  static bool BlueFirst();

 private:
  void handOut(std::size_t slot, const Consumer& consume);

  int width_;
  int height_;
  std::size_t bytes_;
  std::vector<GLuint> buffers_;  // empty without buffer objects
  std::vector<std::uint8_t> pixels_;  // the direct read's memory
  std::size_t next_ = 0;         // the slot the next frame is read into
  std::size_t outstanding_ = 0;  // frames read but not yet handed out
};

}  // namespace kst
