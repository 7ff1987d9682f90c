// tallisk against a run file whose directory record claims far more than the directory needs: a
// damaged count of a gigabyte is skipped over, not read into memory.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "tests/support/run_program.h"
#include "utl/records.h"

namespace {

namespace fs = std::filesystem;
using testsupport::spit;

constexpr const char* kSuffixes[] = {".sfi", "a.sfi", "b.sfi", "c.sfi", "d.sfi"};
constexpr const char* kLabels = "A                   B                   ";

// The 26 time records of items A and B at `rate`.
std::string time_records(double rate) {
  std::string records;
  for (int t = 0; t < 26; ++t) {
    std::string values;
    utl::put_f64le(values, t);
    utl::put_f64le(values, rate);
    utl::put_f64le(values, rate);
    utl::append_record(records, values);
  }
  return records;
}

std::string count_record() {
  std::string count;
  utl::put_i32le(count, 2);
  utl::put_i32le(count, 0);
  std::string record;
  utl::append_record(record, count);
  return record;
}

// A run file of items A and B whose directory record is `directory_bytes` long, the labels
// first and zeros after them (a sparse file, which costs no disk).
void write_run_file(const fs::path& path, double rate, std::uint32_t directory_bytes) {
  std::string head = count_record();
  utl::put_u32le(head, directory_bytes);
  head += std::string(4, '\0') + kLabels;
  const std::size_t labels_end = head.size();
  spit(path, head);
  fs::resize_file(path, labels_end + (directory_bytes - 44));
  std::string tail;
  utl::put_u32le(tail, directory_bytes);
  tail += time_records(rate);
  std::ofstream(path, std::ios::binary | std::ios::app) << tail;
}

TEST(TalliskLongRecord, AGigabyteDirectoryRecordIsSkippedNotRead) {
#ifdef _WIN32
  GTEST_SKIP() << "a sparse file of a gigabyte is not cheap on every Windows file system";
#endif
  testsupport::TempDir dir;
  spit(dir / "data0" / "tallisk.12s", "*Main +A\nTrib +B -A\n");
  const fs::path plain = dir / "plain";
  const fs::path claimed = dir / "claimed";
  for (int r = 0; r < 5; ++r) {
    write_run_file(plain / (std::string("1995") + kSuffixes[r]), r, 44);
    write_run_file(claimed / (std::string("1995") + kSuffixes[r]), r, r == 0 ? 1u << 30 : 44);
  }
  const auto expected = testsupport::run_program(TALLISK_EXE, {"1995"}, plain);
  ASSERT_EQ(expected.exit_status, 0) << expected.out;
  const auto result = testsupport::run_program(TALLISK_EXE, {"1995"}, claimed);
  EXPECT_EQ(result.exit_status, 0) << result.out;
  EXPECT_EQ(testsupport::slurp(claimed / "1995.htm"), testsupport::slurp(plain / "1995.htm"));
#ifndef _WIN32
  EXPECT_LT(result.peak_memory_kb, 100 * 1024) << "the claimed gigabyte was read";
#endif
}

}  // namespace
