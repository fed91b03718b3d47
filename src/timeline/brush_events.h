#pragma once
// Putting a layer on screen at its time.
#include "layers/brush.h"
#include "timeline/timeline.h"

namespace kst {

// Hands the brush to the layer stack. The activation time is the event's own
// scheduled time, not the time of the frame that fired it, so a late frame
// does not shift the layer's animation. The event does not own the brush;
// once fired, the layer stack does.
class EvtActivateBrush : public TimeLineEvent {
 public:
  EvtActivateBrush(float time, Brush* layer) : TimeLineEvent(time), layer_(layer) {}
  void fire(float t) override;

  Brush* layer() const { return layer_; }

 private:
  Brush* layer_;
};

}  // namespace kst
