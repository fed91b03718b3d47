// The key list: appending, ownership, copies, and evaluation without memory
// allocation.
#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstdlib>
#include <new>
#include <vector>

#include "envelope_support.h"

namespace {

std::atomic<long> allocationCount{0};

}  // namespace

// Counts every allocation of this test program. Every plain and nothrow form
// is replaced so that memory from any of them (libraries allocate with all)
// comes back to the matching free. The compiler cannot see that malloc and
// free pair up across the replacements.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
namespace {
void* countedAllocation(std::size_t size) noexcept {
  ++allocationCount;
  return std::malloc(size == 0 ? 1 : size);
}
void* countedOrThrow(std::size_t size) {
  if (void* block = countedAllocation(size)) return block;
  throw std::bad_alloc();
}
}  // namespace
void* operator new(std::size_t size) { return countedOrThrow(size); }
void* operator new[](std::size_t size) { return countedOrThrow(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return countedAllocation(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return countedAllocation(size); }
void operator delete(void* block) noexcept { std::free(block); }
void operator delete[](void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }
void operator delete[](void* block, std::size_t) noexcept { std::free(block); }
void operator delete(void* block, const std::nothrow_t&) noexcept { std::free(block); }
void operator delete[](void* block, const std::nothrow_t&) noexcept { std::free(block); }
#pragma GCC diagnostic pop

namespace {

using envelope_test::key;
using envelope_test::make;

std::vector<float> times(const Envelope& envelope) {
  std::vector<float> result;
  for (const EnvelopeKey* k = envelope.keys(); k != nullptr; k = k->next.get()) result.push_back(k->time);
  return result;
}

TEST(EnvelopeKeys, AddKeyAppendsATCBKeyWithTheGivenParameters) {
  Envelope envelope;
  envelope.addKey(1.0f, 2.0f, 0.25f, 0.5f, -0.75f);  // time, value, continuity, tension, bias
  EnvelopeKey& second = envelope.addKey(0.5f, 3.0f, 0.0f, 0.0f, 0.0f);
  EXPECT_EQ(envelope.keyCount(), 2);
  EXPECT_EQ(times(envelope), (std::vector<float>{1.0f, 0.5f}));
  const EnvelopeKey& first = *envelope.keys();
  EXPECT_EQ(first.value, 2.0f);
  EXPECT_EQ(first.continuity, 0.25f);
  EXPECT_EQ(first.tension, 0.5f);
  EXPECT_EQ(first.bias, -0.75f);
  EXPECT_EQ(first.shape, kShapeTCB);
  EXPECT_EQ(first.param, (std::array<float, 4>{}));
  EXPECT_EQ(first.prev, nullptr);
  EXPECT_EQ(second.prev, &first);
  EXPECT_EQ(envelope.lastKey(), &second);
}

TEST(EnvelopeKeys, SetBehaviorsSetsBothSides) {
  Envelope envelope;
  envelope.setBehaviors(kBehaviorOscillate);
  EXPECT_EQ(envelope.preBehavior, kBehaviorOscillate);
  EXPECT_EQ(envelope.postBehavior, kBehaviorOscillate);
}

TEST(EnvelopeKeys, CopiesAreDeepAndMovesLeaveTheSourceEmpty) {
  Envelope original = make({{0.0f, 1.0f}, {2.0f, 3.0f}}, kShapeBezier2D, kBehaviorRepeat);
  key(original, 1).param = {1.0f, 2.0f, 3.0f, 4.0f};
  original.defaultValue = 6.0f;

  Envelope copy = original;
  key(copy, 1).value = 50.0f;
  EXPECT_EQ(key(original, 1).value, 3.0f);
  EXPECT_EQ(key(copy, 1).param, key(original, 1).param);
  EXPECT_EQ(key(copy, 1).shape, kShapeBezier2D);
  EXPECT_EQ(copy.preBehavior, kBehaviorRepeat);
  EXPECT_EQ(copy.defaultValue, 6.0f);
  EXPECT_EQ(copy.lastKey()->prev, copy.keys());

  Envelope moved = std::move(copy);
  EXPECT_EQ(moved.keyCount(), 2);
  EXPECT_EQ(key(moved, 1).value, 50.0f);
  EXPECT_EQ(copy.keys(), nullptr);  // NOLINT(bugprone-use-after-move): the source is left empty
  EXPECT_EQ(copy.keyCount(), 0);

  moved = original;  // replacing frees the old keys (the sanitizer build checks)
  EXPECT_EQ(key(moved, 1).value, 3.0f);
  moved.addKey(4.0f, 0.0f, 0.0f, 0.0f, 0.0f);
  EXPECT_EQ(moved.keyCount(), 3);
  EXPECT_EQ(original.keyCount(), 2);
}

TEST(EnvelopeKeys, ALongListIsFreedWithoutRecursion) {
  Envelope envelope;
  for (int i = 0; i < 1000000; ++i) envelope.addKey(static_cast<float>(i), 0.0f, 0.0f, 0.0f, 0.0f);
  envelope.clear();
  EXPECT_EQ(envelope.keys(), nullptr);
  EXPECT_EQ(envelope.keyCount(), 0);
  EXPECT_EQ(evaluateEnvelope(envelope, 1.0f), envelope.defaultValue);
}

TEST(EnvelopeKeys, EvaluationAllocatesNothing) {
  std::vector<Envelope> envelopes;
  for (std::int32_t shape = kShapeTCB; shape <= kShapeBezier2D; ++shape) {
    for (std::int32_t behavior = kBehaviorReset; behavior <= kBehaviorLinear; ++behavior) {
      envelopes.push_back(make({{0.0f, 0.0f}, {1.0f, 4.0f}, {3.0f, -2.0f}}, shape, behavior));
    }
  }
  const long before = allocationCount.load();
  float sum = 0.0f;
  for (const Envelope& envelope : envelopes) {
    for (float t = -5.0f; t < 8.0f; t += 0.37f) sum += evaluateEnvelope(envelope, t);
  }
  EXPECT_EQ(allocationCount.load(), before);
  EXPECT_TRUE(std::isfinite(sum));
}

}  // namespace
