#include "utl/textfile.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/run_program.h"

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
  EXPECT_EQ(file.open((dir / "missing").string()), ReadStatus::kCannotOpen);
  EXPECT_EQ(file.open(dir.path().string()), ReadStatus::kCannotOpen);
  testsupport::spit(dir / "present", "a\n");
  EXPECT_EQ(file.open((dir / "present").string()), ReadStatus::kRead);
}

TEST(TextFile, LinesPastTheLimitAreNotHeld) {
  testsupport::TempDir dir;
  std::string text = "header\n" + std::string(kLongestLine, '7');
  testsupport::spit(dir / "longest", text + "\nlast\n");
  testsupport::spit(dir / "longer", text + "7\nlast\n");
  TextFile file;
  ASSERT_EQ(file.open((dir / "longest").string()), ReadStatus::kRead);
  std::string_view line;
  ASSERT_TRUE(file.next_line(line) && file.next_line(line));
  EXPECT_EQ(line.size(), kLongestLine);
  EXPECT_EQ(file.open((dir / "longer").string()), ReadStatus::kTooLong);
  EXPECT_FALSE(file.next_line(line));
#ifndef _WIN32
  // An endless device: stopped at the limit.
  EXPECT_EQ(file.open("/dev/zero"), ReadStatus::kTooLong);
#endif
  // A binary file has no lines to limit.
  std::string contents;
  EXPECT_EQ(read_whole_file((dir / "longer").string(), contents, kLargestFile), ReadStatus::kRead);
  EXPECT_EQ(contents.size(), text.size() + 7);
}

}  // namespace
}  // namespace utl
