// The instruction file of an impacts CSV: rows found by line, fields by their commas.
#include "gridkit/exports/pest_instructions.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <ostream>
#include <set>

#include "gridkit/commands/impacts.h"
#include "gridkit/common.h"
#include "gridkit/grid.h"
#include "utl/csv.h"
#include "utl/text_lines.h"

namespace gridkit {
namespace {

// The short names of the columns after location and mainstem, in the CSV's order.
constexpr std::array<std::string_view, 9> kColumnNames = {"co", "ks", "ne", "mound", "base",
                                                          "a",  "b",  "c",  "d"};
constexpr std::size_t kLocationLength = 14;

// A CSV line split into its fields (quotes removed), with the number of commas inside quotes,
// which the instructions must step over too.
struct Row {
  std::vector<std::string> fields;
  int quoted_commas = 0;
};

Row split_row(std::string_view line) {
  Row row;
  std::vector<std::vector<std::string>> records = utl::parse_csv(line);
  row.fields = records.empty() ? std::vector<std::string>{""} : std::move(records.front());
  // A comma left inside a field was inside its quotes.
  for (const std::string& field : row.fields) {
    row.quoted_commas += static_cast<int>(std::count(field.begin(), field.end(), ','));
  }
  return row;
}

// The instructions of one row, the line advance `advance` first.
std::string row_instructions(const Row& row, int advance, std::set<std::string>& names) {
  std::string line = "l";
  line += std::to_string(advance);
  // The commas inside a quoted location are stepped over like the separators.
  for (int i = 0; i < row.quoted_commas; ++i) line += " ~,~";
  line += " ~,~";  // past the location, to the mainstem flag
  for (std::size_t column = 0; column < kColumnNames.size(); ++column) {
    if (row.fields[column + 2].empty()) {
      // The sums have no run volumes: the comma after the last number ends it.
      line += " ~,~";
      break;
    }
    std::string name = observation_name(row.fields[0], kColumnNames[column]);
    if (!names.insert(name).second) {
      throw Failure("two rows give the observation name " + name + " (row " + row.fields[0] + ")");
    }
    line += " ~,~ !" + name + "!";
  }
  return line + "\n";
}

}  // namespace

std::string observation_name(std::string_view location, std::string_view column) {
  std::string name;
  for (const char c : location.substr(0, kLocationLength)) {
    const auto byte = static_cast<unsigned char>(c);
    name += std::isalnum(byte) && byte < 0x80 ? static_cast<char>(std::tolower(byte)) : '_';
  }
  if (name.empty()) name = "point";
  return name + "_" + std::string(column);
}

std::string impacts_instructions(std::string_view csv) {
  const std::vector<std::string_view> lines = utl::split_lines(csv);
  if (lines.empty() || lines.front() != kImpactsHeader) {
    throw Failure("not an impacts CSV of gridkit impacts (its first line is not the header)");
  }
  std::string text = "pif ~\n";
  std::set<std::string> names;
  int advance = 2;  // the reading starts before the first line, the header
  for (std::size_t i = 1; i < lines.size(); ++i) {
    if (lines[i].empty()) {
      ++advance;
      continue;
    }
    const Row row = split_row(lines[i]);
    if (row.fields.size() != kColumnNames.size() + 2) {
      throw Failure("line " + std::to_string(i + 1) + " of the impacts CSV has " +
                    std::to_string(row.fields.size()) + " fields, not 11");
    }
    text += row_instructions(row, advance, names);
    advance = 1;
  }
  if (names.empty()) throw Failure("the impacts CSV has no rows");
  return text;
}

}  // namespace gridkit
