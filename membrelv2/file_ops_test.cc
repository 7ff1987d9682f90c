#include "membrelv2/file_ops.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <string>

#include "tests/support/run_program.h"

namespace membrelv2::file_ops {
namespace {

TEST(Membrelv2FileOps, DirectoryOfIsTheFolderWithItsSeparator) {
  EXPECT_EQ(directory_of("ks/1995.asw"), "ks/");
  EXPECT_EQ(directory_of("1995.asw"), "");
#ifdef _WIN32
  EXPECT_EQ(directory_of("work\\ks\\1995.asw"), "work\\ks\\");
#else
  EXPECT_EQ(directory_of("work\\ks\\1995.asw"), "");  // a '\' is part of a name
#endif
}

TEST(Membrelv2FileOps, NewFileReplacesTheTargetWithTheBytesAsWritten) {
  testsupport::TempDir dir;
  const std::string temp = (dir / ".tmp1").string();
  const std::string target = (dir / "1995.asw").string();
  testsupport::spit(target, "older, and longer than the new one");
  bool in_place = true;
  EXPECT_EQ(refusal_of(target, in_place), 0);
  EXPECT_FALSE(in_place);
  const int fd = create_new(temp);
  ASSERT_GE(fd, 0);
  EXPECT_LT(create_new(temp), 0);  // exclusive
  EXPECT_EQ(errno, EEXIST);
  const std::string bytes("1.5\n2.5\r\n\x1a\0\n", 12);
  EXPECT_EQ(write_some(fd, bytes), static_cast<long long>(bytes.size()));
  EXPECT_EQ(close_fd(fd), 0);
  EXPECT_TRUE(rename_over(temp, target));
  EXPECT_EQ(testsupport::slurp(target), bytes);
  EXPECT_FALSE(std::filesystem::exists(temp));
  remove_quietly(target.c_str());
  EXPECT_FALSE(std::filesystem::exists(target));
}

TEST(Membrelv2FileOps, DirectoryRefuses) {
  testsupport::TempDir dir;
  std::filesystem::create_directory(dir / "check1995.out");
  bool in_place = true;
  EXPECT_EQ(refusal_of((dir / "check1995.out").string(), in_place), EISDIR);
  EXPECT_FALSE(in_place);
}

}  // namespace
}  // namespace membrelv2::file_ops
