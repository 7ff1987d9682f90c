// PEST's files for a calibration loop: the instruction file read back the way PEST reads it,
// and the templates filled the way PEST fills them, by the small reader and writer below.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <sstream>

#include "gridkit/common.h"
#include "gridkit/exports/pest_instructions.h"
#include "gridkit/exports/pest_template.h"
#include "gridkit/grid.h"
#include "gridkit/testing_program.h"
#include "tests/support/run_program.h"

namespace gridkit {
namespace {

using namespace testing_program;  // NOLINT(google-build-using-namespace)

std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// Reads the observations of `model_output` through the instruction file `instructions` as PEST
// does: "lN" moves N lines on, "~text~" moves the cursor past the next occurrence of text in the
// line, "!name!" reads the number after the cursor, which ends at a blank, the line's end or the
// text of a marker that follows it; "dum" observations are read and dropped.
std::map<std::string, double> read_observations(const std::string& instructions,
                                                const std::string& model_output) {
  const std::vector<std::string> ins = lines_of(instructions);
  const std::vector<std::string> out = lines_of(model_output);
  EXPECT_EQ(ins.front().substr(0, 4), "pif ");
  const char marker = ins.front().at(4);
  std::map<std::string, double> observations;
  long line = -1;
  std::size_t cursor = 0;
  for (std::size_t i = 1; i < ins.size(); ++i) {
    std::vector<std::string> items;
    std::istringstream words(ins[i]);
    for (std::string word; words >> word;) items.push_back(word);
    for (std::size_t k = 0; k < items.size(); ++k) {
      const std::string& item = items[k];
      if (item[0] == 'l') {
        line += std::stol(item.substr(1));
        cursor = 0;
        if (line >= static_cast<long>(out.size())) throw std::runtime_error("past the file's end");
      } else if (item[0] == marker) {
        const std::string text = item.substr(1, item.size() - 2);
        const std::size_t at = out[line].find(text, cursor);
        if (at == std::string::npos) throw std::runtime_error("marker " + text + " not found");
        cursor = at + text.size();
      } else if (item[0] == '!') {
        const std::string name = item.substr(1, item.size() - 2);
        const std::string& text = out[line];
        const std::size_t start = text.find_first_not_of(" \t", cursor);
        std::size_t end = text.find_first_of(" \t", start);
        if (k + 1 < items.size() && items[k + 1][0] == marker) {
          const std::string next = items[k + 1].substr(1, items[k + 1].size() - 2);
          end = std::min(end, text.find(next, start));
        }
        if (end == std::string::npos) end = text.size();
        const std::string number = text.substr(start, end - start);
        char* stop = nullptr;
        const double value = std::strtod(number.c_str(), &stop);
        if (number.empty() || *stop != '\0') throw std::runtime_error("not a number: " + number);
        if (name != "dum") observations[name] = value;
        cursor = end;
      } else {
        throw std::runtime_error("instruction not known here: " + item);
      }
    }
  }
  return observations;
}

// Fills the template `tpl` as PEST does: each field between two delimiters takes its
// parameter's value, written in the field's whole width.
std::string fill_template(const std::string& tpl, const std::map<std::string, double>& values) {
  EXPECT_EQ(tpl.substr(0, 4), "ptf ");
  const char delimiter = tpl.at(4);
  std::string text = tpl.substr(tpl.find('\n') + 1);
  for (std::size_t at = text.find(delimiter); at != std::string::npos;
       at = text.find(delimiter, at)) {
    const std::size_t close = text.find(delimiter, at + 1);
    const std::size_t width = close - at + 1;
    std::string name = text.substr(at + 1, close - at - 1);
    name.erase(name.find_last_not_of(' ') + 1);
    char value[64];
    std::snprintf(value, sizeof value, "%*.*E", static_cast<int>(width),
                  static_cast<int>(width) - 8, values.at(name));
    text.replace(at, width, value);
    at += width;
  }
  return text;
}

// Fields of a CSV line, quoted ones unquoted.
std::vector<std::string> csv_fields(const std::string& line) {
  std::vector<std::string> fields(1);
  bool quoted = false;
  for (const char c : line) {
    if (c == '"') {
      quoted = !quoted;
    } else if (c == ',' && !quoted) {
      fields.emplace_back();
    } else {
      fields.back() += c;
    }
  }
  return fields;
}

TEST(PestInstructions, ReadEveryNumberOfTheExampleImpactsBack) {
  testsupport::TempDir dir;
  fs::copy(testsupport::source_dir() / "examples/tallisk", dir.path(), fs::copy_options::recursive);
  ASSERT_EQ(
      run_program(PROGRAM_EXE, {"impacts", "1995", "-o", "1995.csv"}, dir / "runs").exit_status, 0);
  const auto made =
      run_program(PROGRAM_EXE, {"pest-ins", "1995.csv", "-o", "impacts.ins"}, dir / "runs");
  ASSERT_EQ(made.exit_status, 0) << made.err;
  const std::string csv = slurp(dir / "runs/1995.csv");
  const auto observations = read_observations(slurp(dir / "runs/impacts.ins"), csv);
  const std::vector<std::string> columns = {"co", "ks", "ne", "mound", "base", "a", "b", "c", "d"};
  std::size_t expected = 0;
  const std::vector<std::string> rows = lines_of(csv);
  for (std::size_t r = 1; r < rows.size(); ++r) {
    const std::vector<std::string> fields = csv_fields(rows[r]);
    for (std::size_t c = 0; c < columns.size() && !fields[c + 2].empty(); ++c, ++expected) {
      const std::string name = observation_name(fields[0], columns[c]);
      ASSERT_TRUE(observations.contains(name)) << name;
      EXPECT_EQ(observations.at(name), std::strtod(fields[c + 2].c_str(), nullptr)) << name;
    }
  }
  EXPECT_EQ(observations.size(), expected);
  EXPECT_TRUE(observations.contains("total_mound"));
}

TEST(PestInstructions, NamesStayTheSameAndFitPest) {
  EXPECT_EQ(observation_name("Stateline", "base"), "stateline_base");
  EXPECT_EQ(observation_name("Kansas reaches (all)", "mound"), "kansas_reaches_mound");
  EXPECT_LE(observation_name("A very long accounting point name", "mound").size(), 20u);
  EXPECT_EQ(observation_name("", "a"), "point_a");
}

TEST(PestInstructions, QuotedLocationWithCommasReadsItsOwnNumbers) {
  const std::string csv =
      "location,mainstem,colorado_pumping,kansas_pumping,nebraska_pumping,nebraska_mound,"
      "base,run_a,run_b,run_c,run_d\n"
      "\"North, upper\",true,1,2,3,4,5,6,7,8,9.5\n"
      "Total,,10,20,30,40,,,,,\n";
  const auto observations = read_observations(impacts_instructions(csv), csv);
  EXPECT_EQ(observations.at("north__upper_co"), 1.0);
  EXPECT_EQ(observations.at("north__upper_d"), 9.5);
  EXPECT_EQ(observations.at("total_mound"), 40.0);
  EXPECT_EQ(observations.size(), 13u);
  // Quotes doubled inside the location, and two commas to step over.
  const std::string quoted =
      csv.substr(0, csv.find('\n') + 1) + "\"Say \"\"x\"\", a, b\",false,1,2,3,4,5,6,7,8,9.5\n";
  const auto read = read_observations(impacts_instructions(quoted), quoted);
  EXPECT_EQ(read.at(observation_name("Say \"x\", a, b", "co")), 1.0);
  EXPECT_EQ(read.at(observation_name("Say \"x\", a, b", "d")), 9.5);
}

TEST(PestInstructions, RefusesWhatItCannotReadSafely) {
  const std::string header =
      "location,mainstem,colorado_pumping,kansas_pumping,nebraska_pumping,nebraska_mound,"
      "base,run_a,run_b,run_c,run_d\n";
  EXPECT_THROW(impacts_instructions("year,flow\n1998,1\n"), Failure);
  EXPECT_THROW(impacts_instructions(header), Failure);
  EXPECT_THROW(impacts_instructions(header + "Same-point,true,1,2,3,4,5,6,7,8,9\n"
                                             "Same point,true,1,2,3,4,5,6,7,8,9\n"),
               Failure);
  EXPECT_THROW(impacts_instructions(header + "Short,true,1,2\n"), Failure);
}

TEST(PestTemplate, ReturnTableTakesTheValuesWhereTheParametersStand) {
  const std::string table =
      slurp(testsupport::source_dir() / "examples/corvane/returns/monthly.txt");
  const std::string tpl =
      return_table_template(table, {parse_template_parameter("kbid98=kbid:1998"),
                                    parse_template_parameter("fv9907=Frenchman Valley:199907")});
  const std::string filled = fill_template(tpl, {{"kbid98", 123.25}, {"fv9907", 0.5}});
  const std::vector<std::string> before = lines_of(table);
  const std::vector<std::string> after = lines_of(filled);
  ASSERT_EQ(before.size(), after.size());
  int kbid_months = 0;
  for (std::size_t i = 0; i < before.size(); ++i) {
    std::istringstream old_line(before[i]), new_line(after[i]);
    std::string label, new_label;
    old_line >> label;
    new_line >> new_label;
    if (label.size() != 6 || label[0] == '#' || label == "YRMO") {
      EXPECT_EQ(before[i], after[i]);
      continue;
    }
    double was[4], now[4];
    for (int k = 0; k < 4; ++k) old_line >> was[k], new_line >> now[k];
    ASSERT_TRUE(new_line) << after[i];
    for (int k = 0; k < 4; ++k) {
      double expected = was[k];
      if (k == 2 && label.starts_with("1998")) expected = 123.25, ++kbid_months;
      if (k == 0 && label == "199907") expected = 0.5;
      EXPECT_EQ(now[k], expected) << label << " column " << k;
    }
  }
  EXPECT_EQ(kbid_months, 7);
}

TEST(PestTemplate, ParameterFileTakesAPointAreasAcres) {
  const std::string params = slurp(testsupport::source_dir() / "examples/corvane/params.txt");
  const std::string tpl =
      parameter_file_template(params, {parse_template_parameter("wells=almena_wells:acres")});
  const std::string filled = fill_template(tpl, {{"wells", 320.0}});
  EXPECT_NE(filled.find("AREA Almena_Wells * 1319383.0 14649846.0   3.20000000E+02"),
            std::string::npos)
      << filled;
  EXPECT_EQ(lines_of(filled).size(), lines_of(params).size());
}

TEST(PestTemplate, RefusesParametersThatMissOrCollide) {
  const std::string table = "YRMO A B\n199801 1 2\n";
  EXPECT_THROW(return_table_template(table, {parse_template_parameter("p=A:199901")}), Failure);
  EXPECT_THROW(return_table_template(table, {parse_template_parameter("p=C:199801")}), Failure);
  EXPECT_THROW(return_table_template(table, {parse_template_parameter("p=A:1998"),
                                             parse_template_parameter("q=A:199801")}),
               Failure);
  EXPECT_THROW(return_table_template(table, {parse_template_parameter("p=A:acres")}), Failure);
  EXPECT_THROW(parse_template_parameter("name_far_too_long=A:1998"), Failure);
  EXPECT_THROW(parse_template_parameter("p$=A:1998"), Failure);
  EXPECT_THROW(parse_template_parameter("pA1998"), Failure);
}

TEST(PestTemplate, DelimiterIsOneTheFileDoesNotHold) {
  const std::string table = "YRMO A B\n# costs in $\n199801 1 2\n";
  const std::string tpl = return_table_template(table, {parse_template_parameter("p=B:199801")});
  EXPECT_EQ(tpl.substr(0, 6), "ptf @\n");
  EXPECT_EQ(fill_template(tpl, {{"p", 7.0}}).substr(0, 21), "YRMO A B\n# costs in $");
}

}  // namespace
}  // namespace gridkit
