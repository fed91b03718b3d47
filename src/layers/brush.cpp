#include "layers/brush.h"

namespace kst {

Brush::Brush() {
  for (int colour : {kRed, kGreen, kBlue, kAlpha}) parameters[colour].defaultValue = 1.0f;
}

int Brush::IsFinished(float localTime) { return duration != 0.0f && duration <= localTime ? 1 : 0; }

void Brush::EvaluateParameters(float localTime, std::span<float, kParameterCount> out) const {
  for (int i = 0; i < kParameterCount; ++i) out[i] = evaluateEnvelope(parameters[i], localTime);
}

}  // namespace kst
