#include "timeline/brush_events.h"

#include "layers/layer_stack.h"

namespace kst {

void EvtActivateBrush::fire(float) { ActivateBrush(time, layer_); }

}  // namespace kst
