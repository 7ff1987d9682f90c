// CSV fields written and records read back.
#include "utl/csv.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace utl {
namespace {

TEST(CsvField, QuotesOnlyWhatCsvReadersWouldMisread) {
  EXPECT_EQ(csv_field("plain label"), "plain label");
  EXPECT_EQ(csv_field(""), "");
  EXPECT_EQ(csv_field("a,b"), "\"a,b\"");
  EXPECT_EQ(csv_field("say \"x\""), "\"say \"\"x\"\"\"");
  EXPECT_EQ(csv_field(" lead"), "\" lead\"");
  EXPECT_EQ(csv_field("trail "), "\"trail \"");
  EXPECT_EQ(csv_field("two\nlines"), "\"two\nlines\"");
  EXPECT_EQ(csv_field("cr\r"), "\"cr\r\"");
}

using Records = std::vector<std::vector<std::string>>;

// The records as CSV text, each field through csv_field, each record ending its line.
std::string csv_text(const Records& records) {
  std::string text;
  for (const auto& record : records) {
    for (std::size_t k = 0; k < record.size(); ++k) {
      if (k > 0) text += ',';
      text += csv_field(record[k]);
    }
    text += '\n';
  }
  return text;
}

TEST(CsvRoundTrip, WhatTheWriterWritesTheReaderReadsBack) {
  // Every character CSV treats specially, alone, at either end and inside a field.
  const std::string alphabet = ",\"\r\n a1";
  std::mt19937 random(5);
  for (int trial = 0; trial < 20000; ++trial) {
    Records records(1 + random() % 4);
    for (auto& record : records) {
      record.resize(1 + random() % 4);
      for (auto& field : record) {
        const std::size_t length = random() % 6;
        for (std::size_t i = 0; i < length; ++i) field += alphabet[random() % alphabet.size()];
      }
    }
    const std::string text = csv_text(records);
    std::vector<std::size_t> lines;
    std::size_t unclosed = 1;
    ASSERT_EQ(parse_csv(text, lines, unclosed), records) << text;
    EXPECT_EQ(unclosed, 0u);
    ASSERT_EQ(csv_text(parse_csv(text)), text);
  }
}

TEST(CsvRoundTrip, ReadBackAsWrittenAndLineEndsOfOtherSystems) {
  const std::string balance =
      "year,month,return_flow,active_cells,inactive_cells,no_acreage,recharge_file\n"
      "1998,4,1795.9,1697.5206356880606,98.37936431193884,0,grids/text/1998.04.rch\n"
      "1950,4,7,0,7,0,\n"
      "1950,5,2,0,0,2,\"out dir/a,b.rch\"\n";
  EXPECT_EQ(csv_text(parse_csv(balance)), balance);
  // A line end of two characters reads as one; a carriage return quoted inside a field stays.
  EXPECT_EQ(parse_csv("a,b\r\n\"c\r\",d\r\n"), (Records{{"a", "b"}, {"c\r", "d"}}));
  EXPECT_EQ(parse_csv("\"c\r\"\r\n"), (Records{{"c\r"}}));
  // A last line without its line end, a blank line, an empty last field.
  EXPECT_EQ(parse_csv("a\n\nb,"), (Records{{"a"}, {""}, {"b", ""}}));
  EXPECT_EQ(parse_csv(""), Records{});
}

TEST(ParseCsv, LinesOfRecordsAndAQuoteNeverClosed) {
  std::vector<std::size_t> lines;
  std::size_t unclosed = 0;
  const Records records = parse_csv("h\n\"two\nlines\",x\nlast\n\"open,\n\n", lines, unclosed);
  EXPECT_EQ(records, (Records{{"h"}, {"two\nlines", "x"}, {"last"}, {"open,\n\n"}}));
  EXPECT_EQ(lines, (std::vector<std::size_t>{1, 2, 4, 5}));
  EXPECT_EQ(unclosed, 5u);
}

}  // namespace
}  // namespace utl
