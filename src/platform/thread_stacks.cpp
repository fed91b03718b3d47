#include "platform/thread_stacks.h"

#include <pthread.h>

#include <exception>

namespace platform {
namespace {

// Where the system cannot say: as much as the smallest usual stack leaves
// below the frame that asks.
constexpr std::uintptr_t kAssumedRoom = 1 << 20;

std::uintptr_t askStackFloor() {
  pthread_attr_t attributes;
  if (pthread_getattr_np(pthread_self(), &attributes) != 0) {
    return reinterpret_cast<std::uintptr_t>(__builtin_frame_address(0)) - kAssumedRoom;
  }
  void* lowest = nullptr;
  std::size_t size = 0;
  const int failed = pthread_attr_getstack(&attributes, &lowest, &size);
  pthread_attr_destroy(&attributes);
  if (failed != 0) return reinterpret_cast<std::uintptr_t>(__builtin_frame_address(0)) - kAssumedRoom;
  return reinterpret_cast<std::uintptr_t>(lowest);
}

struct Job {
  const std::function<void()>* work;
  std::exception_ptr failure;
};

void* runJob(void* argument) {
  Job& job = *static_cast<Job*>(argument);
  try {
    (*job.work)();
  } catch (...) {
    job.failure = std::current_exception();
  }
  return nullptr;
}

}  // namespace

std::uintptr_t stackFloor() {
  static thread_local const std::uintptr_t floor = askStackFloor();
  return floor;
}

bool runWithStack(std::size_t stackBytes, const std::function<void()>& work) {
  pthread_attr_t attributes;
  if (pthread_attr_init(&attributes) != 0) return false;
  Job job{&work, nullptr};
  pthread_t thread;
  const bool started = pthread_attr_setstacksize(&attributes, stackBytes) == 0 &&
                       pthread_create(&thread, &attributes, &runJob, &job) == 0;
  pthread_attr_destroy(&attributes);
  if (!started) return false;
  pthread_join(thread, nullptr);
  if (job.failure) std::rethrow_exception(job.failure);
  return true;
}

}  // namespace platform
