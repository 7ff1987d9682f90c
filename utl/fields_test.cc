#include "utl/fields.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "utl/fatal.h"

namespace utl {
namespace {

std::string blanks(std::size_t n) { return std::string(n, ' '); }

TEST(Charin, StepsThroughPlainFieldsLeavingCursorOnTheEndingBlank) {
  const std::string line = "  abc  def";
  int pos = 1, ierr = 99;
  EXPECT_EQ(charin(line, pos, pos, ierr), padded("abc", 256));
  EXPECT_EQ(ierr, 0);
  EXPECT_EQ(pos, 6);
  EXPECT_EQ(charin(line, pos, pos, ierr), padded("def", 256));
  EXPECT_EQ(pos, 11);
  EXPECT_EQ(charin(line, pos, pos, ierr), blanks(256));
  EXPECT_EQ(ierr, -1);
  EXPECT_EQ(pos, 11);
}

TEST(Charin, BlankRecordAndStartBeyondTheEndFindNoField) {
  int pos = 0, ierr = 0;
  EXPECT_EQ(charin(blanks(8), 1, pos, ierr), blanks(256));
  EXPECT_EQ(ierr, -1);
  EXPECT_EQ(pos, 9);
  charin("abc", 7, pos, ierr);
  EXPECT_EQ(ierr, -1);
  EXPECT_EQ(pos, 7);
  EXPECT_EQ(intin(blanks(4), 1, pos, ierr), 0);
  EXPECT_EQ(ierr, -1);
  EXPECT_EQ(realin("", 1, pos, ierr), 0.0);
  EXPECT_EQ(ierr, -1);
}

TEST(Charin, QuotedFieldsKeepBlanksAndQuotesInsideWordsAreOrdinary) {
  int pos = 1, ierr = 0;
  const std::string quoted = "\"two words\"y z";
  EXPECT_EQ(charin(quoted, pos, pos, ierr), padded("two words", 256));
  EXPECT_EQ(pos, 12);
  EXPECT_EQ(charin(quoted, pos, pos, ierr), padded("y", 256));
  EXPECT_EQ(charin(quoted, pos, pos, ierr), padded("z", 256));

  pos = 1;
  EXPECT_EQ(charin("x\"two", pos, pos, ierr), padded("x\"two", 256));
  EXPECT_EQ(ierr, 0);

  pos = 1;
  EXPECT_EQ(charin("\"\" next", pos, pos, ierr), blanks(256));
  EXPECT_EQ(ierr, 0);
  EXPECT_EQ(pos, 3);

  pos = 1;
  EXPECT_EQ(charin("  \"never closed", pos, pos, ierr), blanks(256));
  EXPECT_EQ(ierr, -1);
  EXPECT_EQ(pos, 16);
}

TEST(Charin, CutsLongFieldsTo256AndKeepsCommasInAField) {
  int pos = 1, ierr = 0;
  const std::string longword(300, 'w');
  EXPECT_EQ(charin(longword, pos, pos, ierr), std::string(256, 'w'));
  EXPECT_EQ(pos, 301);
  pos = 1;
  EXPECT_EQ(charin("1950,1960", pos, pos, ierr), padded("1950,1960", 256));
}

TEST(Charin, NeverReadsBeyondTheDeclaredLength) {
  const std::string buffer = "ab cd";
  const std::string_view record(buffer.data(), 4);  // "ab c"
  int pos = 1, ierr = 0;
  charin(record, pos, pos, ierr);
  EXPECT_EQ(charin(record, pos, pos, ierr), padded("c", 256));
  EXPECT_EQ(pos, 5);
}

TEST(Intin, AcceptsSignedDigitsOnly) {
  int pos = 1, ierr = 0;
  EXPECT_EQ(intin("12 +12 -12", pos, pos, ierr), 12);
  EXPECT_EQ(intin("12 +12 -12", pos, pos, ierr), 12);
  EXPECT_EQ(intin("12 +12 -12", pos, pos, ierr), -12);
  EXPECT_EQ(ierr, 0);
  for (const char* bad : {"1.5", "12a", "\"12\"", "+", "-", "1e3"}) {
    pos = 1;
    intin(bad, pos, pos, ierr);
    EXPECT_GT(ierr, 0) << bad;
  }
}

TEST(Intin, RejectsNumbersBeyond32Bits) {
  int pos = 1, ierr = 0;
  EXPECT_EQ(intin("2147483647", pos, pos, ierr), 2147483647);
  EXPECT_EQ(ierr, 0);
  pos = 1;
  EXPECT_EQ(intin("-2147483648", pos, pos, ierr), -2147483647 - 1);
  EXPECT_EQ(ierr, 0);
  for (const char* bad : {"2147483648", "-2147483649", "99999999999999999999999"}) {
    pos = 1;
    intin(bad, pos, pos, ierr);
    EXPECT_GT(ierr, 0) << bad;
  }
}

TEST(Intin, ConvertsOnlyTheFirst32Characters) {
  int pos = 1, ierr = 0;
  const std::string field = std::string(31, '0') + "7" + "x9";  // junk after column 32
  EXPECT_EQ(intin(field, pos, pos, ierr), 7);
  EXPECT_EQ(ierr, 0);
  EXPECT_EQ(pos, 35);
}

TEST(Realin, AcceptsDExponentAndSignOnlyExponent) {
  struct Case {
    const char* text;
    double value;
  };
  for (const Case& c :
       {Case{"12", 12.0}, Case{".5", 0.5}, Case{"1e3", 1000.0}, Case{"1D3", 1000.0},
        Case{"1.0+3", 1000.0}, Case{"1.5-3", 0.0015}, Case{"-2.5d-1", -0.25}, Case{"+7.", 7.0},
        Case{"1E+02", 100.0}, Case{"0.1", 0.1}, Case{"1e-400", 0.0}}) {
    int pos = 1, ierr = 9;
    EXPECT_EQ(realin(c.text, pos, pos, ierr), c.value) << c.text;
    EXPECT_EQ(ierr, 0) << c.text;
  }
}

TEST(Realin, RejectsOtherFormsAndValuesBeyondADouble) {
  for (const char* bad : {"abc", "1.2.3", "1e", "1e+", "e5", ".", "-", "1,5", "nan", "inf", "0x10",
                          "1e400", "-1D999", "1.5x"}) {
    int pos = 1, ierr = 0;
    realin(bad, pos, pos, ierr);
    EXPECT_GT(ierr, 0) << bad;
  }
}

TEST(Realin, FortyDigitFieldConvertsItsFirst32) {
  int pos = 1, ierr = 0;
  const std::string digits = "1234567890123456789012345678901234567890";
  EXPECT_EQ(realin(digits, pos, pos, ierr), 12345678901234567890123456789012.0);
  EXPECT_EQ(ierr, 0);
}

TEST(Eol, SkipsBlanksToTheEnd) {
  int pos = 2;
  EXPECT_FALSE(eol("a  b", pos));
  EXPECT_EQ(pos, 4);
  pos = 2;
  EXPECT_TRUE(eol("a   ", pos));
  EXPECT_EQ(pos, 5);
}

TEST(Length, CountsOnlyTheBlankAsBlank) {
  EXPECT_EQ(length(blanks(5)), 1);
  EXPECT_EQ(length0(blanks(5)), 0);
  EXPECT_EQ(length(""), 1);
  EXPECT_EQ(length0(""), 0);
  EXPECT_EQ(length("abcde   "), 5);
  EXPECT_EQ(length0("abcde   "), 5);
  EXPECT_EQ(length0(std::string("ab\t  ")), 3);
  EXPECT_EQ(length0(std::string("ab\0 ", 4)), 3);
}

TEST(Uppercase, FoldsOnlyAsciiLetters) {
  std::string text = "Mainstem-1b \xe9z";
  uppercase(text);
  EXPECT_EQ(text, "MAINSTEM-1B \xe9Z");
}

TEST(Linefix, CleansControlCharactersAndClassifies) {
  std::string tab = "one\ttwo";
  EXPECT_EQ(linefix(tab), 0);
  EXPECT_EQ(tab, "one two");
  std::string comment = "#comment";
  EXPECT_EQ(linefix(comment), 1);
  std::string indented = " #x";
  EXPECT_EQ(linefix(indented), 0);
  std::string cr = "\r";
  EXPECT_EQ(linefix(cr), -1);
  std::string high = "a\x7f\xff~";
  EXPECT_EQ(linefix(high), 0);
  EXPECT_EQ(high, "a  ~");
}

class CheckhdrTest : public ::testing::Test {
 protected:
  std::string message(const std::string& header) {
    try {
      checkhdr(padded("table.txt", 256), header, labels_, 2);
    } catch (const Fatal& stop) {
      return stop.text();
    }
    return "accepted";
  }
  std::vector<std::string> labels_{padded("NORTH", 32), padded("SOUTH", 32)};
};

TEST_F(CheckhdrTest, AcceptsLabelsInAnyCaseAndIgnoresExtras) {
  EXPECT_EQ(message("Year north South extra"), "accepted");
  EXPECT_EQ(message("Year \"north\" SOUTH"), "accepted");
}

TEST_F(CheckhdrTest, ReportsTheFirstProblemWithTheFileName) {
  EXPECT_EQ(message("Year south north"), " Data label out of order SOUTH table.txt\n");
  EXPECT_EQ(message("Year north"), " Invalid data label table.txt\n");
  EXPECT_EQ(message(blanks(40)), " Invalid time label table.txt\n");
  // A tab is not a blank in a header: "Year\tnorth" is one field.
  EXPECT_EQ(message("Year\tnorth south"), " Data label out of order SOUTH table.txt\n");
}

TEST_F(CheckhdrTest, ComparesOnThe32FirstCharacters) {
  labels_[0] = std::string(32, 'L');
  EXPECT_EQ(message("Year " + std::string(40, 'l') + " south"), "accepted");
}

}  // namespace
}  // namespace utl
