#include "layers/layer_stack.h"

#include <algorithm>

#include "base/log.h"

namespace kst {

LayerStack& theLayerStack() {
  static LayerStack stack;
  return stack;
}

void ActivateBrush(float activationTime, Brush* brush) { theLayerStack().ActivateBrush(activationTime, brush); }
void DrawLayers(float showTime) { theLayerStack().DrawLayers(showTime); }
void ClearLayers() { theLayerStack().ClearLayers(); }

void LayerStack::ActivateBrush(float activationTime, Brush* brush) {
  if (brush == nullptr) return log("** Warning: no brush to activate\n");
  if (brush->layer < 0 || brush->layer >= kLayerCount) {
    return log("** Warning: brush not activated: layer number %d is outside 0 to 7\n", brush->layer);
  }
  if (isListed(brush)) return log("** Warning: brush not activated: it is already active\n");
  layers_[brush->layer].push_back(Node{activationTime, brush});
}

bool LayerStack::isListed(const Brush* brush) const {
  return std::ranges::any_of(layers_, [brush](const Layer& layer) {
    return std::ranges::any_of(layer, [brush](const Node& node) { return node.brush == brush; });
  });
}

void LayerStack::DrawLayers(float showTime) {
  const Brush* cover = coveringBrush(showTime);
  bool covered = cover != nullptr;
  for (Layer& layer : layers_) drawLayer(layer, showTime, cover, covered);
}

// The last brush of the frame that paints the whole frame over what was
// drawn before it, provided no brush drawn after it reads the depth or
// stencil values that brushes before it left: those brushes' pixels are then
// never seen.
const Brush* LayerStack::coveringBrush(float showTime) {
  bool laterReads = false;
  for (auto layer = layers_.rbegin(); layer != layers_.rend(); ++layer)
    for (auto node = layer->rbegin(); node != layer->rend(); ++node) {
      const float local = showTime - node->activationTime;
      if (node->brush->IsFinished(local) == 1) continue;  // not drawn this frame
      if (!laterReads && node->brush->CoversFrame(local)) return node->brush;
      laterReads = laterReads || node->brush->ReadsEarlierDepthOrStencil();
    }
  return nullptr;
}

// Brushes before `cover` that only paint are left out; whatever else they
// do (envelope layers write values) still happens. `covered` turns false at
// the covering brush.
void LayerStack::drawLayer(Layer& layer, float showTime, const Brush* cover, bool& covered) {
  for (auto node = layer.begin(); node != layer.end();) {
    const float local = showTime - node->activationTime;
    Brush* brush = node->brush;
    if (brush->IsFinished(local) == 1) {
      if (brush->deleteWhenFinished) delete brush;
      node = layer.erase(node);
      continue;
    }
    if (brush == cover) covered = false;
    if (!covered || !brush->OnlyPaints()) brush->Draw(local);
    ++node;
  }
}

void LayerStack::ClearLayers() {
  for (Layer& layer : layers_) {
    for (Node& node : layer) delete node.brush;
    layer.clear();
  }
}

}  // namespace kst
