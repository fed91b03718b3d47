#include "layers/envelope_layers.h"

namespace kst {

void BrushEnvelopeValue::Draw(float localTime) {
  if (target != nullptr) *target = evaluateEnvelope(value, localTime);
}

}  // namespace kst
