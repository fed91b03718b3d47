// The named, owning cache under every stock.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <new>
#include <string>
#include <vector>

#include "stocks/object_stock.h"
#include "support/log_capture.h"
#include "support/sound_files.h"

namespace {

// Tells which objects have been destroyed.
struct Tracked {
  Tracked(std::string label, std::vector<std::string>& gone) : label(std::move(label)), gone(gone) {}
  ~Tracked() { gone.push_back(label); }
  std::string label;
  std::vector<std::string>& gone;
};

using Stock = kst::ObjectStock<Tracked>;

TEST(ObjectStock, AbsentNamesAnswerNullAndUnloadOfThemDoesNothing) {
  std::vector<std::string> gone;
  Stock stock;
  EXPECT_EQ(stock.get("demo\\never.jpg"), nullptr);
  stock.unload("demo\\never.jpg");
  EXPECT_EQ(stock.get(nullptr), nullptr);
  stock.unload(nullptr);
  EXPECT_EQ(stock.size(), 0u);
  EXPECT_TRUE(gone.empty());
}

TEST(ObjectStock, ASecondAddKeepsTheFirstObjectAndLeavesTheOfferedOneToTheCaller) {
  std::vector<std::string> gone;
  {
    Stock stock;
    auto* first = new Tracked("first", gone);
    auto* second = new Tracked("second", gone);
    EXPECT_TRUE(stock.add("a", first));
    EXPECT_FALSE(stock.add("a", second));
    EXPECT_EQ(stock.get("a"), first);
    EXPECT_TRUE(gone.empty());
    delete second;  // still ours: the stock must not have destroyed it
    EXPECT_EQ(gone, std::vector<std::string>{"second"});
  }
  EXPECT_EQ(gone, (std::vector<std::string>{"second", "first"}));
}

TEST(ObjectStock, NamesAreComparedByteForByte) {
  std::vector<std::string> gone;
  Stock stock;
  for (const char* name : {"demo\\a.jpg", "demo/a.jpg", "DEMO\\a.jpg", "demo\\A.jpg"})
    EXPECT_TRUE(stock.add(name, new Tracked(name, gone))) << name;
  EXPECT_EQ(stock.size(), 4u);
  EXPECT_EQ(stock.get("demo/a.jpg")->label, "demo/a.jpg");
  EXPECT_EQ(stock.get("demo\\A.jpg")->label, "demo\\A.jpg");
}

TEST(ObjectStock, UnloadDestroysOneObjectAndTheStockDestroysTheRest) {
  std::vector<std::string> gone;
  {
    Stock stock;
    stock.add("x", new Tracked("x", gone));
    stock.add("y", new Tracked("y", gone));
    stock.add("z", nullptr);  // an empty entry may be stored and unloaded
    stock.unload("x");
    EXPECT_EQ(gone, std::vector<std::string>{"x"});
    EXPECT_EQ(stock.get("x"), nullptr);
    stock.unload("z");
    EXPECT_EQ(stock.size(), 1u);
    stock.unload("x");  // a second unload finds nothing
    EXPECT_EQ(gone.size(), 1u);
  }
  EXPECT_EQ(gone, (std::vector<std::string>{"x", "y"}));
}

TEST(ObjectStock, ClearEmptiesTheStockAndANameMayThenBeAddedAgain) {
  std::vector<std::string> gone;
  Stock stock;
  stock.add("x", new Tracked("x1", gone));
  stock.clear();
  EXPECT_EQ(gone, std::vector<std::string>{"x1"});
  auto* again = new Tracked("x2", gone);
  EXPECT_TRUE(stock.add("x", again));
  EXPECT_EQ(stock.get("x"), again);
}

// A read again that fails, however it fails, leaves the version read
// before in use, said with the file and the reason; with none read before,
// the failure goes on to the caller.
TEST(ObjectStock, AReadAgainThatFailsInAnyWayKeepsTheVersionReadBefore) {
  struct Reading : Stock {
    using Stock::load;
  };
  const struct {
    std::function<void()> fail;
    const char* said;
  } cases[] = {
      {[] { throw kst::LoadError("demo/x.kst", "damaged"); }, "damaged"},
      {[] { throw std::bad_alloc(); }, "std::bad_alloc"},
      {[] { throw std::length_error("too many chunks"); }, "too many chunks"},
  };
  fake::TempFolder folder;
  const std::string file = (folder / "x.kst").string();
  for (const auto& c : cases) {
    std::vector<std::string> gone;
    std::ofstream(file) << "one";
    Reading stock;
    stock.load("x", {file}, [&] { return std::make_unique<Tracked>("first", gone); });
    stock.setAside();
    kst::SourceStamp::reportChanged(file);
    fake::LogCapture log;
    stock.load("x", {file}, [&] {
      c.fail();
      return std::unique_ptr<Tracked>();
    });
    ASSERT_NE(stock.get("x"), nullptr) << c.said;
    EXPECT_EQ(stock.get("x")->label, "first");
    EXPECT_NE(log.text().find(c.said), std::string::npos) << log.text();
    EXPECT_ANY_THROW(stock.load("y", {file}, [&] {
      c.fail();
      return std::unique_ptr<Tracked>();
    }));
  }
}

}  // namespace
