// --watch reads again once the files have been quiet for the quiet time: a
// save in several steps is read once, after its last step.
#include "shell/data_watch.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/host.h"
#include "support/fake_host.h"
#include "support/sound_files.h"

namespace {

TEST(DataWatch, SettlesOnceTheFilesWereQuietForTheQuietTime) {
  fake::FakeHost host;
  platform::setHost(&host);
  fake::TempFolder folder;
  const std::string file = (folder / "1.jpg").string();
  std::ofstream(file) << "one";
  shell::DataWatch watch(folder.path().string(), 300);
  EXPECT_FALSE(watch.settled());

  std::ofstream(file) << "two";
  EXPECT_FALSE(watch.settled());
  host.now += 200;
  std::ofstream(file) << "three";  // a second step of the same save
  EXPECT_FALSE(watch.settled());
  host.now += 299;
  EXPECT_FALSE(watch.settled());
  host.now += 1;
  EXPECT_TRUE(watch.settled());
  EXPECT_TRUE(watch.settled());  // until read in
  watch.readIn();
  EXPECT_FALSE(watch.settled());
  host.now += 1000;
  EXPECT_FALSE(watch.settled());
  platform::setHost(nullptr);
}

}  // namespace
