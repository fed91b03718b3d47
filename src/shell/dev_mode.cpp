#include "shell/dev_mode.h"

#include <chrono>

#include "music/music.h"
#include "shell/show_preparation.h"

namespace shell {
namespace {

// Holds the sound while the show is moved; a paused show keeps it held.
class SoundHold {
 public:
  explicit SoundHold(bool keep) : keep_(keep) { music::holdSound(true); }
  ~SoundHold() {
    if (!keep_) music::holdSound(false);
  }

 private:
  bool keep_;
};

}  // namespace

DevMode::DevMode(const ShowOptions& options, ShowClock& clock, bool preloadChoice, ShowBuild build)
    : clock_(clock),
      headless_(options.headless),
      preloadChoice_(preloadChoice),
      build_(std::move(build)),
      shown_(static_cast<float>(options.start)),
      script_(options.devKeys.begin(), options.devKeys.end()) {
  clock_.seek(clock_.showStart());  // onto the grid, as a move lands
  keepUnloadedObjects(true);
  if (options.watch) watch_.emplace("demo");
}

DevMode::~DevMode() { keepUnloadedObjects(false); }

void DevMode::pressScriptedKeys(float t) {
  const bool paused = clock_.paused();
  if (script_.empty() || !(paused || t >= script_.front().time)) return;
  const float due = script_.front().time;
  do {
    platform::host().postMessage({platform::MessageKind::KeyDown, script_.front().key});
    script_.pop_front();
  } while (!paused && !script_.empty() && script_.front().time == due);
}

void DevMode::offer(const platform::Message& message) {
  if (message.kind == platform::MessageKind::KeyDown) keys_.push_back(message.key);
}

// The keys of one frame make one move (a section, then ten seconds on, say):
// the show is moved once, to where they lead together.
float DevMode::applyKeys(float t) {
  const auto began = std::chrono::steady_clock::now();
  const DevState before{t, clock_.paused()};
  DevState after = before;
  for (int key : keys_) after = pressDevKey(key, after);
  keys_.clear();
  if (after.reload) readAgain(t);
  if (after.time != before.time) {
    t = moveTo(after.time);
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - began;
    notes_.moved(t, took.count());
  }
  if (after.paused != before.paused) setPaused(after.paused);
  if (watch_ && watch_->settled()) readAgain(t);
  shown_ = t;
  return t;
}

// A move on fires the events in between; a move back builds the show again.
float DevMode::moveTo(double target) {
  clock_.seek(target);
  {
    SoundHold hold(clock_.paused());
    if (clock_.startTime() < shown_)
      rebuildShowAt(clock_, preloadChoice_, build_);
    else
      catchUpTo(clock_);
  }
  clock_.start();  // the time the move took is not the show's
  return clock_.now();
}

// Built again where it stands: what changed on disk is read again.
void DevMode::readAgain(float t) {
  std::vector<std::string> changed;
  {
    SoundHold hold(clock_.paused());
    changed = readAgainAt(ShowClock(clock_.fps(), t), preloadChoice_, build_);
  }
  if (watch_) watch_->readIn();
  notes_.readAgain(t, changed);
}

void DevMode::setPaused(bool paused) {
  clock_.pause(paused);
  music::holdSound(paused);
}

}  // namespace shell
