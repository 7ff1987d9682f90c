// The instruction file of an impacts CSV: rows found by line, fields by their commas.
#include "gridkit/commands/pest_ins.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <ostream>
#include <set>

#include "gridkit/commands.h"
#include "gridkit/commands/impacts.h"
#include "gridkit/common.h"
#include "gridkit/grid.h"
#include "gridkit/option_cursor.h"
#include "gridkit/readers/gridfile.h"
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

int run_pest_instructions(const std::vector<std::string>& args, std::ostream& out,
                          std::ostream& /*err*/) {
  std::string csv_path;
  std::string output;
  walk_arguments(args, [&](OptionCursor& cursor, const std::string&) {
    if (cursor.is_output()) {
      output = cursor.value();
    } else {
      cursor.refuse_unknown_option();
      if (!csv_path.empty()) {
        throw Failure("pest-ins takes one impacts CSV: pest-ins IMPACTS.csv -o OUT.ins");
      }
      csv_path = cursor.argument();
    }
  });
  if (csv_path.empty())
    throw Failure("pest-ins needs an impacts CSV: pest-ins IMPACTS.csv -o OUT.ins");
  if (output.empty()) throw Failure("pest-ins needs an output file: -o OUT.ins");
  std::string csv;
  read_input_file(csv_path, csv);
  const std::string text = impacts_instructions(csv);
  write_output_file(output, text);
  out << "gridkit: " << output << ": " << (std::count(text.begin(), text.end(), '!') / 2)
      << " observations of " << csv_path << "\n";
  return 0;
}

extern constinit const Command kPestInsCommand{
    "pest-ins", "pest-ins IMPACTS.csv -o OUT.ins",
    "a PEST instruction file reading an impacts CSV's observations",
    "A PEST instruction file that reads the observations of an impacts CSV.\n"
    "  -o, --output OUT  the instruction file to write\n",
    run_pest_instructions};

}  // namespace gridkit
