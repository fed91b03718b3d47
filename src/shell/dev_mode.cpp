#include "shell/dev_mode.h"

#include <chrono>

#include "base/log.h"
#include "music/music.h"
#include "shell/show_preparation.h"
#include "shell/show_script.h"
#include "shell/showfile/show_files.h"

namespace shell {
namespace {

// Under demo/, which --watch watches anyway.
bool insideDataFolder(const std::string& file) {
  std::error_code error;
  const std::string folder = std::filesystem::weakly_canonical("demo", error).string() + "/";
  return std::filesystem::weakly_canonical(file, error).string().starts_with(folder);
}

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
  kst::log("Development mode: from %.2f s", options.start);
  if (!options.watch) return;
  watch_.emplace("demo");
  const std::shared_ptr<const PlayedShowFile> show = playedShowFile();
  if (show != nullptr && !insideDataFolder(show->path))
    showWatch_.emplace(std::filesystem::absolute(show->path).parent_path().string(), 0);
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
  if (message.kind != platform::MessageKind::KeyDown) return;
  const bool fine = message.shift && (message.key == platform::kKeyLeft || message.key == platform::kKeyRight);
  keepPressedKey(keys_, message.key + (fine ? platform::kShifted : 0), message.repeat);
}

// The keys of one frame make one move (a section, then ten seconds on, say):
// the show is moved once, to where they lead together.
float DevMode::applyKeys(float t) {
  const auto began = std::chrono::steady_clock::now();
  const DevState before{t, clock_.paused(), false, clock_.fps() ? 1.0 / *clock_.fps() : 1.0 / 60.0};
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
  // A save may be seen as several changes over a few frames: read once.
  if (showWatch_ && showWatch_->settled()) {
    showWatch_->readIn();
    if (showfile::playedShowChanged()) readAgain(t);
  }
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
  const auto began = std::chrono::steady_clock::now();
  notes_.readingStarts();
  const std::string show = readShowFileAgain();
  std::vector<std::string> changed;
  {
    SoundHold hold(clock_.paused());
    changed = readAgainAt(ShowClock(clock_.fps(), t), preloadChoice_, build_);
  }
  if (watch_) watch_->readIn();
  if (showWatch_) showWatch_->readIn();
  if (!show.empty()) changed.insert(changed.begin(), show);
  const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - began;
  notes_.readAgain(t, took.count(), changed);
}

// What became of the show file played: a save that reads is built from now
// on, and timed to the frame that shows it.
std::string DevMode::readShowFileAgain() {
  const showfile::ShowFileReadAgain show = showfile::readPlayedShowAgain();
  if (!show.changed) return "";
  if (show.errors > 0)
    return "the show file, which does not read (" + std::to_string(show.errors) +
           (show.errors == 1 ? " error" : " errors") + ", in the log): the show stays as it was";
  savedAt_ = show.saved;
  return "the show file";
}

void DevMode::drawNotes(float t) {
  if (savedAt_) {
    const std::chrono::duration<double, std::milli> took = std::filesystem::file_time_type::clock::now() - *savedAt_;
    notes_.savedShowShown(took.count());
    savedAt_.reset();
  }
  notes_.draw(t, clock_.paused());
}

void DevMode::setPaused(bool paused) {
  clock_.pause(paused);
  music::holdSound(paused);
}

}  // namespace shell
