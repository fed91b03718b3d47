#pragma once
// A stop asked from outside the show (Ctrl-C, SIGTERM). Asking only notes
// it, safely from a signal handler; the frame loop sees it at its next frame,
// and the long work before the first frame or of a development-mode move
// (reading, catching up) ends at its next stop point by throwing StopAsked,
// which the program catches to end in order.
#include <exception>

namespace kst {

struct StopAsked : std::exception {
  const char* what() const noexcept override { return "stopped by a signal"; }
};

void askToStop() noexcept;
bool stopAsked() noexcept;
void forgetStopRequest() noexcept;  // for a test that asked
// Throws StopAsked once a stop was asked.
void stopPoint();

}  // namespace kst
