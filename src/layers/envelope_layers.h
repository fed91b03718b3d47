#pragma once
// Layers that draw nothing: while active they animate a value of another
// object with an envelope of their own, at their local time. Their layer
// number decides whether the layers that read the value in the same frame
// see this frame's value (drawn later) or the last frame's (drawn earlier).
// No GL call; the nine base parameters are not read. The last value
// written stays after the layer has gone.
#include <cstdint>
#include <string>

#include "layers/brush.h"
#include "layers/layer_warning.h"
#include "scene/envelope.h"

namespace kst {

// Writes its envelope's value into `target`, which must outlive the layer.
class BrushEnvelopeValue : public Brush {
 public:
  explicit BrushEnvelopeValue(float* target) : target(target) {}
  void Draw(float localTime) override;
  bool ReadsEarlierDepthOrStencil() const override { return false; }
  void Settle(float localTime) override { Draw(localTime); }

  Envelope value;
  float* target;
};

// Sets the near distance (the zoom: the view window keeps its size) of one
// camera of a scene of the scene stock. Until the scene's load has ended
// well it does nothing, without waiting; a camera index past the scene's
// cameras does nothing either, with one warning for the layer.
class BrushEnvelopeZoomFactor : public Brush {
 public:
  void Draw(float localTime) override;
  bool ReadsEarlierDepthOrStencil() const override { return false; }
  void Settle(float localTime) override { Draw(localTime); }

  std::string sceneName;
  std::int32_t cameraIndex = 0;
  Envelope zoom;

 private:
  LayerWarning warning_;
};

}  // namespace kst
