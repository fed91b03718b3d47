// Mesh chunks on the GL side, checked at the level of GL calls: where their
// arrays live for each driver, how they are bound and drawn, and which
// chunks a camera lets through to the render list.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <typeinfo>
#include <utility>
#include <vector>

#include "mesh_samples.h"
#include "render/camera.h"
#include "render/device.h"
#include "render/gl_state_cache.h"
#include "scene/mesh/mesh_primitive.h"
#include "scene/mesh/vertex_array_object.h"
#include "scene/render_list.h"
#include "support/recording_gl.h"

namespace {

using Strings = std::vector<std::string>;

template <typename T>
bool holds(const void* memory, const std::vector<T>& values) {
  return memory != nullptr && std::memcmp(memory, values.data(), values.size() * sizeof(T)) == 0;
}

class MeshDrawing : public ::testing::Test {
 protected:
  MeshDrawing() {
    fake::RecordingGL::FillTable();
    // Two quads: four triangles on eight vertices (set 1 follows the quad).
    mesh.source = scenetest::gridMesh({.columns = 2});
    mesh.build(false, 0);
    mesh.surfaceIndices = {0};
    world.driver.on<GLEntryId::glVertexPointer>([this](GLint, GLenum, GLsizei, const void* p) { vertices = p; });
    world.driver.on<GLEntryId::glColorPointer>([this](GLint, GLenum, GLsizei, const void* p) { colours = p; });
    world.driver.on<GLEntryId::glTexCoordPointer>([this](GLint, GLenum, GLsizei, const void* p) { texCoords = p; });
  }

  // Only the named capabilities count as present.
  void offer(std::initializer_list<GLCap> present) {
    for (std::size_t i = 0; i < kGLCapCount; ++i) SetGLCapability(static_cast<GLCap>(i), 0);
    for (GLCap cap : present) SetGLCapability(cap, 1);
  }
  bool called(const std::string& call) const {
    return std::find(world.driver.calls.begin(), world.driver.calls.end(), call) != world.driver.calls.end();
  }
  MeshChunk& chunk() { return *mesh.chunks.at(0).geometry; }
  const MeshPrimitive::RenderSubMesh& element() const { return *mesh.elements.at(0); }
  const std::type_info& positionKind() { return typeid(*mesh.retainedData(0).arrays[RetainedModeData::kPosition]); }

  fake::FakeGLWorld world;
  MeshPrimitive mesh;
  const void* vertices = nullptr;  // where the plain GL pointers were set
  const void* colours = nullptr;
  const void* texCoords = nullptr;
};

TEST_F(MeshDrawing, WithoutVendorExtensionsArraysLiveInSystemMemory) {
  offer({GLCap::Core, GLCap::ARB_multitexture});
  ASSERT_EQ(chunk().vertexCount, 8u);
  element().bindVertices();
  element().bindColors();
  EXPECT_TRUE(element().bindTexCoords(1));
  EXPECT_EQ(world.driver.calls[0], fake::call("glVertexPointer", 3, GL_FLOAT, 12, vertices));
  EXPECT_TRUE(called(fake::call("glColorPointer", 4, GL_UNSIGNED_BYTE, 4, colours)));
  EXPECT_TRUE(called(fake::call("glTexCoordPointer", 2, GL_FLOAT, 8, texCoords)));
  // Copies of the chunk's data, not the chunk's own arrays.
  EXPECT_TRUE(holds(vertices, chunk().positions) && holds(colours, chunk().colors));
  EXPECT_TRUE(holds(texCoords, chunk().texCoords[1]));
  EXPECT_NE(vertices, chunk().positions.data());
  EXPECT_EQ(positionKind(), typeid(VertexArrayObject));
  EXPECT_EQ(mesh.retainedData(0).arrays[RetainedModeData::kFirstTexCoord + 2], nullptr);  // two sets at most
}

TEST_F(MeshDrawing, ArraysTheChunkLacksAreSwitchedOffAndSetsPast31BindNothing) {
  offer({GLCap::Core});
  EXPECT_FALSE(element().bindTexCoords(32));
  EXPECT_FALSE(element().bindTexCoords(-1));
  EXPECT_TRUE(world.driver.calls.empty());
  // A lacking array must not stay pointed at another chunk's (shorter, or freed) data.
  glStateCache.SetTexCoordArrayMask(1);
  world.driver.clear();
  EXPECT_FALSE(element().bindTexCoords(2));
  element().bindNormals();
  EXPECT_EQ(world.driver.calls, (Strings{fake::call("glDisableClientState", GL_TEXTURE_COORD_ARRAY)}));
  EXPECT_TRUE(element().bindTexCoords(0));
  EXPECT_EQ(glStateCache.texCoordArrayMask, 1u);
}

TEST_F(MeshDrawing, InterleavedFormatPointsEachAttributePastTheOnesBefore) {
  offer({GLCap::Core});
  VertexArrayFormat format;
  format.add(GL_VERTEX_ARRAY, 3, GL_FLOAT);
  format.add(GL_COLOR_ARRAY, 4, GL_UNSIGNED_BYTE);
  format.add(GL_TEXTURE_COORD_ARRAY, 2, GL_FLOAT);
  std::unique_ptr<VertexArrayObject> object = createVertexArrayObject(10 * 24);
  EXPECT_EQ(object->upload(48, 12, chunk().positions.data()), 12u);
  EXPECT_EQ(object->upload(10 * 24 - 4, 12, chunk().positions.data()), 4u);  // what fits
  bindArrays(*object, format, 48, 8);
  EXPECT_EQ(std::memcmp(vertices, chunk().positions.data(), 12), 0);  // the data placed at 48
  const auto* base = static_cast<const std::uint8_t*>(vertices);
  EXPECT_EQ(world.driver.calls, (Strings{fake::call("glVertexPointer", 3, GL_FLOAT, 24, base),
                                         fake::call("glColorPointer", 4, GL_UNSIGNED_BYTE, 24, base + 12),
                                         fake::call("glTexCoordPointer", 2, GL_FLOAT, 24, base + 16)}));
}

TEST_F(MeshDrawing, AtiDriversKeepArraysInObjectBuffers) {
  offer({GLCap::Core, GLCap::ATI_vertex_array_object});
  element().bindVertices();  // no buffers given: system memory
  EXPECT_TRUE(holds(vertices, chunk().positions));
  mesh.build(false, 0);
  world.driver.clear();
  GLuint next = 7;
  world.driver.on<GLEntryId::glNewObjectBufferATI>([&](GLsizei, const void*, GLenum) { return next++; });
  element().bindVertices();
  EXPECT_EQ(world.driver.calls[0], fake::call("glNewObjectBufferATI", 96, nullptr, GL_STATIC_ATI));
  EXPECT_EQ(world.driver.calls[1],
            fake::call("glUpdateObjectBufferATI", 7u, 0u, 96, chunk().positions.data(), GL_PRESERVE_ATI));
  EXPECT_EQ(world.driver.calls.back(), fake::call("glArrayObjectATI", GL_VERTEX_ARRAY, 3, GL_FLOAT, 12, 7u, 0u));
  EXPECT_EQ(world.driver.count("glNewObjectBufferATI"), 4u);  // positions, colours, two coordinate sets
  EXPECT_EQ(world.driver.count("glVertexPointer"), 0u);
  world.driver.clear();
  mesh.build(false, 0);  // the old chunk's buffers go with it
  for (GLuint name : {7u, 8u, 9u, 10u}) EXPECT_TRUE(called(fake::call("glFreeObjectBufferATI", name)));
}

// Where neither vendor's extension exists, arrays go once into vertex buffer
// objects and pointers are offsets into them, set with the buffer bound and
// the binding dropped again (arrays elsewhere stay in system memory).
TEST_F(MeshDrawing, OtherDriversKeepArraysInVertexBufferObjects) {
  offer({GLCap::Core, GLCap::ARB_vertex_buffer_object});
  GLuint next = 5;
  std::vector<GLuint> deleted;
  world.driver.on<GLEntryId::glGenBuffersARB>([&](GLsizei, GLuint* names) { *names = next++; });
  world.driver.on<GLEntryId::glDeleteBuffersARB>([&](GLsizei, const GLuint* names) { deleted.push_back(*names); });
  element().bindVertices();
  element().bindColors();
  EXPECT_EQ(positionKind(), typeid(ARB_VertexArrayObject));
  // Each buffer is made (its storage checked) and filled once, bound only
  // meanwhile; pointers are offsets into a bound buffer.
  const auto filled = [](GLuint name, int bytes, const void* data) {
    return Strings{fake::call("glBindBufferARB", GL_ARRAY_BUFFER_ARB, name),
                   fake::call("glBufferDataARB", GL_ARRAY_BUFFER_ARB, bytes, nullptr, GL_STATIC_DRAW_ARB),
                   fake::call("glGetError"),
                   fake::call("glBindBufferARB", GL_ARRAY_BUFFER_ARB, 0u),
                   fake::call("glBindBufferARB", GL_ARRAY_BUFFER_ARB, name),
                   fake::call("glBufferSubDataARB", GL_ARRAY_BUFFER_ARB, 0, bytes, data),
                   fake::call("glBindBufferARB", GL_ARRAY_BUFFER_ARB, 0u)};
  };
  const Strings positions = filled(5, 96, chunk().positions.data());
  EXPECT_TRUE(std::equal(positions.begin(), positions.end(), world.driver.calls.begin() + 2));
  const Strings colours = filled(6, 32, chunk().colors.data());
  EXPECT_TRUE(std::equal(colours.begin(), colours.end(), world.driver.calls.begin() + 11));
  const Strings pointers{fake::call("glBindBufferARB", GL_ARRAY_BUFFER_ARB, 5u),
                         fake::call("glVertexPointer", 3, GL_FLOAT, 12, nullptr),
                         fake::call("glBindBufferARB", GL_ARRAY_BUFFER_ARB, 0u),
                         fake::call("glBindBufferARB", GL_ARRAY_BUFFER_ARB, 6u),
                         fake::call("glColorPointer", 4, GL_UNSIGNED_BYTE, 4, nullptr),
                         fake::call("glBindBufferARB", GL_ARRAY_BUFFER_ARB, 0u)};
  EXPECT_TRUE(std::equal(pointers.begin(), pointers.end(), world.driver.calls.end() - 7));
  mesh.build(false, 0);  // the old chunk's buffers go with it
  std::ranges::sort(deleted);
  EXPECT_EQ(deleted, (std::vector<GLuint>{5, 6, 7, 8}));  // positions, colours, two coordinate sets
}

TEST_F(MeshDrawing, NvidiaDriversPlaceArraysInTheVertexPool) {
  offer({GLCap::Core, GLCap::NV_vertex_array_range});  // no range2: no pool
  element().bindVertices();
  EXPECT_EQ(positionKind(), typeid(NV_VertexArrayObject));
  EXPECT_TRUE(holds(vertices, chunk().positions));
  mesh.build(false, 0);
  offer({GLCap::Core, GLCap::NV_vertex_array_range, GLCap::NV_vertex_array_range2});
  std::vector<std::uint8_t> pool(0xC00000);
  world.driver.on<GLEntryId::wglAllocateMemoryNV>([&](GLsizei, GLfloat, GLfloat, GLfloat) -> void* { return pool.data(); });
  element().bindVertices();
  element().bindColors();
  // Positions take 96 bytes: the colours start on the next 32-byte boundary past them.
  EXPECT_EQ(vertices, pool.data());
  EXPECT_EQ(colours, pool.data() + 128);
  EXPECT_TRUE(holds(vertices, chunk().positions) && holds(colours, chunk().colors));
  EXPECT_TRUE(called(fake::call("glEnableClientState", GL_VERTEX_ARRAY_RANGE_NV)));
  EXPECT_EQ(world.driver.count("glEnableClientState"), 2u);  // the range once, the colour array
}

// Where the memory an array prefers cannot be had, it goes where the next
// kind would put it: the NVIDIA range announced without its pool to a
// buffer object, a buffer object the driver finds no storage for (out of
// memory) to system memory, the buffer given back.
TEST_F(MeshDrawing, ArraysFallBackWhereTheirMemoryCannotBeHad) {
  struct Case {
    std::initializer_list<GLCap> offered;
    bool storage;  // whether glBufferDataARB finds memory
    bool inBuffer;
  };
  const Case cases[] = {
      {{GLCap::Core, GLCap::NV_vertex_array_range, GLCap::ARB_vertex_buffer_object}, true, true},
      {{GLCap::Core, GLCap::ARB_vertex_buffer_object}, false, false},
      {{GLCap::Core, GLCap::NV_vertex_array_range, GLCap::ARB_vertex_buffer_object}, false, false},
  };
  for (const Case& c : cases) {
    offer(c.offered);
    mesh.build(false, 0);
    world.driver.clear();
    GLenum error = GL_INVALID_ENUM;  // left by an earlier call
    world.driver.on<GLEntryId::glGenBuffersARB>([](GLsizei, GLuint* names) { *names = 5; });
    world.driver.on<GLEntryId::glBufferDataARB>([&](GLenum, GLsizeiptrARB, const void*, GLenum) {
      if (!c.storage) error = GL_OUT_OF_MEMORY;
    });
    world.driver.on<GLEntryId::glGetError>([&] { return std::exchange(error, GLenum{GL_NO_ERROR}); });
    element().bindVertices();
    if (c.inBuffer) {
      EXPECT_EQ(vertices, nullptr) << "an offset into the bound buffer";
      EXPECT_TRUE(called(fake::call("glBindBufferARB", GL_ARRAY_BUFFER_ARB, 5u)));
    } else {
      EXPECT_TRUE(holds(vertices, chunk().positions));
      EXPECT_EQ(world.driver.count("glDeleteBuffersARB"), world.driver.count("glGenBuffersARB"));
    }
    EXPECT_GT(world.driver.count("glGenBuffersARB"), 0u);
  }
}

TEST_F(MeshDrawing, DrawLocksTheArraysAndTakesTheRangeFormWhereOffered) {
  offer({GLCap::Core, GLCap::EXT_compiled_vertex_array, GLCap::EXT_draw_range_elements});
  const void* list = chunk().indices.data();
  element().draw(0);
  EXPECT_EQ(world.driver.calls, (Strings{fake::call("glLockArraysEXT", 0, 8),
                                         fake::call("glDrawRangeElementsEXT", GL_TRIANGLES, 0u, 8u, 12, GL_UNSIGNED_SHORT, list),
                                         fake::call("glUnlockArraysEXT")}));
  world.driver.clear();
  offer({GLCap::Core});
  chunk().hasStrips = true;
  chunk().strips = {{{0, 1, 2, 3}}};
  element().draw(0);
  chunk().indexBuffer = 9;  // drawn from the buffer only where the element path exists
  element().draw(0);
  offer({GLCap::Core, GLCap::ATI_vertex_array_object, GLCap::ATI_element_array});
  element().draw(0);
  const void* strip = chunk().strips[0].indices.data();
  EXPECT_EQ(world.driver.calls, (Strings{fake::call("glDrawElements", GL_TRIANGLE_STRIP, 4, GL_UNSIGNED_SHORT, strip),
                                         fake::call("glDrawElements", GL_TRIANGLE_STRIP, 4, GL_UNSIGNED_SHORT, strip),
                                         fake::call("glEnableClientState", GL_ELEMENT_ARRAY_ATI),
                                         fake::call("glArrayObjectATI", GL_ELEMENT_ARRAY_ATI, 1, GL_UNSIGNED_INT, 0, 9u, 0u),
                                         fake::call("glDrawElementArrayATI", GL_TRIANGLES, 12),
                                         fake::call("glDisableClientState", GL_ELEMENT_ARRAY_ATI)}));
}

TEST_F(MeshDrawing, DrawsAddToTheDeviceCounters) {
  int windowTag = 0;
  ASSERT_TRUE(CreateRenderDevice(reinterpret_cast<HDC>(&windowTag), 0, 800, 600));
  offer({GLCap::Core});
  chunk().DrawSubMesh();
  chunk().hasStrips = true;
  chunk().strips = {{{0, 1, 2, 3, 4}}};
  chunk().DrawSubMesh();
  EXPECT_EQ(RenderDevice()->vertices, 16u);
  EXPECT_EQ(RenderDevice()->indices, 12u + 5u);
  EXPECT_EQ(RenderDevice()->triangles, 4u + 3u);
  DestroyRenderDevice();
}

class MeshCulling : public MeshDrawing {
 protected:
  // At the origin looking along +z, a window of 1 × 0.75 at distance 1.
  Camera camera{{0, 0, 0}, {0, 0, 1}, {0, 1, 0}, 1.0f, 100.0f, 0.5f, 0.375f};
  // The grid (x 0..2, y 0..1) stood up so that its y runs along z from `z`.
  static Matrix44 placedAt(float z) { return Multiply(Matrix44{}.Translation(-1, 0, z), Matrix44{}.RotationX(90)); }
};

TEST_F(MeshCulling, VisibleChunkIsListedWithItsNearestViewDepth) {
  offer({GLCap::Core});
  RenderList list(1);
  const Matrix44 placement = placedAt(10);
  mesh.render(camera, placement, list, 0x8);
  ASSERT_EQ(list.bucket(0).size(), 1u);
  const DrawRecord& record = list.bucket(0)[0];
  EXPECT_EQ(record.element, &element());
  EXPECT_NEAR(record.depth, -11.0f, 1e-4f);  // corners at z 10 and 11: eye-space z -10 and -11
  EXPECT_EQ(record.flags, 0x8);
  EXPECT_EQ(record.worldMatrix, &placement);
}

TEST_F(MeshCulling, ChunkBehindTheCameraOrWithoutASurfaceGivesNoRecord) {
  offer({GLCap::Core});
  RenderList list(1);
  mesh.render(camera, placedAt(-10), list, 0);
  EXPECT_EQ(mesh.retained[0], nullptr);  // nothing built for an unseen chunk
  mesh.surfaceIndices = {1};  // one past the last surface: an unresolved name
  mesh.render(camera, placedAt(10), list, 0);
  mesh.surfaceIndices.clear();  // not resolved at all
  mesh.render(camera, placedAt(10), list, 0);
  EXPECT_TRUE(list.bucket(0).empty());
}

TEST_F(MeshCulling, PrimitiveIsOutsideWhenItsBoxIs) {
  MeshPrimitive primitive;
  const auto outside = [&] { return camera.Frustum().ArePointsOutside(primitive.boundingPoints()); };
  EXPECT_TRUE(outside());  // an empty box
  primitive.box.grow({-1, -1, 5});
  primitive.box.grow({1, 1, 6});
  EXPECT_FALSE(outside());
  primitive.box = {};
  primitive.box.grow({-1, -1, -5});
  primitive.box.grow({1, 1, 0.5f});  // short of the near plane
  EXPECT_TRUE(outside());
}

}  // namespace
