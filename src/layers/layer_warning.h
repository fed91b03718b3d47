#pragma once
// A layer whose resource is missing is a fault of the show script: the show
// goes on without that layer, and the log says so once for the layer rather
// than every frame.

namespace kst {

class LayerWarning {
 public:
  // Logs the printf-style line the first time only.
  void once(const char* format, ...) __attribute__((format(printf, 2, 3)));

 private:
  bool said_ = false;
};

}  // namespace kst
