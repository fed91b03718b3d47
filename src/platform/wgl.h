#pragma once
// The window-system GL interface the engine was written against, as a
// Linux stand-in. The engine never calls these functions directly: it looks
// them up by name in the "gdi32.dll" module (see modules.h) and calls them
// through its GL entry-point table, exactly like the GL functions.
#include <cstdint>

using BOOL = int;
using UINT = unsigned int;
using HDC = struct SkywardDeviceContext*;  // a window's drawing surface
using HGLRC = struct SkywardGLContext*;    // a rendering context
using PROC = void (*)();

struct PIXELFORMATDESCRIPTOR {
  std::uint16_t nSize;
  std::uint16_t nVersion;
  std::uint32_t dwFlags;
  std::uint8_t iPixelType;
  std::uint8_t cColorBits;
  std::uint8_t cRedBits, cRedShift, cGreenBits, cGreenShift, cBlueBits, cBlueShift;
  std::uint8_t cAlphaBits, cAlphaShift;
  std::uint8_t cAccumBits, cAccumRedBits, cAccumGreenBits, cAccumBlueBits, cAccumAlphaBits;
  std::uint8_t cDepthBits;
  std::uint8_t cStencilBits;
  std::uint8_t cAuxBuffers;
  std::uint8_t iLayerType;
  std::uint8_t bReserved;
  std::uint32_t dwLayerMask;
  std::uint32_t dwVisibleMask;
  std::uint32_t dwDamageMask;
};
static_assert(sizeof(PIXELFORMATDESCRIPTOR) == 40);

constexpr std::uint32_t PFD_DOUBLEBUFFER = 0x00000001;
constexpr std::uint32_t PFD_DRAW_TO_WINDOW = 0x00000004;
constexpr std::uint32_t PFD_SUPPORT_OPENGL = 0x00000020;
constexpr std::uint32_t PFD_GENERIC_ACCELERATED = 0x00001000;
constexpr std::uint8_t PFD_TYPE_RGBA = 0;

// Prototypes: they give the entry-point table its types. The definitions live
// in src/platform/ and are reached only through the module lookup.
BOOL wglCopyContext(HGLRC source, HGLRC destination, UINT mask);
HGLRC wglCreateContext(HDC dc);
HGLRC wglCreateLayerContext(HDC dc, int layer);
BOOL wglDeleteContext(HGLRC context);
HGLRC wglGetCurrentContext();
HDC wglGetCurrentDC();
PROC wglGetProcAddress(const char* name);
BOOL wglMakeCurrent(HDC dc, HGLRC context);
BOOL wglShareLists(HGLRC first, HGLRC second);
BOOL wglUseFontBitmapsA(HDC dc, std::uint32_t first, std::uint32_t count, std::uint32_t listBase);
int ChoosePixelFormat(HDC dc, const PIXELFORMATDESCRIPTOR* descriptor);
int DescribePixelFormat(HDC dc, int format, UINT bytes, PIXELFORMATDESCRIPTOR* descriptor);
int GetPixelFormat(HDC dc);
BOOL SetPixelFormat(HDC dc, int format, const PIXELFORMATDESCRIPTOR* descriptor);
BOOL SwapBuffers(HDC dc);
// Extension entry points that only a driver provides (never our module).
void* wglAllocateMemoryNV(int size, float readFrequency, float writeFrequency, float priority);
void wglFreeMemoryNV(void* pointer);
BOOL wglSwapIntervalEXT(int interval);
