#pragma once
#include "platform/host.h"

namespace platform {

// "opengl32.dll" and "glu32.dll" are the system's libGL.so.1 and libGLU.so.1;
// "gdi32.dll" is our own table of window-system GL functions.
class DlModuleLoader : public ModuleLoader {
 public:
  ~DlModuleLoader() override;
  void* load(const char* name) override;
  void* symbol(void* module, const char* name) override;

 private:
  void* gl_ = nullptr;
  void* glu_ = nullptr;
};

}  // namespace platform
