#pragma once
// What every section of the show script uses: keyed envelopes written the
// way the script reads (time:value, with the key's continuity, tension and
// bias when they are not 0), new layers with their level and duration,
// their activation, and the loads done while the show is built.
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "layers/brush.h"
#include "scene/envelope.h"

namespace shell::script {

struct Key {
  float time;
  float value;
  float continuity = 0.0f;
  float tension = 0.0f;
  float bias = 0.0f;
};

// Replaces the keys of `envelope` by `keys`, added in the order given.
void setKeys(Envelope& envelope, std::initializer_list<Key> keys);
// The same, with one behaviour before the first key and after the last.
void setKeys(Envelope& envelope, std::initializer_list<Key> keys, std::int32_t behaviour);
// A single key at time 0: the envelope is that value at every time.
void setConstant(Envelope& envelope, float value);

// A new layer on `level` that ends after `duration` seconds (0: never).
// Until its activation fires, only the activation event points at it.
template <typename Layer, typename... Arguments>
Layer& newLayer(std::int32_t level, float duration, Arguments&&... arguments) {
  auto* layer = new Layer(static_cast<Arguments&&>(arguments)...);
  layer->layer = level;
  layer->duration = duration;
  return *layer;
}

// An activation of `layer` at `time`, relative to the current section.
void activate(float time, kst::Brush& layer);

// Loads done at once while the show is built. A file that cannot be read is
// logged with the reason and left out: its layers draw nothing. While files
// are left alone (a show built only to be listed or written down), they
// read nothing.
void leaveFilesAlone(bool alone);
void loadBackdrop(const char* file);
void loadAlpha(const char* file);
void loadWithAlpha(const char* name, const char* colourFile, const char* alphaFile);
void loadObject(const char* file, int buildOption);
// A scene loaded before the show: read on a thread of its own while the
// build goes on, finished (uploaded, prepared) once the build is over.
void loadScene(const char* file);
// With background loading chosen, a background load `secondsBefore` the
// section starts; otherwise a load at once.
void loadSceneAhead(const char* file, bool background, float secondsBefore);

// One of the loads above, as a value: what a show file lists.
struct BuildLoad {
  enum class Kind { Backdrop, Alpha, WithAlpha, Object, Scene, SceneAhead };
  Kind kind = Kind::Backdrop;
  std::string file{};       // with alpha: the colour picture
  std::string name{};       // with alpha: the stock name
  std::string alphaFile{};  // with alpha
  int buildOption = 0;      // object
  float secondsBefore = 0;  // scene ahead
  bool operator==(const BuildLoad&) const = default;
};
void load(const BuildLoad& what, bool background);

// Where the current section starts: every time written after this call is
// relative to it.
void startSection(float start);

// What a show's timeline does not hold, for writing the show down: while a
// watcher is set, it is told of every load above and every section start,
// in the order made, files left alone or not.
class BuildWatcher {
 public:
  virtual ~BuildWatcher() = default;
  virtual void sectionStarts(float start) = 0;  // before the timeline's offset moves there
  virtual void loads(const BuildLoad& what) = 0;
};
void watchBuild(BuildWatcher* watcher);

}  // namespace shell::script
