// The Windows header comes first here: the standard headers after it, and
// the standard names the C run-time macros could touch, still work.
#include "windows.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <list>
#include <sstream>
#include <string>
#include <vector>

namespace {

TEST(FilesHeaders, StandardNamesSurviveTheRunTimeMacros) {
  std::vector<int> v{1, 2, 1, 3};
  v.erase(std::remove(v.begin(), v.end(), 1), v.end());
  EXPECT_EQ(v, (std::vector<int>{2, 3}));
  std::list<int> l{1, 2, 1};
  l.remove(1);
  EXPECT_EQ(l.size(), 1u);
  std::stringstream ss;
  ss << std::string("x");
  EXPECT_EQ(ss.str(), "x");
  std::error_code ec;
  EXPECT_FALSE(std::filesystem::remove("/findes/ikke/x", ec));
  auto now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
  EXPECT_GT(now, 0);
  // fopen and std::fopen are the mapped ones.
  EXPECT_EQ(std::fopen("C:\\findes\\ikke\\x", "rb"), nullptr);
  EXPECT_EQ(fopen("Q:\\x", "rb"), nullptr);
  EXPECT_EQ(errno, ENOENT);
}

}  // namespace
