#include "utl/records.h"

#include <gtest/gtest.h>

#include <string>

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

}  // namespace
}  // namespace utl
