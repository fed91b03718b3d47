#include "timeline/timeline.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "timeline_fixture.h"

namespace {

// Records firing and destruction so the tests can see both.
struct Journal {
  std::vector<std::string> fired;
  std::vector<std::string> destroyed;
  std::vector<float> firedAt;
};

class Probe : public kst::TimeLineEvent {
 public:
  Probe(Journal& journal, std::string name, float time)
      : kst::TimeLineEvent(time), journal_(journal), name_(std::move(name)) {}
  ~Probe() override { journal_.destroyed.push_back(name_); }
  void fire(float t) override {
    journal_.fired.push_back(name_);
    journal_.firedAt.push_back(t);
  }

 private:
  Journal& journal_;
  std::string name_;
};

// Schedules another probe from inside its own firing, at `childTime`.
class Spawner : public Probe {
 public:
  Spawner(Journal& journal, std::string name, float time, float childTime)
      : Probe(journal, std::move(name), time), journal_(journal), childTime_(childTime) {}
  void fire(float t) override {
    Probe::fire(t);
    new Probe(journal_, "child", childTime_);
  }

 private:
  Journal& journal_;
  float childTime_;
};

class TimeLineTest : public fake::TimeLineFixture {
 protected:
  Journal journal;
};

using Names = std::vector<std::string>;

TEST_F(TimeLineTest, EmptyTimelineUpdateDoesNothing) {
  line().rewind();
  line().update(100.0f);
  EXPECT_EQ(line().count(), 0u);
}

TEST_F(TimeLineTest, EqualTimesFireInConstructionOrder) {
  new Probe(journal, "E1", 1.0f);
  new Probe(journal, "E2", 1.0f);
  new Probe(journal, "E3", 1.0f);
  line().rewind();
  line().update(1.0f);  // exactly at t: less-or-equal fires
  EXPECT_EQ(journal.fired, (Names{"E1", "E2", "E3"}));
  EXPECT_EQ(line().count(), 0u);
}

TEST_F(TimeLineTest, FiresOnlyDueEventsOldestFirstAcrossUpdates) {
  new Probe(journal, "late", 3.0f);
  new Probe(journal, "early", 0.5f);
  new Probe(journal, "middle", 1.0f);
  line().rewind();
  line().update(2.0f);
  EXPECT_EQ(journal.fired, (Names{"early", "middle"}));
  EXPECT_EQ(journal.firedAt, (std::vector<float>{2.0f, 2.0f}));
  line().update(2.5f);
  EXPECT_EQ(journal.fired.size(), 2u);
  EXPECT_EQ(line().count(), 1u);
  line().update(10.0f);
  EXPECT_EQ(journal.fired, (Names{"early", "middle", "late"}));
}

TEST_F(TimeLineTest, OffsetIsAddedAtConstruction) {
  line().timeOffset = 42.5f;
  auto* probe = new Probe(journal, "shifted", -32.0f);
  EXPECT_FLOAT_EQ(probe->time, 10.5f);
  line().timeOffset = 0.0f;
  line().rewind();
  line().update(10.4f);
  EXPECT_TRUE(journal.fired.empty());
  line().update(10.5f);
  EXPECT_EQ(journal.fired, (Names{"shifted"}));
}

TEST_F(TimeLineTest, NegativeAndPastEventsFireInFirstUpdate) {
  new Probe(journal, "negative", -5.0f);
  new Probe(journal, "zero", 0.0f);
  line().rewind();
  line().update(0.0f);
  EXPECT_EQ(journal.fired, (Names{"negative", "zero"}));
}

TEST_F(TimeLineTest, ClearDestroysPendingAndLeavesNothingToFire) {
  new Probe(journal, "a", 1.0f);
  new Probe(journal, "b", 2.0f);
  line().rewind();
  line().clear();
  EXPECT_EQ(line().count(), 0u);
  EXPECT_THAT(journal.destroyed, ::testing::UnorderedElementsAre("a", "b"));
  line().update(1000.0f);
  EXPECT_TRUE(journal.fired.empty());
}

TEST_F(TimeLineTest, FiredEventsAreDestroyedOnceAndTeardownOnlyTakesTheRest) {
  new Probe(journal, "fires", 1.0f);
  new Probe(journal, "stays", 5.0f);
  line().rewind();
  line().update(2.0f);
  EXPECT_EQ(journal.destroyed, (Names{"fires"}));
  line().clear();  // the path the destructor takes at program exit
  EXPECT_EQ(journal.destroyed, (Names{"fires", "stays"}));
}

TEST_F(TimeLineTest, CursorRulesForEventsAddedAfterRewind) {
  new Probe(journal, "first", 2.0f);
  line().rewind();
  new Probe(journal, "before-cursor", 1.0f);  // earlier than the cursor: waits for a rewind
  new Probe(journal, "after-cursor", 3.0f);
  line().update(5.0f);
  EXPECT_EQ(journal.fired, (Names{"first", "after-cursor"}));
  line().rewind();
  line().update(5.0f);
  EXPECT_EQ(journal.fired, (Names{"first", "after-cursor", "before-cursor"}));
}

TEST_F(TimeLineTest, EventAddedByAFiringEventFiresInTimeOrderOnceDue) {
  // The child lands between the firing parent and the next pending event.
  new Spawner(journal, "parent", 1.0f, 1.5f);
  new Probe(journal, "next", 3.0f);
  line().rewind();
  line().update(2.0f);
  EXPECT_EQ(journal.fired, (Names{"parent", "child"}));
  line().update(4.0f);
  EXPECT_EQ(journal.fired, (Names{"parent", "child", "next"}));
}

TEST_F(TimeLineTest, EventAddedByAFiringEventWaitsUntilItIsDue) {
  new Spawner(journal, "parent", 1.0f, 2.5f);
  new Probe(journal, "next", 2.0f);
  new Spawner(journal, "last", 3.0f, 3.0f);  // same time as its parent: after it
  line().rewind();
  line().update(1.0f);
  EXPECT_EQ(journal.fired, (Names{"parent"}));
  line().update(5.0f);
  EXPECT_EQ(journal.fired, (Names{"parent", "next", "child", "last", "child"}));
  EXPECT_EQ(line().count(), 0u);
}

TEST_F(TimeLineTest, EventAddedWhileCursorAtEndWaitsForRewind) {
  line().rewind();
  new Probe(journal, "late-comer", 0.0f);
  line().update(1.0f);
  EXPECT_TRUE(journal.fired.empty());
  line().rewind();
  line().update(1.0f);
  EXPECT_EQ(journal.fired, (Names{"late-comer"}));
}

}  // namespace
