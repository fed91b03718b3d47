// The program as a user of an X11 desktop meets it: run under a virtual X
// server (Xvfb) with an 800x600 screen, its boxes read back from the screen
// and answered with a key, as a person would.
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <climits>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "support/picture_files.h"
#include "support/show_folder.h"

// Last: Xlib's macros (None, Bool, Status) would break the headers above.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

extern char** environ;

namespace {

using namespace std::chrono_literals;

// A process in a group of its own, ended with its whole group: SDL shows its
// X11 boxes from a child process, which must not outlive the test.
class Process {
 public:
  Process(std::vector<std::string> arguments, const std::vector<std::string>& extraEnvironment) {
    std::vector<std::string> environment = extraEnvironment;
    for (char** entry = environ; *entry != nullptr; ++entry)
      if (std::string(*entry).rfind("DISPLAY=", 0) != 0 && std::string(*entry).rfind("SDL_VIDEODRIVER=", 0) != 0)
        environment.emplace_back(*entry);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setpgroup(&attributes, 0);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
    std::vector<char*> argv = pointers(arguments), envp = pointers(environment);
    if (posix_spawnp(&pid_, argv[0], nullptr, &attributes, argv.data(), envp.data()) != 0) pid_ = 0;
    posix_spawnattr_destroy(&attributes);
  }
  ~Process() {
    if (pid_ == 0 || exitCode_) return;
    kill(-pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
  }
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;

  bool started() const { return pid_ != 0; }
  // The exit code once the process has ended, without waiting.
  std::optional<int> exitCode() {
    int status = 0;
    if (!exitCode_ && pid_ != 0 && waitpid(pid_, &status, WNOHANG) == pid_)
      exitCode_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return exitCode_;
  }

 private:
  static std::vector<char*> pointers(std::vector<std::string>& texts) {
    std::vector<char*> all;
    for (std::string& text : texts) all.push_back(text.data());
    all.push_back(nullptr);
    return all;
  }

  pid_t pid_ = 0;
  std::optional<int> exitCode_;
};

// An X server of its own, on the first free display number, whose screen
// (800x600 unless told) has `depth` bits per pixel.
class VirtualDisplay {
 public:
  explicit VirtualDisplay(int depth, const std::string& size = "800x600") {
    int ready[2];
    if (pipe(ready) != 0) return;
    server_.emplace(std::vector<std::string>{"Xvfb", "-displayfd", std::to_string(ready[1]), "-screen", "0",
                                             size + "x" + std::to_string(depth), "-nolisten", "tcp"},
                    std::vector<std::string>{});
    close(ready[1]);
    char number[16] = {};
    // Xvfb writes its display number once it accepts connections.
    if (read(ready[0], number, sizeof number - 1) > 0) name_ = ":" + std::to_string(std::atoi(number));
    close(ready[0]);
    if (!name_.empty()) display_ = XOpenDisplay(name_.c_str());
  }
  ~VirtualDisplay() {
    if (display_ != nullptr) XCloseDisplay(display_);
  }

  Display* display() const { return display_; }
  std::string environment() const { return "DISPLAY=" + name_; }

 private:
  std::optional<Process> server_;
  std::string name_;
  Display* display_ = nullptr;
};

struct Area {
  int left = INT_MAX, top = INT_MAX, right = -1, bottom = -1;
  bool empty() const { return right < 0; }
  bool operator==(const Area&) const = default;
};

// A screenshot of the root window: the area of every pixel that differs from
// the top-left corner (the bare root window, which no box reaches).
Area drawnArea(Display* display) {
  XWindowAttributes root;
  XGetWindowAttributes(display, DefaultRootWindow(display), &root);
  XImage* shot = XGetImage(display, DefaultRootWindow(display), 0, 0, root.width, root.height, AllPlanes, ZPixmap);
  Area area;
  const unsigned long background = XGetPixel(shot, 0, 0);
  for (int y = 0; y < root.height; ++y)
    for (int x = 0; x < root.width; ++x)
      if (XGetPixel(shot, x, y) != background) area = {std::min(area.left, x), std::min(area.top, y),
                                                       std::max(area.right, x), std::max(area.bottom, y)};
  XDestroyImage(shot);
  return area;
}

// Waits until a box is drawn and stays the same over two looks; empty when
// the program ends first or no box comes.
Area waitForBox(Display* display, Process& program) {
  Area previous;
  for (auto deadline = std::chrono::steady_clock::now() + 60s; std::chrono::steady_clock::now() < deadline;) {
    std::this_thread::sleep_for(200ms);
    if (program.exitCode()) return {};
    const Area now = drawnArea(display);
    if (!now.empty() && now == previous) return now;
    previous = now;
  }
  return {};
}

// Presses and releases Escape in every top-level window: a box takes it as
// its Cancel (or only) button.
void pressEscape(Display* display) {
  Window root = 0, parent = 0, *children = nullptr;
  unsigned count = 0;
  XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count);
  for (unsigned i = 0; i < count; ++i)
    for (auto [type, mask] : {std::pair{KeyPress, KeyPressMask}, {KeyRelease, KeyReleaseMask}}) {
      XKeyEvent key{};
      key.type = type;
      key.display = display;
      key.window = children[i];
      key.root = root;
      key.keycode = XKeysymToKeycode(display, XK_Escape);
      key.same_screen = True;
      XSendEvent(display, children[i], True, mask, reinterpret_cast<XEvent*>(&key));
    }
  XFree(children);
  XFlush(display);
}

std::optional<int> exitCodeAfterEscape(VirtualDisplay& screen, Process& program) {
  pressEscape(screen.display());
  for (auto deadline = std::chrono::steady_clock::now() + 60s; std::chrono::steady_clock::now() < deadline;) {
    if (const std::optional<int> code = program.exitCode()) return code;
    std::this_thread::sleep_for(100ms);
  }
  return std::nullopt;
}

TEST(X11Desktop, TheStartUpQuestionFitsAnEightHundredPixelScreen) {
  VirtualDisplay screen(24);
  ASSERT_NE(screen.display(), nullptr) << "no virtual X server";
  Process program({SKYWARD_PROGRAM}, {screen.environment()});
  ASSERT_TRUE(program.started());
  const Area box = waitForBox(screen.display(), program);
  ASSERT_FALSE(box.empty()) << "no question box appeared";
  EXPECT_GT(box.left, 0);
  EXPECT_LT(box.right, 799);
  EXPECT_GT(box.top, 0);
  EXPECT_LT(box.bottom, 599);
  EXPECT_EQ(exitCodeAfterEscape(screen, program), 0) << "Escape is Cancel";
}

TEST(X11Desktop, AScreenOfSixteenBitsCannotGiveTheShowMode) {
  VirtualDisplay screen(16);
  ASSERT_NE(screen.display(), nullptr) << "no virtual X server";
  Process program({SKYWARD_PROGRAM, "--preload", "--fps", "30", "--until", "0.1"}, {screen.environment()});
  ASSERT_TRUE(program.started());
  ASSERT_FALSE(waitForBox(screen.display(), program).empty())
      << "no failure box; the program ended with " << program.exitCode().value_or(-1);
  EXPECT_EQ(exitCodeAfterEscape(screen, program), 255);
}

// Full screen at the desktop's own size, without a change of display mode:
// the frame is the whole screen.
TEST(X11Desktop, TheDesktopsSizeIsTheWholeScreenWithoutAModeChange) {
  VirtualDisplay screen(24, "1024x600");
  ASSERT_NE(screen.display(), nullptr) << "no virtual X server";
  fake::ShowFolder folder;
  Process program({SKYWARD_PROGRAM, "--preload", "--size", "desktop", "--fps", "30", "--until", "0.2", "--screenshot",
                   "0.1=shot.png"},
                  {screen.environment()});
  ASSERT_TRUE(program.started());
  std::optional<int> code;
  for (auto deadline = std::chrono::steady_clock::now() + 60s; !code && std::chrono::steady_clock::now() < deadline;)
    std::this_thread::sleep_for(100ms), code = program.exitCode();
  ASSERT_EQ(code, 1);
  const fake::Picture shot = fake::readPicture("shot.png");
  EXPECT_EQ(shot.width, 1024);
  EXPECT_EQ(shot.height, 600);
}

}  // namespace
