// Work that runs on another thread on the caller's behalf takes the
// caller's GL context with it (a context is current on one thread at a
// time), and writes into the caller's place in the log.
#include "base/log.h"
#include "platform/thread_stacks.h"
#include "platform/wgl.h"

namespace platform {
namespace {

// The calling thread's context, released for as long as this lives and
// current on the calling thread again afterwards.
struct Lent {
  HDC dc = wglGetCurrentDC();
  HGLRC context = wglGetCurrentContext();

  Lent() {
    if (context != nullptr) wglMakeCurrent(nullptr, nullptr);
  }
  ~Lent() {
    if (context != nullptr) wglMakeCurrent(dc, context);
  }
  Lent(const Lent&) = delete;
  Lent& operator=(const Lent&) = delete;
};

// The lent context, current on the working thread for as long as this lives.
class Borrowed {
 public:
  explicit Borrowed(const Lent& lent) : context_(lent.context) {
    held_ = context_ == nullptr || wglMakeCurrent(lent.dc, context_) != 0;
  }
  ~Borrowed() {
    if (context_ != nullptr && held_) wglMakeCurrent(nullptr, nullptr);
  }
  Borrowed(const Borrowed&) = delete;
  Borrowed& operator=(const Borrowed&) = delete;

  bool held() const { return held_; }

 private:
  HGLRC context_;
  bool held_ = false;
};

}  // namespace

void runAsCaller(std::size_t stackBytes, const std::function<void()>& work) {
  bool ran = false;
  kst::LogPlace* place = kst::LogPlace::current();
  {
    const Lent lent;
    runWithStack(stackBytes, [&] {
      const kst::LogPlace::Writing writing(place);
      const Borrowed borrowed(lent);
      if (!borrowed.held()) return;
      ran = true;
      work();
    });
  }
  if (!ran) work();
}

}  // namespace platform
