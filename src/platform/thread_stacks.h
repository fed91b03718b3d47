#pragma once
// Thread stacks: how far the calling thread's stack may still grow, and
// work run on a stack of a chosen size. Reading a scene file nests one
// record per sibling of a node chain, far deeper than a usual thread's
// stack allows, so loads run on a stack sized for them.
#include <cstddef>
#include <cstdint>
#include <functional>

namespace platform {

// The lowest address the calling thread's stack may grow down to (the
// stacks of every platform we build for grow downwards). Asked of the
// system once per thread.
std::uintptr_t stackFloor();

// Runs work on a new thread whose stack holds stackBytes and waits for it;
// passes on whatever work throws. False, without running work, when no such
// thread can be had.
bool runWithStack(std::size_t stackBytes, const std::function<void()>& work);

// Runs work as the calling thread would, but on a stack of stackBytes: the
// calling thread waits, and its current GL context is current for the work
// and current again for the caller afterwards (GL calls of the work, such
// as texture uploads, land where the caller's would). When no such thread
// can be had or the context cannot move, work runs on the calling thread.
void runAsCaller(std::size_t stackBytes, const std::function<void()>& work);

}  // namespace platform
