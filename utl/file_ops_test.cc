#include "utl/file_ops.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/run_program.h"

namespace utl::file_ops {
namespace {

// Reads the whole of `path` through read_some; "<none>" when it does not open.
std::string read_all(const std::string& path) {
  const int fd = open_read(path.c_str());
  if (fd < 0) return "<none>";
  std::string text;
  char buffer[7];  // small, so the reading takes several pieces
  for (long long got; (got = read_some(fd, buffer, sizeof buffer)) > 0;) {
    text.append(buffer, static_cast<std::size_t>(got));
  }
  close_input(fd);
  return text;
}

TEST(FileOps, BytesAreReadAsTheyAreOnTheDisk) {
  testsupport::TempDir dir;
  const std::string bytes("ym a\r\n195003 1\n\x1a\r\r\n\0end", 23);
  testsupport::spit(dir / "returns.txt", bytes);
  EXPECT_EQ(read_all((dir / "returns.txt").string()), bytes);
  EXPECT_EQ(read_all((dir / "missing.txt").string()), "<none>");

  const int fd = open_read((dir / "returns.txt").string().c_str());
  ASSERT_GE(fd, 0);
  Kind kind;
  ASSERT_TRUE(describe(fd, kind));
  EXPECT_TRUE(kind.regular);
  EXPECT_FALSE(kind.directory);
  EXPECT_EQ(kind.size, bytes.size());
  char at[4];
  ASSERT_EQ(read_some_at(fd, at, sizeof at, 6), 4);
  EXPECT_EQ(std::string(at, 4), "1950");
  EXPECT_EQ(read_some_at(fd, at, sizeof at, bytes.size()), 0);
  close_input(fd);
}

TEST(FileOps, LastSeparatorIsTheSystemsFolderSeparator) {
  EXPECT_EQ(last_separator("grid.rch"), std::string_view::npos);
  EXPECT_EQ(last_separator("out/text/1950.01.rch"), 8u);
#ifdef _WIN32
  EXPECT_EQ(last_separator("out/text\\1950.01.rch"), 8u);
#else
  EXPECT_EQ(last_separator("out/text\\1950.01.rch"), 3u);  // a '\' is part of a name
#endif
}

}  // namespace
}  // namespace utl::file_ops
