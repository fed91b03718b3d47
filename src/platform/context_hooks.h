#pragma once
// For state the engine keeps per GL context: told on the calling thread each
// time that thread makes a context current or lets it go, and when a
// context is deleted. Set once, before any context is made.
#include "platform/wgl.h"

namespace platform {

struct ContextHooks {
  void (*released)(HGLRC context) = nullptr;     // no longer current on this thread
  void (*madeCurrent)(HGLRC context) = nullptr;  // now current on this thread
  void (*deleted)(HGLRC context) = nullptr;      // gone (released first if it was current here)
};

void setContextHooks(const ContextHooks& hooks);

}  // namespace platform
