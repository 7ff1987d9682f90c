#include "utl/records.h"

#include <gtest/gtest.h>

#include <string>

#include "run_program.h"

namespace utl {
namespace {

TEST(Records, FramesDataWithTheCountBeforeAndAfter) {
  std::string file;
  append_record(file, "abc");
  append_record(file, "");
  ASSERT_EQ(file.size(), 3u + 8u + 8u);
  EXPECT_EQ(file.substr(0, 4), std::string("\x03\0\0\0", 4));
  EXPECT_EQ(file.substr(7, 4), std::string("\x03\0\0\0", 4));

  RecordReader reader(file);
  std::string_view data;
  EXPECT_EQ(reader.next(data), RecordReader::Status::kRecord);
  EXPECT_EQ(data, "abc");
  EXPECT_EQ(reader.next(data), RecordReader::Status::kRecord);
  EXPECT_EQ(data, "");
  EXPECT_EQ(reader.next(data), RecordReader::Status::kEnd);
}

TEST(Records, LittleEndianRegardlessOfHost) {
  std::string out;
  put_i32le(out, -2);
  put_u32le(out, 0x000690F0u);
  put_f64le(out, 1.0);
  EXPECT_EQ(out.substr(0, 4), "\xfe\xff\xff\xff");
  EXPECT_EQ(out.substr(4, 4), std::string("\xf0\x90\x06\x00", 4));
  EXPECT_EQ(out.substr(8, 8), std::string("\0\0\0\0\0\0\xf0\x3f", 8));
  EXPECT_EQ(get_i32le(out.data()), -2);
  EXPECT_EQ(get_u32le(out.data() + 4), 430320u);
  EXPECT_EQ(get_f64le(out.data() + 8), 1.0);
}

TEST(Records, TruncatedOrLyingCountsAreReportedNotRead) {
  std::string file;
  append_record(file, "abcdef");
  std::string_view data;
  for (std::size_t cut = 1; cut < file.size(); ++cut) {
    RecordReader reader(std::string_view(file).substr(0, cut));
    EXPECT_EQ(reader.next(data), RecordReader::Status::kTruncated) << cut;
  }
  std::string huge;
  put_u32le(huge, 0xFFFFFFFFu);
  huge += "xy";
  RecordReader reader(huge);
  EXPECT_EQ(reader.next(data), RecordReader::Status::kTruncated);
}

TEST(ReadLeadingRecords, StopsAfterTheRecordsAskedForOrTakesTheWholeFile) {
  testsupport::TempDir dir;
  std::string file;
  for (const char* data : {"count", "directory", "t1", "t2", "t3"}) append_record(file, data);
  testsupport::spit(dir / "run", file);
  std::string contents;
  ASSERT_TRUE(read_leading_records((dir / "run").string(), 2, contents));
  EXPECT_EQ(contents, file.substr(0, 5 + 9 + 16));
  ASSERT_TRUE(read_leading_records((dir / "run").string(), 99, contents));
  EXPECT_EQ(contents, file);

  // A count that runs past the end: the whole file, for the reader to report.
  std::string broken = file.substr(0, 13);
  broken += std::string("\xff\xff\0\0", 4) + "x";
  testsupport::spit(dir / "broken", broken);
  ASSERT_TRUE(read_leading_records((dir / "broken").string(), 3, contents));
  EXPECT_EQ(contents, broken);

  EXPECT_FALSE(read_leading_records((dir / "missing").string(), 3, contents));
  EXPECT_FALSE(read_leading_records(dir.path().string(), 3, contents));
}

}  // namespace
}  // namespace utl
