#pragma once
// The rendering device: a double-buffered GL context with depth and stencil
// on the show window, plus the frame facts drawing code shares.
#include <cstdint>
#include <memory>

#include "platform/wgl.h"
#include "render/frame_layout.h"
#include "render/multisampled_frame.h"

class KS_3Ddevice {
 public:
  enum EError {
    LibrariesMissing = 0,  // a GL library, or a core GL or GLU entry point, is missing
    NoPixelFormat = 1,     // no usable pixel format (or context) on this desktop
  };

  // Throws EError.
  explicit KS_3Ddevice(HDC windowDC);
  ~KS_3Ddevice();
  KS_3Ddevice(const KS_3Ddevice&) = delete;
  KS_3Ddevice& operator=(const KS_3Ddevice&) = delete;

  std::int32_t desktopDepth() const { return desktopDepth_; }
  bool moreThan8Bits() const { return moreThan8Bits_; }
  HGLRC context() const { return context_; }
  HDC deviceContext() const { return dc_; }

  // The drawable's size in pixels: what start-up asked for, and after that
  // what the window holds (a resizable window changes it between frames).
  // The show draws into the picture rectangle inside it.
  int width = 0;
  int height = 0;
  kst::PixelRect picture() const { return kst::FitPicture(width, height); }
  // The multisampled frame the layers draw into; null for a plain frame,
  // the window's own (see UseFrameSamples).
  std::unique_ptr<kst::MultisampledFrame> multisampled;
  // Running counts the mesh drawing adds to (nothing reads them back).
  std::uint32_t vertices = 0;
  std::uint32_t indices = 0;
  std::uint32_t triangles = 0;

 private:
  void setPixelFormat();
  void createContext();

  std::int32_t desktopDepth_ = 0;
  bool moreThan8Bits_ = false;
  HGLRC context_ = nullptr;
  HDC dc_;
};

// False when the device cannot be made; on success also registers every
// class that scene files may name.
bool CreateRenderDevice(HDC windowDC, int ignored, int width, int height);
void DestroyRenderDevice();
// Shows the frame just drawn.
void Present();

// A multisampled frame of `samples` samples per pixel (0: the plain frame of
// the window) for the frames to come. Answers what the driver made: the
// nearest count it offers, or 0 without framebuffer objects.
int UseFrameSamples(int samples);
// Before a frame is drawn: the frame to draw into, at the device's size
// (no call for a plain frame).
void BeginFrame();
// Once the layers have drawn: a multisampled frame resolved into the
// window's back buffer, which stays bound for reading, the notes and the
// swap (no call for a plain frame).
void ResolveFrame();
// Null before CreateRenderDevice succeeds and after DestroyRenderDevice.
KS_3Ddevice* RenderDevice();
