#pragma once
// The base of everything drawn on screen. A brush draws itself with its own
// local time (seconds since its activation), animates its nine parameters
// with envelopes and lives on one of the eight layers until its duration is
// over.
//
// A brush finds the frame's GL state and leaves it so, but for what its
// own header names: back faces culled, clockwise fronts, depth test
// GL_LEQUAL (all three set anew by the frame loop), depth and colour writes
// on; blending, the stencil and alpha tests, fog and lighting off;
// texturing off; the viewport over the whole frame. The functions of
// blending and of the stencil test are not part of it: a brush that turns
// either on sets its function first, and leaves it as it set it.
#include <array>
#include <cstdint>
#include <span>

#include "scene/envelope.h"

namespace kst {

class Brush {
 public:
  static constexpr int kParameterCount = 9;
  // Meaning of the parameters, by index, as the drawing layers read them.
  enum Parameter : int { kX = 0, kY, kWidth, kHeight, kRed, kGreen, kBlue, kAlpha, kExtra };

  Brush();
  virtual ~Brush() = default;
  Brush(const Brush&) = delete;
  Brush& operator=(const Brush&) = delete;

  virtual void Draw(float localTime) = 0;
  // 1 once a non-zero duration has run out, else 0. A duration of 0 never ends.
  virtual int IsFinished(float localTime);
  // What the layer leaves behind in other objects, brought about without
  // drawing: a show that starts after the layer's end calls it with the
  // local time of the last frame the layer would have drawn. Most layers
  // leave nothing behind.
  virtual void Settle(float /*localTime*/) {}

  // What the layer stack may know of a brush without drawing it, so that it
  // can leave out the brushes of a frame whose picture a later brush paints
  // over entirely. None of these makes a GL call.
  //
  // True when Draw, at this local time, paints every pixel of the frame over
  // whatever earlier brushes drew: no blending, the whole frame, no depth or
  // stencil test, and the GL state it leaves does not depend on theirs.
  virtual bool CoversFrame(float /*localTime*/) const { return false; }
  // True when all that Draw does is paint (colour, depth, stencil) and
  // restore the frame's state (but for what its header names, which later
  // brushes set for themselves): leaving it out of a frame changes nothing
  // but that frame's pixels, and no later frame.
  virtual bool OnlyPaints() const { return false; }
  // True when Draw reads depth or stencil values that brushes drawn before
  // it left in the frame.
  virtual bool ReadsEarlierDepthOrStencil() const { return true; }

  // Evaluates every parameter envelope at the local time, in index order.
  void EvaluateParameters(float localTime, std::span<float, kParameterCount> out) const;

  std::array<Envelope, kParameterCount> parameters;  // colour ones default to 1
  std::int32_t layer = 0;                              // 0 (drawn first) to 7
  float duration = 0.0f;                               // seconds; 0 = forever
  bool deleteWhenFinished = true;
  bool visible = true;
};

}  // namespace kst
