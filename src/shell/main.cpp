// skyward: plays the show. Options exist for people and tests; without any
// the program behaves as it always has, start-up question included.
#include <CLI/CLI.hpp>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <regex>

#include "base/stop_request.h"
#include "base/stream_logger.h"
#include "platform/sdl_host.h"
#include "platform/stop_signals.h"
#include "shell/frame_options.h"
#include "shell/capture_parts.h"
#include "shell/part_capture.h"
#include "shell/part_join.h"
#include "shell/parts_follower.h"
#include "shell/show_preparation.h"
#include "shell/showfile/show_files.h"
#include "shell/show_script.h"
#include "shell/start_up.h"

namespace {

// Frame times are float seconds: up to here they still keep a 256th of a
// second, past it frames at the show's rates are no longer told apart (and
// the end tune only plays its loop again), so a later moment is a slip.
constexpr float kLatestMoment = 65536.0f;

// A show time: a finite number of seconds, zero or more, up to the latest
// moment.
std::optional<float> readSeconds(const std::string& text) {
  const char* begin = text.c_str();
  char* end = nullptr;
  errno = 0;
  const float seconds = std::strtof(begin, &end);
  if (end == begin || *end != '\0' || errno == ERANGE || !std::isfinite(seconds) || seconds < 0.0f ||
      seconds > kLatestMoment)
    return std::nullopt;
  return seconds;
}

std::string checkSeconds(std::string& text) {
  if (readSeconds(text)) return {};
  return "expected a number of seconds from 0 to 65536 (the latest moment frames tell apart), got '" + text + "'";
}

// The container comes from the name, so a name that gives none is a
// mistake of the command line, said before anything is shown.
std::string checkVideoName(std::string& text) {
  const std::string extension = std::filesystem::path(text).extension().string();
  return extension == ".mp4" || extension == ".mkv" ? std::string() : "expected a .mp4 or .mkv file, got '" + text + "'";
}

shell::Screenshot parseScreenshot(const std::string& text) {
  static const std::regex form(R"(^\s*([0-9]+(?:\.[0-9]*)?)=(.+)$)");
  std::smatch parts;
  std::optional<float> seconds;
  if (std::regex_match(text, parts, form)) seconds = readSeconds(parts[1].str());
  if (!seconds) throw CLI::ValidationError("--screenshot", "expected SECONDS=FILE.png, got '" + text + "'");
  return {*seconds, parts[2].str()};
}

// A show that would end before it begins is a mistake of the command line.
// A show may end where it begins (one frame), but a capture would hold none.
bool startsBeforeTheEnd(shell::ShowOptions options) {
  shell::settleCaptureDefaults(options);
  if (!options.until || options.start < *options.until || (!options.capture && options.start == *options.until)) return true;
  std::fprintf(stderr, "skyward: --start %g is not before the end at %g s\n", options.start,
               static_cast<double>(*options.until));
  return false;
}

// "K/N": part K of N, 1 <= K <= N.
std::optional<shell::CapturePart> readPart(const std::string& text) {
  static const std::regex form(R"(^([0-9]{1,5})/([0-9]{1,5})$)");
  std::smatch parts;
  if (!std::regex_match(text, parts, form)) return std::nullopt;
  const shell::CapturePart part{std::stoi(parts[1].str()), std::stoi(parts[2].str())};
  if (part.index < 1 || part.index > part.count) return std::nullopt;
  return part;
}

std::string checkPart(std::string& text) {
  return readPart(text) ? std::string() : "expected K/N, part K of N parts (1 <= K <= N), got '" + text + "'";
}

// The parts must cut the capture's frames as asked: a start on the frame
// grid, no more parts than frames.
bool partsCanBeCut(const shell::ShowOptions& options) {
  for (const auto& count : {options.part ? std::optional<int>(options.part->count) : std::nullopt,
                            options.missingParts, options.followParts, options.joinParts}) {
    if (!count) continue;
    try {
      shell::PartPlan plan(options, *count);
    } catch (const std::invalid_argument& error) {
      std::fprintf(stderr, "skyward: %s\n", error.what());
      return false;
    }
  }
  return true;
}

// A digit beyond the sections of the show played does nothing: a slip,
// refused. A key whose time comes after --until is never pressed: said.
bool devKeysFit(const shell::ShowOptions& options) {
  const std::size_t sections = shell::sectionStarts().size();
  for (const shell::ScriptedKey& pressed : options.devKeys) {
    if (pressed.key >= '1' && pressed.key <= '9' && static_cast<std::size_t>(pressed.key - '0') > sections) {
      std::fprintf(stderr, "skyward: --dev-keys: key %c does nothing: the show has %zu sections\n", pressed.key,
                   sections);
      return false;
    }
    if (options.until && pressed.time > *options.until)
      std::fprintf(stderr, "skyward: --dev-keys: the key at %g s comes after --until %g s and is never pressed\n",
                   static_cast<double>(pressed.time), static_cast<double>(*options.until));
  }
  return true;
}

struct CommandLine {
  shell::ShowOptions options;
  std::vector<std::string> shots;
  std::string logTarget;
  std::string devKeys;
  std::string part;
  std::string showFile;
  std::string writtenShow;
};

std::string checkDevKeys(std::string& text) {
  std::string error;
  shell::readScriptedKeys(text, error);
  return error;
}

void addDevOptions(CLI::App& app, CommandLine& line, CLI::Option* capture) {
  shell::ShowOptions& options = line.options;
  auto* dev = app.add_flag("--dev", options.dev,
                           "Development mode: Space pauses, Left/Right move 1 s (with Shift 0.1 s), comma/period a frame while "
                           "paused, Page Up/Down 10 s, Home to 0, 1-8 to a "
                           "section's start, F5 reads again the data files that changed; notes in a corner");
  dev->excludes(capture);
  app.add_flag("--watch", options.watch, "With --dev: a change of a file under demo/ reads the changed files again")
      ->needs(dev);
  app.add_option("--dev-keys", line.devKeys,
                 "With --dev: press KEY (Space, Left, Right, PageUp, PageDown, Home, F5, Escape, 0-9) once the show "
                 "time reaches TIME; while paused, the next key at each frame")
      ->check(CLI::Validator(checkDevKeys, "TIME:KEY,..."))
      ->type_name("TIME:KEY,...")
      ->needs(dev);
}

void addFrameOptions(CLI::App& app, shell::ShowOptions& options) {
  app.add_option_function<std::string>(
         "--size", [&options](const std::string& text) { shell::readFrameSize(text, options.size); },
         "The size of what is drawn (the window or full-screen mode, the headless surface, screenshots, the "
         "capture): WxH in pixels, or desktop for full screen at the desktop's own size without a change of "
         "display mode; the show's 4:3 picture as large as fits, with black bars. Default 800x600")
      ->check(CLI::Validator([](std::string& text) { shell::FrameSize unused; return shell::readFrameSize(text, unused); },
                             "WxH|desktop"))
      ->type_name("WxH|desktop");
  app.add_option("--msaa", options.samples,
                 "Multisampled frame with N samples per pixel (2, 4 or 8): smooth edges. Where the driver has no such "
                 "frame, the nearest it offers, with a warning")
      ->check(CLI::IsMember(shell::kSampleCounts))
      ->type_name("N");
}

// What the frame's size allows: a video's sides must be even, and the
// desktop's size is a display's, full screen.
bool frameSizeFits(const shell::ShowOptions& options) {
  const shell::FrameSize& size = options.size;
  const char* wrong = nullptr;
  if (size.desktop && (options.headless || options.windowed || options.capture))
    wrong = "desktop is full screen on a display: not with --headless, --windowed or --capture; give WxH";
  else if (options.capture && (size.width % 2 != 0 || size.height % 2 != 0))
    wrong = "a capture needs even sides (H.264 video in yuv420p)";
  if (wrong == nullptr) return true;
  if (size.desktop) std::fprintf(stderr, "skyward: --size desktop: %s\n", wrong);
  else std::fprintf(stderr, "skyward: --size %dx%d: %s\n", size.width, size.height, wrong);
  return false;
}

// A capture cut into parts: one part captured, the parts still to capture,
// their progress followed, the parts joined.
void addPartOptions(CLI::App& app, CommandLine& line, CLI::Option* capture) {
  shell::ShowOptions& options = line.options;
  auto* part = app.add_option("--part", line.part,
                              "With --capture: capture part K of N of its frames, pictures only, into FILE's parts "
                              "folder (FILE without its extension, then .parts)")
                   ->check(CLI::Validator(checkPart, "K/N"))
                   ->type_name("K/N")
                   ->needs(capture);
  auto* missing = app.add_option("--missing-parts", options.missingParts,
                                 "With --capture: print the numbers of the parts of N still to capture, one a line")
                      ->check(CLI::Range(1, 99999))
                      ->type_name("N")
                      ->needs(capture);
  auto* follow = app.add_option("--follow-parts", options.followParts,
                                "With --capture: read the progress of its N parts on standard input (a job runner's "
                                "output) and keep one line for the whole capture")
                     ->check(CLI::Range(1, 99999))
                     ->type_name("N")
                     ->needs(capture);
  auto* join = app.add_option("--join", options.joinParts,
                              "With --capture: join its N parts, pictures copied, under the show's sound, into FILE")
                   ->check(CLI::Range(1, 99999))
                   ->type_name("N")
                   ->needs(capture);
  const std::vector<CLI::Option*> tasks{part, missing, follow, join};
  for (CLI::Option* task : tasks)
    for (CLI::Option* other : tasks)
      if (task != other) task->excludes(other);
}

void addOptions(CLI::App& app, CommandLine& line) {
  shell::ShowOptions& options = line.options;
  auto* preload = app.add_flag_callback("--preload", [&] { options.preloadEverything = true; },
                                        "Answer the start-up question: load everything before the show");
  auto* stream = app.add_flag_callback("--stream", [&] { options.preloadEverything = false; },
                                       "Answer the start-up question: load scenes during the show");
  preload->excludes(stream);
  app.add_flag("--windowed", options.windowed,
               "Play in a window (800x600 unless --size says otherwise) that can be resized; leave the display "
               "mode alone");
  app.add_flag("--headless", options.headless,
               "No display needed: offscreen software GL, silent audio unless SDL_AUDIODRIVER names a driver, "
               "questions on the terminal");
  app.add_option("--start", options.start,
                 "Begin at SECONDS of show time: earlier events applied, loads finished, the music at that moment")
      ->check(CLI::Validator(checkSeconds, "SECONDS"))
      ->type_name("SECONDS");
  app.add_option("--until", options.until, "End normally once the show time reaches SECONDS (a capture: 245 unless given)")
      ->check(CLI::Validator(checkSeconds, "SECONDS"))
      ->type_name("SECONDS");
  app.add_option("--fps", options.fps, "Fixed-step clock: frame k is shown at time k/N (a capture: 60 unless given)")
      ->check(CLI::Range(1, 100000))
      ->type_name("N");
  auto* capture = app.add_option("--capture", options.capture,
                 "Write every frame and the sound into FILE (.mp4 or .mkv): H.264 at the frame's size (--size, even "
                 "sides) and AAC 44100 Hz stereo, played at a fixed step (--fps, default 60) up to --until (default "
                 "245)")
      ->check(CLI::Validator(checkVideoName, "FILE.mp4|FILE.mkv"))
      ->type_name("FILE");
  app.add_option("--crf", options.crf, "The capture's picture quality, 0 (lossless) to 51; lower is better")
      ->check(CLI::Range(0, 51))
      ->type_name("N")
      ->default_val(18);
  app.add_option("--log", line.logTarget, "Write the engine's log to FILE, or to standard error with -")
      ->type_name("FILE|-");
  app.add_option("--screenshot", line.shots,
                 "Save the first frame whose show time reaches SECONDS as a PNG of the frame's size (repeatable)")
      ->type_name("SECONDS=FILE.png");
  app.add_option("--frame-times", options.frameTimes,
                 "Finish each frame's drawing before its buffer swap, and write each frame's show time, wall time "
                 "and processor time (milliseconds, from one swap to the next) to FILE when the show ends, one line "
                 "per frame")
      ->type_name("FILE");
  app.add_flag("--list-events", options.listEvents,
               "Build the show without playing it or reading any of its data and print every event in firing "
               "order: time, kind, target");
  addFrameOptions(app, options);
  app.add_option("--show", line.showFile,
                 "Play the show file FILE instead of the built-in show (a file that does not read ends the program "
                 "with 2, every error said with its line and column)")
      ->type_name("FILE");
  app.add_option("--write-show", line.writtenShow,
                 "Write the show (the built-in one, or that of --show) as a show file FILE, and end")
      ->type_name("FILE");
  addDevOptions(app, line, capture);
  addPartOptions(app, line, capture);
  app.set_version_flag("--version", std::string("skyward ") + SKYWARD_VERSION);
  app.footer(
      "Keys: Escape (pressed or released) ends the show; with --dev also Space, Left, Right, Page Up, Page Down,\n"
      "Shift+Left, Shift+Right, comma, period, Home, 1-8 and F5.\n"
      "Exit codes: 0 question cancelled, events listed, show written, parts listed or followed, parts joined;\n"
      "1 normal end (a part: captured); 2 unreadable command line (or a --size larger than the OpenGL\n"
      "driver draws), show file that does not read or cannot be written;\n"
      "255 no window, display mode, OpenGL device, GL_ARB_multitexture, demo folder (make it with 'make data'),\n"
      "a capture or a part that failed, or a join that found a part missing or not whole.\n"
      "Configuration: ./Skyward.ini, section [Skyward], key Freq (refresh rate in Hz, default 60).");
}

int run(const shell::ShowOptions& options) {
  if (options.part) return shell::capturePart(options, shell::prepareShow);
  if (options.missingParts) return shell::listMissingParts(options);
  if (options.followParts) return shell::followParts(options, stdin);
  if (options.joinParts) return shell::joinParts(options);
  return shell::WinMain(options);
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{"Skyward: a real-time 3D audiovisual show. Escape ends it."};
  CommandLine line;
  addOptions(app, line);
  try {
    app.parse(argc, argv);
    for (const auto& shot : line.shots) line.options.screenshots.push_back(parseScreenshot(shot));
    std::string unused;
    if (!line.devKeys.empty()) line.options.devKeys = shell::readScriptedKeys(line.devKeys, unused);
    if (!line.part.empty()) line.options.part = readPart(line.part);
  } catch (const CLI::ParseError& error) {
    // --help and --version end here with 0; a command line that cannot be
    // read ends with 2, the usual code for a usage error.
    return app.exit(error) == 0 ? 0 : 2;
  }
  shell::ShowOptions& options = line.options;
  if (!startsBeforeTheEnd(options) || !frameSizeFits(options) || !partsCanBeCut(options)) return 2;
  // Only the parts' files and the show's sound: no window and no display.
  if (options.missingParts || options.followParts || options.joinParts) options.headless = true;
  if (options.listEvents) {
    options.headless = true;
    options.windowed = true;
    if (!options.preloadEverything) options.preloadEverything = true;
  }
  if (!line.logTarget.empty()) {
    const std::string failure = kst::logTo(line.logTarget);
    if (!failure.empty()) std::fprintf(stderr, "skyward: no log: cannot open %s: %s\n", line.logTarget.c_str(), failure.c_str());
  }
  // A listing reads no data: the scenes are not read for their cameras.
  if (!line.showFile.empty() && !shell::showfile::useShowFile(line.showFile, !options.listEvents)) return 2;
  if (!devKeysFit(options)) return 2;
  if (!line.writtenShow.empty()) return shell::showfile::writeShowFile(line.writtenShow);
  platform::catchStopSignals();
  if (options.headless) platform::useHeadlessDrivers();
  platform::SdlHost host(options.headless);
  platform::setHost(&host);
  int result = 1;
  try {
    result = run(options);
  } catch (const kst::StopAsked& stop) {
    // Where no show was being played (a listing, a join): nothing to restore.
    std::fprintf(stderr, "skyward: %s\n", stop.what());
  }
  platform::setHost(nullptr);
  return result;
}
