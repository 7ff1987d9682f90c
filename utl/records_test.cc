#include "utl/records.h"

#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "tests/support/run_program.h"

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

// A record longer than the layout uses is kept only as far as the layout reads, framed anew, so
// a count that claims a gigabyte costs nothing; the records after it are found all the same.
TEST(ReadLeadingRecords, KeepsOnlyTheLeadOfEachRecord) {
  testsupport::TempDir dir;
  std::string file;
  for (const char* data : {"count", "a long directory", "t1"}) append_record(file, data);
  testsupport::spit(dir / "run", file);
  std::string contents;
  ASSERT_TRUE(read_leading_records((dir / "run").string(), 3, contents, 6));
  std::string expected;
  for (const char* data : {"count", "a long", "t1"}) append_record(expected, data);
  EXPECT_EQ(contents, expected);

  // 64 MiB claimed by a sparse file: read in a moment, kept to the lead.
  std::string head;
  append_record(head, "count");
  put_u32le(head, 1u << 26);
  head += "labels";
  testsupport::spit(dir / "huge", head);
  std::filesystem::resize_file(dir / "huge", head.size() - 6 + (1u << 26));
  {
    std::string tail;
    put_u32le(tail, 1u << 26);
    append_record(tail, "t1");
    std::ofstream out(dir / "huge", std::ios::binary | std::ios::app);
    out << tail;
  }
  ASSERT_TRUE(read_leading_records((dir / "huge").string(), 3, contents, 6));
  RecordReader reader(contents);
  std::string_view data;
  for (const char* kept : {"count", "labels", "t1"}) {
    ASSERT_EQ(reader.next(data), RecordReader::Status::kRecord);
    EXPECT_EQ(data, kept);
  }

  // Cut short by the end of the file: still cut short, and no more than a kept record read.
  std::string cut;
  append_record(cut, "count");
  put_u32le(cut, 1000);
  cut += std::string(100, 'x');
  testsupport::spit(dir / "cut", cut);
  ASSERT_TRUE(read_leading_records((dir / "cut").string(), 3, contents, 6));
  RecordReader cut_reader(contents);
  ASSERT_EQ(cut_reader.next(data), RecordReader::Status::kRecord);
  EXPECT_EQ(cut_reader.next(data), RecordReader::Status::kTruncated);
  EXPECT_LE(contents.size(), 13u + 2 * kRecordMarker + 6);
}

#ifndef _WIN32  // devices and named pipes of POSIX systems
TEST(ReadLeadingRecords, PipesAndDevicesAreReadInOrderWithinALimit) {
  std::string contents;
  ASSERT_TRUE(read_leading_records("/dev/zero", 3, contents));
  EXPECT_EQ(contents, std::string(3 * 2 * kRecordMarker, '\0'));  // three empty records

  // A count past the limit ends the reading at the count, however much follows.
  testsupport::TempDir dir;
  const std::string fifo = (dir / "run").string();
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  std::string file;
  append_record(file, "count");
  const std::string lying = std::string("\xff\xff\xff\x7f", 4) + std::string(1000, 'x');
  // Small enough to go into the pipe in one write, before the reader stops.
  std::thread writer([&] {
    std::FILE* out = std::fopen(fifo.c_str(), "wb");
    if (out == nullptr) return;
    std::fwrite(file.data(), 1, file.size(), out);
    std::fwrite(lying.data(), 1, lying.size(), out);
    std::fclose(out);
  });
  const bool ok = read_leading_records(fifo, 5, contents);
  writer.join();
  ASSERT_TRUE(ok);
  EXPECT_EQ(contents, file + lying.substr(0, kRecordMarker));
  RecordReader reader(contents);
  std::string_view data;
  EXPECT_EQ(reader.next(data), RecordReader::Status::kRecord);
  EXPECT_EQ(reader.next(data), RecordReader::Status::kTruncated);
}
#endif

}  // namespace
}  // namespace utl
