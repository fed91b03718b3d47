#pragma once
// Where the test run's generated data set lies: one run of showdata before
// the tests (the CTest fixture "showdata_files"), shared by every test here.
#include <string>

#include "platform/data_files.h"

namespace showdatatest {

// The file the show names `name` ("demo\backs\1.jpg") in the generated set.
inline std::string dataFile(const std::string& name) { return std::string(SKYWARD_SHOWDATA_DIR) + "/" + platform::dataFilePath(name); }

}  // namespace showdatatest
