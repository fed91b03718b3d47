// TextureImage records: written, read back (uploading through a recording
// GL driver) and damaged.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "persist/dynamic_factory.h"
#include "persist/object_record.h"
#include "recorded_textures.h"
#include "scene/image_decoding.h"
#include "scene/texture_image.h"
#include "support/log_capture.h"
#include "support/memory_store.h"
#include "support/picture_files.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes recordHead() {
  const std::string name = "class TextureImage";
  Bytes bytes(name.begin(), name.end());
  bytes.insert(bytes.end(), {0x00, 0x00, 0x00});  // name end, version 0
  return bytes;
}

void append(Bytes& bytes, std::initializer_list<std::uint8_t> more) { bytes.insert(bytes.end(), more); }

// The head and the fields of a texture left at its defaults and mipmapped.
Bytes defaultFields() {
  Bytes bytes = recordHead();
  append(bytes, {0x01, 0xCC,               // GL_LINEAR (0x2601), lowest 7 bits first
                 0x03, 0xCE,               // GL_LINEAR_MIPMAP_LINEAR (0x2703)
                 0x01, 0xD2, 0x01, 0xD2,   // GL_REPEAT (0x2901) twice
                 0x00, 0x00, 0x00, 0x40,   // 2.0f
                 0x80});                   // no flags
  return bytes;
}

class TextureRecords : public scenetest::RecordedTextures {
 protected:
  TextureRecords() { offerUsual(); }

  void offerUsual() { offer({GLCap::Core, GLCap::GLU, GLCap::EXT_bgra, GLCap::SGIS_generate_mipmap}); }

  std::unique_ptr<TextureImage> readBack(fake::MemoryStore& store) {
    return store.adopt<TextureImage>(readRecord(store));
  }

  std::string folder = fake::freshFolder("records");
};

TEST_F(TextureRecords, RegisteredUnderItsStoredName) {
  std::unique_ptr<persistent> made(dynamic::createByName("class TextureImage"));
  EXPECT_NE(dynamic_cast<TextureImage*>(made.get()), nullptr);
}

TEST_F(TextureRecords, RawPixelsRoundTripWithEveryField) {
  TextureImage texture;
  texture.flags = TextureImage::TEX_NO_MIPMAPS;
  texture.magFilter = GL_NEAREST;
  texture.setWrapT(GL_CLAMP);
  texture.maxAnisotropy = 4.0f;
  texture.upload(picture<Image32>(2, 1, 1));  // no name: the pixels stay and are stored
  fake::MemoryStore store;
  writeRecord(texture, store);

  Bytes expected = recordHead();
  append(expected, {0x00, 0xCC,               // GL_NEAREST (0x2600)
                    0x01, 0xCC,               // GL_LINEAR, set by the level-0-only upload
                    0x01, 0xD2,               // GL_REPEAT
                    0x00, 0xD2,               // GL_CLAMP
                    0x00, 0x00, 0x80, 0x40,   // 4.0f
                    0x82,                     // TEX_NO_MIPMAPS
                    0x01, 0x01, 0x82, 0x81, 0x81, 0, 1, 2, 3, 4, 5, 6, 7,  // present, raw, 2 x 1, blue first
                    0x00, 0x00});             // no 24 or 8-bit picture
  EXPECT_EQ(store.bytes, expected);

  uploads.clear();
  auto back = readBack(store);
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(back->magFilter, static_cast<GLenum>(GL_NEAREST));
  EXPECT_EQ(back->minFilter, static_cast<GLenum>(GL_LINEAR));
  EXPECT_EQ(back->wrapT, static_cast<GLenum>(GL_CLAMP));
  EXPECT_EQ(back->maxAnisotropy, 4.0f);
  EXPECT_EQ(back->flags, static_cast<std::uint32_t>(TextureImage::TEX_NO_MIPMAPS));
  EXPECT_EQ(back->image24, nullptr);
  ASSERT_NE(back->image32, nullptr);
  EXPECT_EQ(back->image32->bgrOrder, 1);
  ASSERT_EQ(uploads.size(), 1u);  // uploaded as it was read
  EXPECT_EQ(uploads[0].format, static_cast<GLenum>(GL_BGRA_EXT));
  EXPECT_EQ(uploads[0].bytes, (Bytes{0, 1, 2, 3, 4, 5, 6, 7}));
}

TEST_F(TextureRecords, ReadWithoutGLKeepsThePictureForTheFirstBind) {
  TextureImage texture;
  texture.image32 = picture<Image32>(2, 1, 1);
  fake::MemoryStore store;
  writeRecord(texture, store);
  ResetGLTable();  // as a tool that only inspects scene files
  auto back = readBack(store);
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(back->glName, 0u);
  ASSERT_NE(back->image32, nullptr);
  ASSERT_NE(back->image32->pixels, nullptr);

  fake::RecordingGL::FillTable();
  offerUsual();
  back->bind(0);
  EXPECT_NE(back->glName, 0u);
  ASSERT_EQ(uploads.size(), 1u);
  EXPECT_EQ(uploads[0].format, static_cast<GLenum>(GL_BGRA_EXT));
  EXPECT_EQ(uploads[0].bytes, (Bytes{0, 1, 2, 3, 4, 5, 6, 7}));
  back->bind(0);
  EXPECT_EQ(uploads.size(), 1u);  // once
}

TEST_F(TextureRecords, EmbeddedFileRoundTripsToTheSamePixels) {
  const fake::Picture art = fake::Picture::make(3, 2, 3, [](int x, int y) {
    return std::array<int, 3>{80 * x, 100 * y, 255 - 60 * x};
  });
  const std::string path = folder + "/art.png";
  ASSERT_TRUE(fake::writePicture(art, path, fake::PictureFormat::Png));
  auto image = std::make_unique<Image24>();
  ASSERT_TRUE(LoadImage(*image, path));
  TextureImage texture;
  texture.upload(std::move(image));
  ASSERT_EQ(texture.image24->pixels, nullptr);  // named: read again from the file when saving
  const scenetest::Upload original = uploads.back();

  fake::MemoryStore store;
  writeRecord(texture, store);
  const Bytes file = fake::readWholeFile(path);
  Bytes body = defaultFields();
  append(body, {0x00, 0x01, 0x00});  // no 32-bit picture; a 24-bit one from a file
  const std::string stored = "art.png";  // the last part of the name only
  body.insert(body.end(), stored.begin(), stored.end());
  body.push_back(0);
  // The length in groups of 7 bits, lowest first, the last byte marked.
  for (std::size_t rest = file.size(); ; rest >>= 7) {
    if (rest < 0x80) {
      body.push_back(static_cast<std::uint8_t>(rest | 0x80));
      break;
    }
    body.push_back(static_cast<std::uint8_t>(rest & 0x7F));
  }
  body.insert(body.end(), file.begin(), file.end());
  append(body, {0x00});  // no 8-bit picture
  EXPECT_EQ(store.bytes, body);

  uploads.clear();
  auto back = readBack(store);
  ASSERT_NE(back, nullptr);
  ASSERT_NE(back->image24, nullptr);
  EXPECT_EQ(back->image24->name, "art.png");
  ASSERT_EQ(uploads.size(), 1u);
  EXPECT_EQ(uploads[0].width, original.width);
  EXPECT_EQ(uploads[0].bytes, original.bytes);
}

TEST_F(TextureRecords, GreyPictureBodyHasNoByteOrder) {
  TextureImage texture;
  texture.image8 = picture<Image8>(2, 2);  // as a tool builds it, before any upload
  fake::MemoryStore store;
  writeRecord(texture, store);
  Bytes expected = defaultFields();
  append(expected, {0x00, 0x00, 0x01, 0x01, 0x82, 0x82, 0, 1, 2, 3});  // only an 8-bit picture, 2 x 2
  EXPECT_EQ(store.bytes, expected);
  auto back = readBack(store);
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(uploads.back().format, static_cast<GLenum>(GL_LUMINANCE));
  EXPECT_EQ(uploads.back().bytes, (Bytes{0, 1, 2, 3}));
}

TEST_F(TextureRecords, MissingPictureFailsTheSaveNamingIt) {
  TextureImage texture;
  texture.image32 = picture<Image32>(2, 2);
  texture.image32->name = folder + "\\gone.png";
  fake::MemoryStore store;
  try {
    writeRecord(texture, store);
    FAIL() << "the save went through without the picture";
  } catch (const PictureSaveError& error) {
    EXPECT_EQ(error.picture, folder + "\\gone.png");
    EXPECT_NE(std::string(error.what()).find("gone.png"), std::string::npos);
  }
  // An unnamed 8-bit picture has given its pixels to the texture.
  TextureImage grey;
  grey.upload(picture<Image8>(2, 2));
  fake::MemoryStore other;
  EXPECT_THROW(writeRecord(grey, other), PictureSaveError);
}

TEST_F(TextureRecords, UndecodablePictureLeavesAnEmptyTextureAndTheLoadGoesOn) {
  Bytes stream = defaultFields();
  append(stream, {0x01, 0x00, 'x', '.', 'p', 'n', 'g', 0x00, 0x84, 1, 2, 3, 4, 0x00, 0x00});
  const Bytes one = stream;
  stream.insert(stream.end(), one.begin(), one.end());  // a second record after the first
  fake::MemoryStore store(stream);
  fake::LogCapture log;
  auto first = readBack(store);
  auto second = readBack(store);
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  ASSERT_NE(first->image32, nullptr);
  EXPECT_EQ(first->image32->width, 0);
  EXPECT_EQ(first->image32->name, "x.png");
  EXPECT_NE(log.text().find("** Warning: cannot decode the picture x.png"), std::string::npos);
}

TEST_F(TextureRecords, DamagedRecordsAreRefused) {
  Bytes head = recordHead();
  append(head, {0x81, 0x81, 0x81, 0x81, 0x00, 0x00, 0x00, 0x40, 0x80, 0x01});
  Bytes badTag = head;
  append(badTag, {0x07});
  Bytes hugeRaw = head;
  append(hugeRaw, {0x01, 0x7F, 0x7F, 0xFF, 0x7F, 0x7F, 0xFF, 0x81, 1, 2, 3});  // 2^21 x 2^21 claimed
  Bytes negative = head;
  append(negative, {0x01, 0x7F, 0x7F, 0x7F, 0x7F, 0x8F, 0x81, 0x81});  // width -1
  Bytes cutFile = head;
  append(cutFile, {0x00, 'a', 0x00, 0xFF, 1, 2});
  for (const Bytes& damaged : {badTag, hugeRaw, negative, cutFile}) {
    fake::MemoryStore store(damaged);
    EXPECT_THROW(readRecord(store), persistent::exception);
  }
}

}  // namespace
