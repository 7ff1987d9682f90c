#include "utl/gridread.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "tests/support/run_program.h"
#include "tests/support/stop_text.h"
#include "utl/fatal.h"
#include "utl/fields.h"

namespace utl {
namespace {

using testsupport::spit;
using testsupport::TempDir;

// The diagnostic that a stop made while running `read` carries; empty when it did not stop.
using testsupport::stop_text;

struct Flags {
  std::vector<int> grid;
  std::vector<std::string> names;
  int nzone = -7;
};

// Reads `text` as a flag (maxzone 0) or zone grid of nrow x ncol.
Flags read_flags(const std::string& text, int nrow, int ncol, int maxzone = 0) {
  TempDir dir;
  spit(dir / "grid.dat", text);
  Flags f{std::vector<int>(static_cast<std::size_t>(nrow * ncol), -5),
          std::vector<std::string>(3, std::string(16, '?'))};
  readflags((dir / "grid.dat").string(), f.grid, nrow, ncol, f.names, f.nzone, maxzone);
  return f;
}

// The stop that reading `text` as a grid file makes, with the file name replaced by "F".
template <typename Reader>
std::string grid_stop(const std::string& text, Reader reader) {
  TempDir dir;
  const std::string file = (dir / "grid.dat").string();
  spit(file, text);
  std::string stop = stop_text([&] { reader(file); });
  const auto at = stop.find(file);
  if (at != std::string::npos) stop = stop.substr(0, at) + "F" + stop.substr(at + file.size());
  return stop;
}

std::string flag_stop(const std::string& text, int nrow, int ncol, int maxzone = 0) {
  return grid_stop(text, [&](const std::string& file) {
    std::vector<int> grid(static_cast<std::size_t>(nrow * ncol));
    std::vector<std::string> names(3);
    int nzone = 0;
    readflags(file, grid, nrow, ncol, names, nzone, maxzone);
  });
}

std::vector<double> read_real(const std::string& text, int nrow, int ncol, int nskip = 0,
                              double fill = -1.0) {
  std::vector<double> grid(static_cast<std::size_t>(nrow * ncol), fill);
  const FreeGridStatus status = read_free_grid(text, grid, nrow, ncol, nskip);
  EXPECT_EQ(status, FreeGridStatus::kOk) << text;
  return grid;
}

FreeGridStatus real_status(const std::string& text, int nrow, int ncol, int nskip = 0) {
  std::vector<double> grid(static_cast<std::size_t>(nrow * ncol));
  return read_free_grid(text, grid, nrow, ncol, nskip);
}

TEST(Readflags, StarGivesAllOnesAndOneZoneWithoutAFile) {
  std::vector<int> grid(6, 0);
  std::vector<std::string> names{std::string(8, 'x'), "keep"};
  int nzone = 0;
  readflags(padded("*", 256), grid, 2, 3, names, nzone, 0);
  EXPECT_EQ(grid, std::vector<int>(6, 1));
  EXPECT_EQ(nzone, 1);
  EXPECT_EQ(names[0], "*       ");
  EXPECT_EQ(names[1], "keep");
}

TEST(Readflags, FlagFieldsAreTwoColumnsWithBlanksIgnored) {
  // A short record reads as blank-padded; a field '1 ' is 1; columns past 2 * ncol are ignored.
  const Flags f = read_flags(" 1 1-1\n1 99    junk\r\n", 2, 4);
  EXPECT_EQ(f.grid, (std::vector<int>{1, 1, -1, 0, 1, 99, 0, 0}));
  EXPECT_EQ(f.nzone, -7);  // the flag layout leaves the zone count alone
  EXPECT_EQ(f.names[0], std::string(16, '?'));
}

TEST(Readflags, ExtraRecordsAreIgnoredMissingOnesStop) {
  EXPECT_EQ(read_flags(" 1\n 2\n 3\n 4\n", 2, 1).grid, (std::vector<int>{1, 2}));
  EXPECT_EQ(flag_stop(" 1\n", 2, 1), " Error reading file F\n");
  EXPECT_EQ(flag_stop("", 1, 1), " Error reading file F\n");
}

TEST(Readflags, UnreadableFieldsStop) {
  for (const char* bad : {" a\n", "1.\n", "\t1\n", " -\n", "+-\n"}) {
    EXPECT_EQ(flag_stop(bad, 1, 1), " Error reading file F\n") << bad;
  }
}

TEST(Readflags, RowsLongerThan999FieldsGoOnWithTheNextRecord) {
  const std::string first(999, '1');
  const Flags f = read_flags("z a\n" + first + "\n2\n" + first + "\n\n", 2, 1000, 3);
  EXPECT_EQ(f.grid[998], 1);
  EXPECT_EQ(f.grid[999], 2);
  EXPECT_EQ(f.grid[1000], 1);
  EXPECT_EQ(f.grid[1999], 0);
}

TEST(Readflags, ZoneHeaderNamesQuotedOrPlainFields) {
  const Flags f = read_flags("north \"south fork\"\n012\n 21\n", 2, 3, 3);
  EXPECT_EQ(f.nzone, 2);
  EXPECT_EQ(f.names[0], padded("north", 16));
  EXPECT_EQ(f.names[1], padded("south fork", 16));
  EXPECT_EQ(f.names[2], std::string(16, '?'));
  EXPECT_EQ(f.grid, (std::vector<int>{0, 1, 2, 0, 2, 1}));
  // An unclosed quote ends the list without error; an empty header has no zones.
  EXPECT_EQ(read_flags("a \"b\n0\n", 1, 1, 3).nzone, 1);
  EXPECT_EQ(read_flags("\n0\n", 1, 1, 3).nzone, 0);
}

TEST(Readflags, ZoneRangeIsCheckedAfterTheWholeFile) {
  EXPECT_EQ(flag_stop("a b\n3\n1\n", 2, 1, 3), " Zone out of range in file F\n");
  // A bad row later in the file is reported first: the range check waits for the whole file.
  EXPECT_EQ(flag_stop("a b\n3\n", 2, 1, 3), " Error reading file F\n");
  EXPECT_EQ(flag_stop("a b\n-\n", 1, 1, 3), " Error reading file F\n");
}

TEST(Readflags, ZoneFileFailures) {
  EXPECT_EQ(flag_stop("a b c\n1\n", 1, 1, 2), " Too many zones in F\n");
  EXPECT_EQ(flag_stop("", 1, 1, 2), " Error reading file F\n");
  std::vector<int> grid(1);
  std::vector<std::string> names(2);
  int nzone = 0;
  EXPECT_EQ(stop_text([&] { readflags("no/such.dat", grid, 1, 1, names, nzone, 2); }),
            " Error opening file no/such.dat\n");
  EXPECT_EQ(stop_text([&] { readflags("no/such.dat", grid, 1, 1, names, nzone, 0); }),
            " Error opening file no/such.dat\n");
}

TEST(Readreal, RowsStartOnNewRecordsAndSpanLines) {
  // Row 1 spans three records; the rest of the record that ends a row is discarded.
  EXPECT_EQ(read_real("1 2\n3,\n 4 99 98\n5 6 7 8\n", 2, 4),
            (std::vector<double>{1, 2, 3, 4, 5, 6, 7, 8}));
  // Blank records, tabs and CR-LF line ends separate values like blanks.
  EXPECT_EQ(read_real("\n 1\t2\r\n\r\n3 , 4\r\n", 2, 2), (std::vector<double>{1, 2, 3, 4}));
}

TEST(Readreal, RepeatNullAndSlashForms) {
  EXPECT_EQ(read_real("4*0.5\n", 1, 4), std::vector<double>(4, 0.5));
  EXPECT_EQ(read_real("326*0.0\n", 1, 326), std::vector<double>(326, 0.0));
  // A count beyond the row fills the row; the rest of the record goes.
  EXPECT_EQ(read_real("9*2 5\n3 4\n", 2, 2), (std::vector<double>{2, 2, 3, 4}));
  // Nulls: a leading comma, two commas, a comma that starts the next record, r* alone.
  EXPECT_EQ(read_real(",1,,2,\n,3 2* 4\n", 1, 8),
            (std::vector<double>{-1, 1, -1, 2, -1, 3, -1, -1}));
  EXPECT_EQ(read_real("2*,7\n", 1, 3), (std::vector<double>{-1, -1, 7}));
  // A slash ends the row; the next row starts on the next record.
  EXPECT_EQ(read_real("1 / 2\n3/\n4 5 6\n", 3, 3),
            (std::vector<double>{1, -1, -1, 3, -1, -1, 4, 5, 6}));
  EXPECT_EQ(read_real("2*9/\n", 1, 3), (std::vector<double>{9, 9, -1}));
}

TEST(Readreal, ValuesInEveryRealinForm) {
  const std::vector<double> got =
      read_real("12 .5 1e3 1D3 1.0+3 +2.5 -1.5-1 1.5d-2 7. 0.00 -0 1e-400\n", 1, 12);
  const std::vector<double> want{12, 0.5, 1000, 1000, 1000, 2.5, -0.15, 0.015, 7, 0, 0, 0};
  EXPECT_EQ(got, want);
  EXPECT_TRUE(std::signbit(got[10]));
  // The same digits read the same double as realin does.
  for (const char* text : {"0.1", "123456.789", "1.5-3", "+3.25D+02", "2.2250738585072014e-308"}) {
    int pos = 1;
    int ierr = 0;
    EXPECT_EQ(read_real(std::string(text) + "\n", 1, 1)[0], realin(text, pos, pos, ierr)) << text;
  }
}

TEST(Readreal, PlainDecimalsReadTheDoubleFromCharsGives) {
  // Short decimals take a quicker road than long ones; both must give the same bits.
  std::mt19937_64 random(1);
  std::string text;
  std::vector<std::string> items;
  for (int k = 0; k < 4000; ++k) {
    const int digits = 1 + static_cast<int>(random() % 18);
    const int decimals = static_cast<int>(random() % (digits + 1));
    std::string item = random() % 3 == 0 ? "-" : "";
    for (int d = 0; d < digits; ++d) {
      if (d == digits - decimals) item += '.';
      item += static_cast<char>('0' + random() % 10);
    }
    items.push_back(item);
    text += item + (k % 10 == 9 ? "\n" : " ");
  }
  const std::vector<double> got = read_real(text, 1, 4000);
  for (std::size_t k = 0; k < items.size(); ++k) {
    double want = 0;
    std::from_chars(items[k].data(), items[k].data() + items[k].size(), want);
    ASSERT_EQ(got[k], want) << items[k];
    ASSERT_EQ(std::signbit(got[k]), std::signbit(want)) << items[k];
  }
}

TEST(Readreal, ItemsThatAreNotValuesFail) {
  for (const char* bad : {"abc", "1e", "1.2.3", "inf", "nan", "-", ".", "1e400", "0*1", "*5",
                          "3**5", "\"1\"", "1;2", "x*2", "1.5e+"}) {
    EXPECT_EQ(real_status(std::string(bad) + " 1 1\n", 1, 3), FreeGridStatus::kBadValue) << bad;
  }
}

TEST(Readreal, HeaderRecordsAndShortFiles) {
  EXPECT_EQ(read_real("header 1 2\n\n3\n", 1, 1, 2), (std::vector<double>{3}));
  EXPECT_EQ(real_status("only header", 1, 1, 1), FreeGridStatus::kBadValue);
  EXPECT_EQ(real_status("h1\n", 1, 1, 2), FreeGridStatus::kShortHeader);
  EXPECT_EQ(real_status("", 1, 1, 1), FreeGridStatus::kShortHeader);
  EXPECT_EQ(real_status("", 1, 1, 0), FreeGridStatus::kBadValue);
  EXPECT_EQ(real_status("1 2\n3\n", 2, 2), FreeGridStatus::kBadValue);
  EXPECT_EQ(real_status("1 2\n3,\n", 2, 2), FreeGridStatus::kBadValue);
  // A last record without a line end still counts.
  EXPECT_EQ(read_real("1 2\n3 4", 2, 2), (std::vector<double>{1, 2, 3, 4}));
}

TEST(Readreal, StopsWithTheFileName) {
  const auto reader = [](int nskip) {
    return [nskip](const std::string& file) {
      std::vector<double> grid(4);
      readreal(file, grid, 2, 2, nskip);
    };
  };
  EXPECT_EQ(grid_stop("h\n1 2\n3 x\n", reader(1)), " Error reading file F\n");
  EXPECT_EQ(grid_stop("h\n", reader(2)), " Error reading file header F\n");
  EXPECT_EQ(grid_stop("h\n1 2\n3 4\n", reader(1)), "");
  std::vector<double> grid(4);
  EXPECT_EQ(stop_text([&] { readreal(padded("missing.txt", 256), grid, 2, 2, 1); }),
            " Error opening file missing.txt\n");
}

}  // namespace
}  // namespace utl
