// The window-system GL functions over SDL. Sharing is fixed when an SDL
// context is created, so wglShareLists re-creates the second context inside
// the first one's share group (it has not been used yet when this is called).
#include <SDL.h>

#include "platform/context_hooks.h"
#include "platform/gl_surface.h"

namespace {

thread_local HGLRC currentContext = nullptr;
int nextShareGroup = 1;
constinit platform::ContextHooks hooks;

// The calling thread's current context becomes `next`; the hooks hear of it.
void switchCurrent(HGLRC next) {
  if (next == currentContext) return;
  if (currentContext != nullptr && hooks.released != nullptr) hooks.released(currentContext);
  currentContext = next;
  if (next != nullptr && hooks.madeCurrent != nullptr) hooks.madeCurrent(next);
}

struct CurrentBinding {
  SDL_Window* window = SDL_GL_GetCurrentWindow();
  SDL_GLContext context = SDL_GL_GetCurrentContext();
  ~CurrentBinding() { SDL_GL_MakeCurrent(window, context); }
};

SDL_Window* drawableFor(HDC dc, bool primary) {
  if (primary) return dc->window;
  return SDL_CreateWindow("", 0, 0, 1, 1, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
}

}  // namespace

namespace platform {

void setContextHooks(const ContextHooks& installed) { hooks = installed; }

void applyPixelFormat(const PIXELFORMATDESCRIPTOR& format) {
  const bool deep = format.cColorBits >= 24;
  SDL_GL_SetAttribute(SDL_GL_RED_SIZE, deep ? 8 : 5);
  SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, deep ? 8 : 6);
  SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, deep ? 8 : 5);
  // A 32-bit desktop gets destination alpha: layers that mix by it need it.
  SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, format.cColorBits >= 32 ? 8 : 0);
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, format.cDepthBits);
  SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, format.cStencilBits);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, (format.dwFlags & PFD_DOUBLEBUFFER) ? 1 : 0);
}

}  // namespace platform

HGLRC wglCreateContext(HDC dc) {
  if (dc == nullptr || dc->window == nullptr || dc->pixelFormat == 0) return nullptr;
  const bool primary = dc->primary == nullptr;
  SDL_Window* drawable = drawableFor(dc, primary);
  if (drawable == nullptr) return nullptr;
  CurrentBinding keep;
  platform::applyPixelFormat(dc->format);
  SDL_GL_SetAttribute(SDL_GL_SHARE_WITH_CURRENT_CONTEXT, 0);
  SDL_GLContext context = SDL_GL_CreateContext(drawable);
  if (context == nullptr) {
    if (!primary) SDL_DestroyWindow(drawable);
    return nullptr;
  }
  auto* made = new SkywardGLContext{context, dc, drawable, primary ? nullptr : drawable, nextShareGroup++};
  if (primary) dc->primary = made;
  return made;
}

BOOL wglShareLists(HGLRC first, HGLRC second) {
  if (first == nullptr || second == nullptr) return 0;
  if (first->shareGroup == second->shareGroup) return 1;
  CurrentBinding keep;
  if (SDL_GL_MakeCurrent(first->drawable, first->context) != 0) return 0;
  SDL_GL_SetAttribute(SDL_GL_SHARE_WITH_CURRENT_CONTEXT, 1);
  SDL_GLContext shared = SDL_GL_CreateContext(second->drawable);
  SDL_GL_SetAttribute(SDL_GL_SHARE_WITH_CURRENT_CONTEXT, 0);
  if (shared == nullptr) return 0;
  if (keep.context == second->context) keep.context = shared;
  SDL_GL_DeleteContext(second->context);
  second->context = shared;
  second->shareGroup = first->shareGroup;
  return 1;
}

BOOL wglMakeCurrent(HDC dc, HGLRC context) {
  if (context == nullptr) {
    SDL_GL_MakeCurrent(SDL_GL_GetCurrentWindow(), nullptr);
    switchCurrent(nullptr);
    return 1;
  }
  if (dc == nullptr || SDL_GL_MakeCurrent(context->drawable, context->context) != 0) return 0;
  switchCurrent(context);
  return 1;
}

BOOL wglDeleteContext(HGLRC context) {
  if (context == nullptr) return 0;
  if (currentContext == context) wglMakeCurrent(nullptr, nullptr);
  if (hooks.deleted != nullptr) hooks.deleted(context);
  SDL_GL_DeleteContext(context->context);
  if (context->ownWindow != nullptr) SDL_DestroyWindow(context->ownWindow);
  if (context->dc != nullptr && context->dc->primary == context) context->dc->primary = nullptr;
  delete context;
  return 1;
}

HGLRC wglGetCurrentContext() { return currentContext; }

HDC wglGetCurrentDC() { return currentContext != nullptr ? currentContext->dc : nullptr; }

PROC wglGetProcAddress(const char* name) { return reinterpret_cast<PROC>(SDL_GL_GetProcAddress(name)); }

// Not offered on this platform: nothing in the show uses them.
BOOL wglCopyContext(HGLRC, HGLRC, UINT) { return 0; }
HGLRC wglCreateLayerContext(HDC, int) { return nullptr; }
BOOL wglUseFontBitmapsA(HDC, std::uint32_t, std::uint32_t, std::uint32_t) { return 0; }
