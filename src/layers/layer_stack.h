#pragma once
// The compositor: eight layers of active brushes, drawn every frame from
// layer 0 up, each layer in activation order, each brush with its local time.
// It issues no GL call itself; brushes set and restore their own state.
#include <array>
#include <list>

#include "layers/brush.h"

namespace kst {

class LayerStack {
 public:
  static constexpr int kLayerCount = 8;

  LayerStack() = default;
  // Frees the nodes only: brushes still listed at program exit are not deleted.
  ~LayerStack() = default;
  LayerStack(const LayerStack&) = delete;
  LayerStack& operator=(const LayerStack&) = delete;

  // Appends the brush to its layer; activationTime is the scheduled show time,
  // so a late activation still animates from the intended start. From here on
  // the stack owns the brush. A layer number outside 0..7, a null brush or a
  // brush already listed is refused with a warning (a second listing would be
  // deleted twice).
  void ActivateBrush(float activationTime, Brush* brush);

  // Draws every active brush; a brush whose lifetime is over is removed
  // instead of drawn (and deleted when its flag says so). Brushes whose
  // whole picture a later brush of the frame paints over are left out when
  // they only paint (see Brush::CoversFrame): the frame comes out the same.
  void DrawLayers(float showTime);

  // Deletes every listed brush and empties the layers.
  void ClearLayers();

  // Calls visit(layer number, activation time, brush) for every listed
  // brush, from layer 0 up, each layer in activation order.
  template <typename Visit>
  void forEachActive(Visit visit) const {
    for (int layer = 0; layer < kLayerCount; ++layer)
      for (const Node& node : layers_[layer]) visit(layer, node.activationTime, static_cast<const Brush&>(*node.brush));
  }
  template <typename Visit>
  void forEachActive(Visit visit) {
    for (int layer = 0; layer < kLayerCount; ++layer)
      for (Node& node : layers_[layer]) visit(layer, node.activationTime, *node.brush);
  }

 private:
  struct Node {
    float activationTime;
    Brush* brush;  // owned as described above, not by the node
  };
  using Layer = std::list<Node>;

  bool isListed(const Brush* brush) const;
  const Brush* coveringBrush(float showTime);
  void drawLayer(Layer& layer, float showTime, const Brush* cover, bool& covered);

  std::array<Layer, kLayerCount> layers_;
};

// The single layer stack of the program.
LayerStack& theLayerStack();

void ActivateBrush(float activationTime, Brush* brush);
void DrawLayers(float showTime);
void ClearLayers();

}  // namespace kst
