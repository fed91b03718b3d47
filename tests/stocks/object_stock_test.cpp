// The named, owning cache under every stock.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "stocks/object_stock.h"

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

}  // namespace
