#include "utl/textfile.h"

#include <gtest/gtest.h>

#include <string>

#include "run_program.h"

namespace utl {
namespace {

TEST(TextFile, HandsOutLinesWithoutTheirEnds) {
  TextFile file;
  file.assign("one\r\ntwo\n\nlast");
  std::string_view line;
  std::vector<std::string> lines;
  while (file.next_line(line)) lines.emplace_back(line);
  EXPECT_EQ(lines, (std::vector<std::string>{"one", "two", "", "last"}));
}

TEST(TextFile, RecordsAreCutOrPaddedToTheirLength) {
  TextFile file;
  file.assign("abcdef\nx\n");
  std::string record;
  ASSERT_TRUE(file.next_record(record, 4));
  EXPECT_EQ(record, "abcd");
  ASSERT_TRUE(file.next_record(record, 4));
  EXPECT_EQ(record, "x   ");
  EXPECT_FALSE(file.next_record(record, 4));
}

TEST(TextFile, MissingFilesAndDirectoriesCannotBeOpened) {
  testsupport::TempDir dir;
  TextFile file;
  EXPECT_FALSE(file.open((dir / "missing").string()));
  EXPECT_FALSE(file.open(dir.path().string()));
  testsupport::spit(dir / "present", "a\n");
  EXPECT_TRUE(file.open((dir / "present").string()));
}

}  // namespace
}  // namespace utl
