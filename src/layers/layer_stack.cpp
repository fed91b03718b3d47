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
  for (Layer& layer : layers_) drawLayer(layer, showTime);
}

void LayerStack::drawLayer(Layer& layer, float showTime) {
  for (auto node = layer.begin(); node != layer.end();) {
    const float local = showTime - node->activationTime;
    Brush* brush = node->brush;
    if (brush->IsFinished(local) == 1) {
      if (brush->deleteWhenFinished) delete brush;
      node = layer.erase(node);
      continue;
    }
    brush->Draw(local);
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
