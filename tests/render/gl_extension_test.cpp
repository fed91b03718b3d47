#include <gtest/gtest.h>

#include <string>

#include "render/gl_table.h"
#include "support/recording_gl.h"

namespace {

class ExtensionTest : public ::testing::Test {
 protected:
  void SetUp() override { fake::RecordingGL::FillTable(); }

  int present(const std::string& list, const char* name) {
    world.driver.extensions = list;
    return HasGLExtension(name);
  }

  fake::FakeGLWorld world;
};

TEST_F(ExtensionTest, LongerNameListedFirstDoesNotHideTheShorterOne) {
  const std::string list = "GL_ARB_multitexture GL_NV_vertex_array_range2 GL_NV_vertex_array_range GL_EXT_bgra";
  EXPECT_EQ(present(list, "GL_NV_vertex_array_range2"), 1);
  EXPECT_EQ(present(list, "GL_NV_vertex_array_range"), 1);
}

TEST_F(ExtensionTest, OnlyALongerNameMeansAbsent) {
  const std::string list = "GL_ARB_multitexture GL_NV_vertex_array_range2 GL_EXT_bgra";
  EXPECT_EQ(present(list, "GL_NV_vertex_array_range"), 0);
  EXPECT_EQ(present(list, "GL_NV_vertex_array_range2"), 1);
  EXPECT_EQ(present("GL_EXT_texture_env_combine GL_EXT_bgra", "GL_EXT_texture_env"), 0);
}

TEST_F(ExtensionTest, NamesAtEitherEndOfTheListAreFound) {
  const std::string list = "GL_EXT_bgra GL_ARB_imaging GL_ARB_multitexture";
  EXPECT_EQ(present(list, "GL_ARB_multitexture"), 1);
  EXPECT_EQ(present(list, "GL_EXT_bgra"), 1);
  EXPECT_EQ(present(list, "GL_ARB_multi"), 0);
  EXPECT_EQ(present(list, "GL_EXT_blend_minmax"), 0);
}

TEST_F(ExtensionTest, NameWithoutPrefixIsFoundInsideTheFullName) {
  EXPECT_EQ(present("GL_ARB_imaging GL_NV_fence GL_EXT_bgra", "NV_fence"), 1);
  EXPECT_EQ(present("GL_ARB_imaging GL_EXT_bgra", "NV_fence"), 0);
}

TEST_F(ExtensionTest, GroupsThatAreNotExtensionsArePresentWithoutAnyDriver) {
  ResetGLTable();  // glGetString unresolved
  EXPECT_EQ(HasGLExtension("_GL"), 1);
  EXPECT_EQ(HasGLExtension("_GLU"), 1);
  EXPECT_EQ(HasGLExtension("GL_Swap"), 1);
  // Compared whole: neither a longer nor a shorter name counts.
  EXPECT_EQ(HasGLExtension("_GLUT"), 0);
  EXPECT_EQ(HasGLExtension("GL_Swap_control"), 0);
  EXPECT_EQ(HasGLExtension("_G"), 0);
  EXPECT_EQ(HasGLExtension("GL_EXT_bgra"), 0);
}

TEST_F(ExtensionTest, DriverWithoutAnExtensionListReportsNone) {
  world.driver.on<GLEntryId::glGetString>([](GLenum) -> const GLubyte* { return nullptr; });
  EXPECT_EQ(HasGLExtension("GL_EXT_bgra"), 0);
  EXPECT_EQ(HasGLExtension("GL_Swap"), 1);
}

}  // namespace
