// Temporary output names: every name made is recognised, and grid and listing names are not.
#include "utl/temp_name.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace utl {
namespace {

TEST(TempName, EveryNameMadeIsRecognisedAsOne) {
  EXPECT_EQ(temp_file_name(4711, 3, 0x1230a9fULL), ".tmp4711.3.0a9f");
  for (const long process : {1L, 4711L, 2147483647L}) {
    for (const unsigned long count : {1UL, 99UL, 4294967295UL}) {
      for (const unsigned long long clock : {0ULL, 0xFFFFULL, 0xFFFFFFFFFFFFFFFFULL}) {
        const std::string name = temp_file_name(process, count, clock);
        EXPECT_TRUE(is_temp_name(name)) << name;
        EXPECT_EQ(name.front(), '.') << "a hidden file, passed over by listings";
      }
    }
  }
  // Names made in a directory: the file part is one, and each name is new.
  std::set<std::string> made;
  for (int i = 0; i < 100; ++i) {
    const std::string path = temp_name_in("grids/text/");
    ASSERT_EQ(path.rfind("grids/text/", 0), 0u) << path;
    EXPECT_TRUE(is_temp_name(path.substr(11))) << path;
    made.insert(path);
  }
  EXPECT_EQ(made.size(), 100u);
  EXPECT_TRUE(is_temp_name(temp_name_in("")));
}

TEST(TempName, TemporaryFilesOfEarlierVersionsAndNoOthers) {
  EXPECT_TRUE(is_temp_name("1998.04.rch.tmp12.ab0"));
  EXPECT_TRUE(is_temp_name("run.nc.tmp.tmp7"));
  EXPECT_FALSE(is_temp_name("1998.04.rch"));
  EXPECT_FALSE(is_temp_name("1998.tmp"));
  EXPECT_FALSE(is_temp_name("notes.tmpfile"));
  EXPECT_FALSE(is_temp_name(".tmp"));
  EXPECT_FALSE(is_temp_name("tmp12"));
  EXPECT_FALSE(is_temp_name(""));
}

}  // namespace
}  // namespace utl
