// Whole files: one bzip2 stream holding one root record.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

#include "persist/persistent_file.h"
#include "persist/scene_file.h"
#include "support/persist_samples.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<char>;

class SceneFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("skyward_persist_" + std::to_string(::getpid()) + "_" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string path(const std::string& name) const { return (dir_ / name).string(); }

  static Bytes contents(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
  }
  static void store(const std::string& file, const Bytes& bytes) {
    std::ofstream(file, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }

  static std::unique_ptr<sample::Node> smallGraph() {
    auto root = std::make_unique<sample::Node>();
    root->name = "root";
    auto leaf = std::make_unique<sample::Leaf>();
    leaf->label = "leaf";
    leaf->indices16 = {1, 2, 3};
    auto child = std::make_unique<sample::Node>();
    child->parent = root.get();
    child->other = leaf.get();
    root->children.push_back(std::move(leaf));
    root->children.push_back(std::move(child));
    return root;
  }

  // A scene (a Node) owning a root whose children form one sibling chain.
  static std::unique_ptr<sample::Node> siblingChain(int children) {
    auto scene = std::make_unique<sample::Node>();
    auto root = std::make_unique<sample::Linked>();
    root->scene = scene.get();
    for (int i = 0; i < children; ++i) {
      auto child = std::make_unique<sample::Linked>();
      child->scene = scene.get();
      child->parent = root.get();
      child->nextSibling = std::move(root->firstChild);
      root->firstChild = std::move(child);
    }
    scene->children.push_back(std::move(root));
    return scene;
  }

  // The children of a chain read back whose scene and parent are right.
  static int linkedChildren(const persistent& read) {
    const auto* scene = dynamic_cast<const sample::Node*>(&read);
    const auto* root = scene != nullptr ? dynamic_cast<const sample::Linked*>(scene->children.at(0).get()) : nullptr;
    if (root == nullptr) return -1;
    int count = 0;
    for (const sample::Linked* child = root->firstChild.get(); child != nullptr; child = child->nextSibling.get())
      count += child->scene == scene && child->parent == root ? 1 : 0;
    return count;
  }

  fs::path dir_;
};

TEST_F(SceneFileTest, WrittenFileIsOneBzip2StreamOfBlockSize9) {
  auto root = smallGraph();
  writeSceneFile(path("a.kst"), *root);
  const Bytes bytes = contents(path("a.kst"));
  ASSERT_GE(bytes.size(), 4u);
  EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 4), "BZh9");
}

TEST_F(SceneFileTest, ReadsBackEqualObjects) {
  auto root = smallGraph();
  writeSceneFile(path("a.kst"), *root);
  auto back = readSceneFile(path("a.kst"));
  auto* node = dynamic_cast<sample::Node*>(back.get());
  ASSERT_NE(node, nullptr);
  EXPECT_EQ(node->name, "root");
  ASSERT_EQ(node->children.size(), 2u);
  auto* leaf = dynamic_cast<sample::Leaf*>(node->children[0].get());
  ASSERT_NE(leaf, nullptr);
  EXPECT_EQ(leaf->fields(), dynamic_cast<sample::Leaf&>(*root->children[0]).fields());
  auto& child = dynamic_cast<sample::Node&>(*node->children[1]);
  EXPECT_EQ(child.parent, node);
  EXPECT_EQ(child.other, leaf);
  EXPECT_EQ(sample::followReferences(*back), 2u);
}

TEST_F(SceneFileTest, LongSiblingChainLoadsOnTheCallingThreadAndOnALoaderThread) {
  // Each sibling's record nests inside the one before it.
  constexpr int kChildren = 100000;
  writeSceneFile(path("chain.kst"), *siblingChain(kChildren));
  std::unique_ptr<persistent> here = readSceneFile(path("chain.kst"));
  ASSERT_NE(here, nullptr);
  EXPECT_EQ(linkedChildren(*here), kChildren);
  EXPECT_EQ(sample::followReferences(*here), 2u * kChildren + 1);  // scene and parent of each, the root's scene

  std::unique_ptr<persistent> loaded;
  std::thread loader([&] { loaded = readSceneFile(path("chain.kst")); });
  loader.join();
  ASSERT_NE(loaded, nullptr);
  EXPECT_EQ(linkedChildren(*loaded), kChildren);
}

TEST_F(SceneFileTest, FailedSaveLeavesTheFileItWouldReplace) {
  writeSceneFile(path("a.kst"), *smallGraph());
  const Bytes before = contents(path("a.kst"));
  struct Unregistered : persistent {};
  auto broken = smallGraph();
  broken->add(std::make_unique<Unregistered>());  // fails after the rest is written
  EXPECT_THROW(writeSceneFile(path("a.kst"), *broken), SceneFileError);
  EXPECT_EQ(contents(path("a.kst")), before);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);  // nothing left beside it
}

TEST_F(SceneFileTest, RecordEndingExactlyAtStreamEndReads) {
  sample::Empty empty;
  writeSceneFile(path("e.kst"), empty);
  EXPECT_NE(dynamic_cast<sample::Empty*>(readSceneFile(path("e.kst")).get()), nullptr);
}

TEST_F(SceneFileTest, StreamCutAtEveryOffsetFailsCleanly) {
  auto root = smallGraph();
  writeSceneFile(path("a.kst"), *root);
  const Bytes whole = contents(path("a.kst"));
  for (std::size_t cut = 0; cut < whole.size(); ++cut) {
    store(path("cut.kst"), Bytes(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(cut)));
    EXPECT_THROW(readSceneFile(path("cut.kst")), SceneFileError) << "cut at " << cut;
  }
}

TEST_F(SceneFileTest, DamagedStreamFailsInsteadOfYieldingGarbage) {
  auto root = smallGraph();
  writeSceneFile(path("a.kst"), *root);
  const Bytes whole = contents(path("a.kst"));
  for (std::size_t at = 4; at < whole.size(); at += 3) {
    Bytes damaged = whole;
    damaged[at] = static_cast<char>(damaged[at] ^ 0x21);
    store(path("bad.kst"), damaged);
    EXPECT_THROW(readSceneFile(path("bad.kst")), SceneFileError) << "byte " << at;
  }
}

TEST_F(SceneFileTest, ErrorsNameTheFileAndTheReason) {
  try {
    readSceneFile(path("missing.kst"));
    FAIL();
  } catch (const SceneFileError& e) {
    EXPECT_NE(std::string(e.what()).find("missing.kst"), std::string::npos);
    EXPECT_EQ(e.code, 0);
  }
  // Bytes that are no bzip2 stream (a picture, a text) and a folder are
  // named for what they are, as is a stream damaged past its start.
  store(path("plain.kst"), Bytes{'n', 'o', 't', ' ', 'b', 'z'});
  writeSceneFile(path("a.kst"), *smallGraph());
  Bytes cut = contents(path("a.kst"));
  cut.resize(cut.size() / 2);
  store(path("cut.kst"), cut);
  const std::pair<std::string, std::string> cases[] = {
      {path("plain.kst"), ": not a scene file (it does not begin with a bzip2 stream)"},
      {dir_.string(), ": is a folder"},
      {path("cut.kst"), ": the stream ended early or is damaged (persistent::exception 3)"},
  };
  for (const auto& [file, reason] : cases) {
    try {
      readSceneFile(file);
      FAIL() << file;
    } catch (const SceneFileError& e) {
      EXPECT_NE(std::string(e.what()).find(file + reason), std::string::npos) << e.what();
    }
  }
}

TEST_F(SceneFileTest, UncompressedStoreMovesRawBytes) {
  FILE* file = std::fopen(path("raw").c_str(), "wb");
  ASSERT_NE(file, nullptr);
  {
    persistent_file out(file, persistent_file::Writing, false);
    EXPECT_EQ(file, nullptr);
    out.writeVarint(300);
    out.writeString("ab");
  }
  EXPECT_EQ(contents(path("raw")), (Bytes{0x2C, static_cast<char>(0x82), 'a', 'b', 0}));
  file = std::fopen(path("raw").c_str(), "rb");
  persistent_file in(file, persistent_file::Reading, false);
  EXPECT_EQ(in.readVarint(), 300u);
  EXPECT_EQ(in.readString(), "ab");
  EXPECT_EQ(in.read(&file, 1, 1), 0);
}

TEST_F(SceneFileTest, StreamThatDidNotOpenReportsItAndReadsNothing) {
  FILE* none = nullptr;
  persistent_file store(none, persistent_file::Reading, true);
  EXPECT_NE(store.openError(), 0);
  char byte = 0;
  EXPECT_EQ(store.read(&byte, 1, 1), 0);
}

}  // namespace
