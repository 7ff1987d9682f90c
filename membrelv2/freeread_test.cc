#include "membrelv2/freeread.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "membrelv2/stop.h"
#include "tests/support/stop_text.h"

namespace membrelv2 {
namespace {

// The diagnostic of a stop raised by `action`, or "" when it did not stop.
using testsupport::stop_text;

TEST(ParseReal, ReadsEveryFormOfDecimalNumber) {
  float value = 0;
  ASSERT_TRUE(parse_real("5280", value));
  EXPECT_EQ(value, 5280.0f);
  ASSERT_TRUE(parse_real("+.25", value));
  EXPECT_EQ(value, 0.25f);
  ASSERT_TRUE(parse_real("-1.5e2", value));
  EXPECT_EQ(value, -150.0f);
  ASSERT_TRUE(parse_real("2.5D-1", value));
  EXPECT_EQ(value, 0.25f);
  ASSERT_TRUE(parse_real("1e-50", value));  // below single precision: 0
  EXPECT_EQ(value, 0.0f);
}

TEST(ParseReal, RoundsStraightToSinglePrecision) {
  float value = 0;
  ASSERT_TRUE(parse_real("14958726.4", value));
  EXPECT_EQ(value, 14958726.0f);
  // Just above the midpoint of two floats: a detour through double would land on the
  // midpoint and round to even, 16777216.
  ASSERT_TRUE(parse_real("16777217.000000001", value));
  EXPECT_EQ(value, 16777218.0f);
}

TEST(ParseReal, RejectsWhatIsNoNumber) {
  float value = 0;
  for (const char* field : {"nan", "inf", "-inf", "infinity", "1e", "1.5e+", "--1", "+-1", "1,0",
                            "0x10", ".", "-", "", "1e39", "12abc"}) {
    EXPECT_FALSE(parse_real(field, value)) << field;
  }
}

TEST(ParseInt, AcceptsSignedDecimalOnly) {
  int value = 0;
  ASSERT_TRUE(parse_int("+17", value));
  EXPECT_EQ(value, 17);
  ASSERT_TRUE(parse_int("-2147483648", value));
  EXPECT_EQ(value, -2147483648);
  for (const char* field : {"7.0", "1e3", "2147483648", "++1", "+-1", "-", "", "x"}) {
    EXPECT_FALSE(parse_int(field, value)) << field;
  }
}

TEST(FreeReader, RecordStartsOnNewLineSpansLinesAndSkipsRestOfLine) {
  FreeReader reader("1, 2.5 99 99\n\n  3\n4 5 6\n7\r\n", "f.txt");
  int ints[2];
  float reals[2];
  ASSERT_TRUE(reader.read_record("ir", ints, reals));
  EXPECT_EQ(ints[0], 1);
  EXPECT_EQ(reals[0], 2.5f);
  ASSERT_TRUE(reader.read_record("iri", ints, reals));  // blank line, then two lines
  EXPECT_EQ(reader.record_line(), 3);
  EXPECT_EQ(ints[0], 3);
  EXPECT_EQ(reals[0], 4.0f);
  EXPECT_EQ(ints[1], 5);
  ASSERT_TRUE(reader.read_record("i", ints, reals));  // 6 was skipped with its line
  EXPECT_EQ(ints[0], 7);
  EXPECT_TRUE(reader.at_end());
  EXPECT_FALSE(reader.read_record("i", ints, reals));
}

TEST(FreeReader, RecordCutShortByEndOfFileIsNotComplete) {
  FreeReader reader("1 2 3\n4 5", "f.txt");
  int ints[3];
  ASSERT_TRUE(reader.read_record("iii", ints, nullptr));
  EXPECT_FALSE(reader.at_end());
  EXPECT_FALSE(reader.read_record("iii", ints, nullptr));
}

TEST(FreeReader, UnreadableFieldStopsNamingFileLineAndValue) {
  FreeReader reader("1 2\n3 nan\n", "../data/x.txt");
  int ints[1];
  float reals[1];
  ASSERT_TRUE(reader.read_record("ir", ints, reals));
  EXPECT_EQ(stop_text([&] { reader.read_record("ir", ints, reals); }),
            "../data/x.txt line 2: \"nan\" is not a number");
  FreeReader integers("2.5\n", "p.par");
  EXPECT_EQ(stop_text([&] { integers.read_record("i", ints, reals); }),
            "p.par line 1: \"2.5\" is not an integer");
}

// Reads every record of layout "iir" from `file` in pieces of `piece` bytes.
std::string records_in_pieces(std::FILE* file, std::size_t piece) {
  std::rewind(file);
  FreeReader reader(file, "f", piece);
  std::string seen;
  int ints[2];
  float reals[1];
  while (reader.read_record("iir", ints, reals)) {
    seen += std::to_string(reader.record_line()) + ":" + std::to_string(ints[0]) + "," +
            std::to_string(ints[1]) + "," + std::to_string(reals[0]) + ";";
  }
  return seen;
}

TEST(FreeReader, FileReadInPiecesGivesSameRecordsAsWholeText) {
  const std::string text = "12 345 6.75 skipped\r\n\n-7,\n  8\n 1e2 rest\n99 98 97.5\n1 2";
  std::FILE* file = std::tmpfile();
  ASSERT_NE(file, nullptr);
  std::fputs(text.c_str(), file);
  const std::string whole = records_in_pieces(file, 1 << 20);
  EXPECT_EQ(whole, "1:12,345,6.750000;3:-7,8,100.000000;6:99,98,97.500000;");
  for (std::size_t piece = 1; piece <= 9; ++piece) {
    EXPECT_EQ(records_in_pieces(file, piece), whole) << piece;
  }
  std::fclose(file);
}

TEST(FreeReader, OverlongFieldIsNoNumber) {
  const std::string text = "1 " + std::string(300, '0') + "\n";
  FreeReader reader(text, "f");
  int ints[2];
  EXPECT_EQ(stop_text([&] { reader.read_record("ii", ints, nullptr); }),
            "f line 1: \"" + std::string(40, '0') + "...\" is not a number");
}

TEST(FreeReader, RangeCheckNamesRecordLine) {
  FreeReader reader("\n3001 1\n", "a.txt");
  int ints[2];
  ASSERT_TRUE(reader.read_record("ii", ints, nullptr));
  EXPECT_EQ(stop_text([&] { reader.check_range("group", ints[0], 1, 3000); }),
            "a.txt line 2: group 3001 outside 1 to 3000");
}

TEST(LineReader, DropsCarriageReturnAndCountsLastLineWithoutNewline) {
  LineReader lines("a\r\n\nb");
  std::string_view line;
  ASSERT_TRUE(lines.next(line));
  EXPECT_EQ(line, "a");
  ASSERT_TRUE(lines.next(line));
  EXPECT_EQ(line, "");
  ASSERT_TRUE(lines.next(line));
  EXPECT_EQ(line, "b");
  EXPECT_FALSE(lines.next(line));
  EXPECT_EQ(lines.count(), 3);
}

TEST(ReadGridLine, ReadsTwoCharacterFieldsSignsAndBlanks) {
  std::string line(652, ' ');
  line.replace(0, 2, "-1");
  line.replace(2, 2, " 7");
  line.replace(4, 2, "4 ");
  line.replace(6, 2, "12");
  line.replace(650, 2, "44");
  int values[326];
  read_grid_line(line, values, "g", 1);
  EXPECT_EQ(values[0], -1);
  EXPECT_EQ(values[1], 7);
  EXPECT_EQ(values[2], 4);
  EXPECT_EQ(values[3], 12);
  EXPECT_EQ(values[4], 0);
  EXPECT_EQ(values[325], 44);
}

TEST(ReadGridLine, ShortLineReadsMissingFieldsAsZero) {
  int values[326];
  for (int& v : values) v = 9;
  read_grid_line(" 1 2 3", values, "g", 1);
  EXPECT_EQ(values[2], 3);
  EXPECT_EQ(values[3], 0);
  EXPECT_EQ(values[325], 0);
}

TEST(ReadGridLine, FieldThatIsNoIntegerStopsNamingColumn) {
  int values[326];
  EXPECT_EQ(stop_text([&] { read_grid_line(" 1 2x3", values, "../static/02.ibound", 4); }),
            "../static/02.ibound line 4: column 3: \"x3\" is not an integer");
  EXPECT_EQ(stop_text([&] { read_grid_line(" -", values, "g", 1); }),
            "g line 1: column 1: \" -\" is not an integer");
  EXPECT_EQ(stop_text([&] { read_grid_line("1-", values, "g", 1); }),
            "g line 1: column 1: \"1-\" is not an integer");
}

}  // namespace
}  // namespace membrelv2
