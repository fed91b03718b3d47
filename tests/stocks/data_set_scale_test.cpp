// The data set's scale mark as the engine reads it: a whole number from 1 to
// 3, blanks around it allowed; no mark is scale 1, said nowhere; anything
// else is scale 1 with a warning naming the file and what it holds.
#include "stocks/data_set_scale.h"

#include <gtest/gtest.h>

#include <fstream>
#include <optional>
#include <string>

#include "support/log_capture.h"
#include "support/show_folder.h"

namespace {

TEST(DataSetScale, ReadFromTheMarkOrScaleOneWithAWarning) {
  struct Case {
    std::optional<std::string> mark;  // none: no file
    int scale;
    bool warned;
  };
  const Case cases[] = {
      {std::nullopt, 1, false}, {"2\n", 2, false}, {" 3 \r\n", 3, false}, {"1", 1, false},
      {"4\n", 1, true},         {"0", 1, true},    {"2x", 1, true},       {"", 1, true},
      {"22", 1, true},
  };
  for (const Case& c : cases) {
    fake::ShowFolder folder;
    if (c.mark) std::ofstream("demo/scale.txt", std::ios::binary) << *c.mark;
    fake::LogCapture log;
    EXPECT_EQ(kst::ReadDataSetScale(), c.scale) << c.mark.value_or("(none)");
    EXPECT_EQ(log.text().find("** Warning: demo/scale.txt: expected the data set's scale") != std::string::npos,
              c.warned)
        << log.text();
  }
}

}  // namespace
