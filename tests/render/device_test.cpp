#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "persist/dynamic_factory.h"
#include "render/device.h"
#include "render/gl_table.h"
#include "support/recording_gl.h"

namespace {

using Strings = std::vector<std::string>;

class DeviceTest : public ::testing::Test {
 protected:
  // -1 when the device was made.
  int creationError() {
    try {
      KS_3Ddevice device(dc);
      return -1;
    } catch (KS_3Ddevice::EError error) {
      return error;
    }
  }

  void expectRequestedColourBits(std::uint8_t colourBits) {
    PIXELFORMATDESCRIPTOR expected;
    std::memset(&expected, 0, sizeof expected);
    expected.nSize = 40;
    expected.nVersion = 1;
    expected.dwFlags = 0x1025;
    expected.iPixelType = 0;  // RGBA
    expected.cColorBits = colourBits;
    expected.cDepthBits = 24;
    expected.cStencilBits = 8;
    EXPECT_EQ(std::memcmp(&world.driver.requestedFormat, &expected, sizeof expected), 0);
  }

  Strings firstCalls(std::size_t count) const {
    const Strings names = world.driver.names();
    return Strings(names.begin(), names.begin() + std::min(count, names.size()));
  }

  fake::FakeGLWorld world;
  int windowTag = 0;
  HDC dc = reinterpret_cast<HDC>(&windowTag);
};

TEST_F(DeviceTest, MakesACurrentContextOnTheWindowAndReleasesIt) {
  world.driver.pixelFormat = 7;
  world.driver.extensions = "GL_ARB_multitexture";
  {
    KS_3Ddevice device(dc);
    EXPECT_EQ(device.desktopDepth(), 32);
    EXPECT_TRUE(device.moreThan8Bits());
    EXPECT_EQ(device.context(), world.driver.context());
    expectRequestedColourBits(32);
    EXPECT_EQ(world.driver.formatSet, 7);
    EXPECT_EQ(firstCalls(5), (Strings{"ChoosePixelFormat", "SetPixelFormat", "wglCreateContext", "wglMakeCurrent",
                                      "glGetString"}));
    EXPECT_EQ(world.driver.calls[2], fake::call("wglCreateContext", dc));
    EXPECT_EQ(world.driver.calls[3], fake::call("wglMakeCurrent", dc, world.driver.context()));
    EXPECT_EQ(GLCapability(GLCap::ARB_multitexture), 1);  // bound
    world.driver.clear();
  }
  EXPECT_EQ(world.driver.calls, (Strings{fake::call("wglMakeCurrent", nullptr, nullptr),
                                         fake::call("wglDeleteContext", world.driver.context())}));
}

TEST_F(DeviceTest, DesktopDepthDecidesThePixelFormat) {
  world.host.bitsPerPixel = 16;
  EXPECT_EQ(creationError(), -1);
  expectRequestedColourBits(16);

  world.driver.clear();
  world.host.bitsPerPixel = 8;
  EXPECT_EQ(creationError(), KS_3Ddevice::NoPixelFormat);
  EXPECT_EQ(KS_3Ddevice::NoPixelFormat, 1);
  EXPECT_EQ(world.driver.count("ChoosePixelFormat"), 0u);
  EXPECT_EQ(world.driver.count("wglCreateContext"), 0u);
}

TEST_F(DeviceTest, RefusedFormatOrContextFailsWithoutAPixelFormat) {
  world.driver.pixelFormat = 0;
  EXPECT_EQ(creationError(), 1);
  EXPECT_EQ(world.driver.count("SetPixelFormat"), 0u);

  world.driver.pixelFormat = 1;
  world.driver.setPixelFormatResult = 0;
  EXPECT_EQ(creationError(), 1);
  EXPECT_EQ(world.driver.count("wglCreateContext"), 0u);

  world.driver.setPixelFormatResult = 1;
  world.driver.contextAvailable = false;
  EXPECT_EQ(creationError(), 1);
  EXPECT_EQ(world.driver.count("wglMakeCurrent"), 0u);

  world.driver.contextAvailable = true;
  world.driver.makeCurrentResult = 0;
  world.driver.clear();
  EXPECT_EQ(creationError(), 1);
  EXPECT_EQ(world.driver.calls.back(), fake::call("wglDeleteContext", world.driver.context()));
  EXPECT_EQ(world.driver.count("glGetString"), 0u);
}

TEST_F(DeviceTest, MissingLibraryOrCoreEntryPointFailsBeforeAnyGLCall) {
  const std::vector<std::function<void(fake::FakeGLModules&)>> breakages = {
      [](fake::FakeGLModules& m) { m.missingModules = {"glu32.dll"}; },
      [](fake::FakeGLModules& m) { m.missingNames = {"glDrawElements"}; },
      [](fake::FakeGLModules& m) { m.missingNames = {"SwapBuffers"}; },
      [](fake::FakeGLModules& m) { m.missingNames = {"gluBuild2DMipmaps"}; },
  };
  for (const auto& breakIt : breakages) {
    ResetGLTable();
    world.modules.missingModules.clear();
    world.modules.missingNames.clear();
    breakIt(world.modules);
    EXPECT_EQ(creationError(), KS_3Ddevice::LibrariesMissing);
    EXPECT_TRUE(world.driver.calls.empty());
  }
}

TEST_F(DeviceTest, StartUpEntriesKeepOneDevice) {
  ASSERT_TRUE(CreateRenderDevice(dc, 0, 800, 600));
  ASSERT_NE(RenderDevice(), nullptr);
  // Creation registers the classes scene files name.
  EXPECT_NE(std::unique_ptr<persistent>(dynamic::createByName("class BoneNode")), nullptr);
  EXPECT_EQ(RenderDevice()->width, 800);
  EXPECT_EQ(RenderDevice()->height, 600);
  world.driver.clear();
  Present();
  EXPECT_EQ(world.driver.calls, Strings{fake::call("SwapBuffers", dc)});

  // A second device reuses the loaded libraries.
  ASSERT_TRUE(CreateRenderDevice(dc, 0, 640, 480));
  EXPECT_EQ(world.modules.loadRequests.size(), 3u);
  EXPECT_EQ(RenderDevice()->width, 640);

  world.driver.clear();
  DestroyRenderDevice();
  EXPECT_EQ(RenderDevice(), nullptr);
  EXPECT_EQ(world.driver.names(), (Strings{"wglMakeCurrent", "wglDeleteContext"}));
}

TEST_F(DeviceTest, StartUpEntryReportsFailureAsFalse) {
  world.host.bitsPerPixel = 8;
  EXPECT_FALSE(CreateRenderDevice(dc, 0, 800, 600));
  EXPECT_EQ(RenderDevice(), nullptr);
  world.driver.clear();
  Present();
  EXPECT_TRUE(world.driver.calls.empty());
}

}  // namespace
