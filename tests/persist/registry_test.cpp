// The class registry: exact names, newest registration first, unlinking.
#include <gtest/gtest.h>

#include <memory>

#include "persist/dynamic_factory.h"
#include "support/persist_samples.h"

namespace {

struct Older : persistent {
  static constexpr const char storedName[] = "class Twin";
};
struct Newer : persistent {
  static constexpr const char storedName[] = "class Twin";
};
struct Third : persistent {
  static constexpr const char storedName[] = "class Third";
};

bool made(const char* name, auto* typeTag) {
  std::unique_ptr<persistent> object(dynamic::createByName(name));
  return dynamic_cast<std::remove_pointer_t<decltype(typeTag)>*>(object.get()) != nullptr;
}

TEST(Registry, NameMustMatchExactly) {
  EXPECT_TRUE(made("class sample::Leaf", static_cast<sample::Leaf*>(nullptr)));
  EXPECT_EQ(dynamic::createByName("class sample::leaf"), nullptr);
  EXPECT_EQ(dynamic::createByName("class sample::Leaf "), nullptr);
  EXPECT_EQ(dynamic::createByName("sample::Leaf"), nullptr);
}

TEST(Registry, MostRecentlyRegisteredAnswersFirstAndLeavesCleanly) {
  auto older = std::make_unique<dynamic::factory<Older>>();
  auto newer = std::make_unique<dynamic::factory<Newer>>();
  auto third = std::make_unique<dynamic::factory<Third>>();
  EXPECT_TRUE(made("class Twin", static_cast<Newer*>(nullptr)));
  newer.reset();  // unlinked from the middle of the list
  EXPECT_TRUE(made("class Twin", static_cast<Older*>(nullptr)));
  EXPECT_TRUE(made("class Third", static_cast<Third*>(nullptr)));
  older.reset();
  third.reset();
  EXPECT_EQ(dynamic::createByName("class Twin"), nullptr);
  EXPECT_TRUE(made("class sample::Node", static_cast<sample::Node*>(nullptr)));
}

TEST(Registry, WriterFindsTheFactoryOfTheExactClass) {
  sample::Node node;
  const dynamic::abstract_factory* maker = dynamic::factoryOf(node);
  ASSERT_NE(maker, nullptr);
  EXPECT_STREQ(maker->className(), "class sample::Node");
}

TEST(Registry, StaticFactoriesAnswerInEveryProgramWithoutTheRegistrationStep) {
  // Nothing in this program refers to the texture class but the registry.
  std::unique_ptr<persistent> texture(dynamic::createByName("class TextureImage"));
  EXPECT_NE(texture, nullptr);
}

}  // namespace
