// The corvane parameter file: record loop, the commands and the final checks.
#include "corvane/params.h"

#include <cmath>
#include <filesystem>
#include <system_error>

#include "corvane/monthly.h"
#include "utl/fatal.h"
#include "utl/fields.h"
#include "utl/freeline.h"
#include "utl/gridread.h"
#include "utl/textfile.h"

namespace corvane {
namespace {

// A message joined with the record it is about.
std::string with_record(std::string_view message, std::string_view record) {
  std::string text(message);
  text += record;
  return text;
}

// Reads fields of one command record one after another.
class Cursor {
 public:
  explicit Cursor(std::string_view record) : record_(record) {}

  // Next text field (256 characters, blank-padded); false when there is none.
  bool text(std::string& value) {
    int ierr = 0;
    value = utl::charin(record_, pos_, pos_, ierr);
    return ierr == 0;
  }
  // Next text field naming a file or folder; false when there is none. A name longer than its
  // field stops the run, since cut it would send the file to a name the user never gave.
  bool name(std::string& value) {
    const int before = pos_;
    if (!text(value)) return false;
    if (field_length(before) > value.size()) {
      utl::error(with_record("File name too long ", record_));
    }
    return true;
  }
  // Next text field cut to `len` characters and folded to upper case.
  bool word(std::string& value, std::size_t len) {
    if (!text(value)) return false;
    value.resize(len);
    utl::uppercase(value);
    return true;
  }
  bool integer(int& value) {
    int ierr = 0;
    value = utl::intin(record_, pos_, pos_, ierr);
    return ierr == 0;
  }
  bool real(double& value) {
    int ierr = 0;
    value = utl::realin(record_, pos_, pos_, ierr);
    return ierr == 0;
  }

 private:
  // Characters of the field just read, which began at or after `before` (quotes not counted).
  std::size_t field_length(int before) const {
    std::size_t start = static_cast<std::size_t>(before < 1 ? 1 : before) - 1;
    while (start < record_.size() && record_[start] == ' ') ++start;
    const std::size_t end = static_cast<std::size_t>(pos_) - 1;
    const std::size_t length = end > start ? end - start : 0;
    const bool quoted = start < record_.size() && record_[start] == '"';
    return quoted && length >= 2 ? length - 2 : length;
  }

  std::string_view record_;
  int pos_ = 1;
};

bool is_word(std::string_view word, std::string_view keyword) {
  return utl::trimmed(word) == keyword;
}

void do_file(Cursor& fields, Params& params) {
  if (!fields.name(params.dir)) utl::error("Invalid FILE directory");
  if (!fields.name(params.rech_ext)) utl::error("Invalid FILE recharge extension");
  if (!fields.name(params.area_ext)) utl::error("Invalid FILE area/rate extension");
  std::string option;
  if (!fields.word(option, kWordLength)) return;
  if (!is_word(option, "BIN")) utl::error("Unknown FILE option " + option);
  params.binary = true;
}

void do_transient(Cursor& fields, Params& params) {
  int first = 0;
  int last = 0;
  if (!fields.integer(first)) utl::error("Invalid TRANSIENT start year");
  if (!fields.integer(last)) utl::error("Invalid TRANSIENT end year");
  if (first > last) utl::error("Invalid TRANSIENT period");
  params.first_year = first;
  params.last_year = last;
  params.transient = true;
}

void do_ibound(Cursor& fields, std::string_view record, Params& params) {
  std::string file;
  if (!fields.name(file)) utl::error(with_record("Invalid IBOUND file name ", record));
  params.inputs.emplace_back(utl::trimmed(file));
  std::vector<std::string> unused_names(1);
  int unused_nzone = 0;
  utl::readflags(utl::trimmed(file), params.ibound, kNrow, kNcol, unused_names, unused_nzone, 0);
}

// Writes the warning line for a point area outside the grid, in the form of a fatal message.
void warn_outside(std::string_view record, std::ostream& warnings) {
  utl::FreeLine line;
  line.text(utl::trimmed(with_record("AREA outside domain ", record)));
  warnings << line.finish() << std::flush;
}

void do_area(Cursor& fields, std::string_view record, Params& params, std::ostream& warnings) {
  if (params.returns) utl::error("Specify AREAs before RETURNs");
  if (params.narea + 1 > kMaxArea) utl::error("Too many AREAs");
  std::string name;
  if (!fields.word(name, kNameLength)) utl::error(with_record("Invalid AREA name ", record));
  std::string file;
  if (!fields.name(file)) utl::error(with_record("Invalid AREA file ", record));
  AreaCells cells;
  if (!is_word(file, "*")) {
    params.inputs.emplace_back(utl::trimmed(file));
    // A new grid starts at 0, so null values and a slash leave cells without acreage.
    std::vector<double>& grid = params.area_grid;
    utl::readreal(utl::trimmed(file), grid, kNrow, kNcol, 1);
    cells = sparse_area(grid);
    for (std::int32_t c : cells.cell) grid[static_cast<std::size_t>(c)] = 0.0;
  } else {
    double x = 0.0;
    double y = 0.0;
    double acres = 0.0;
    if (!fields.real(x)) utl::error("Invalid AREA X coordinate");
    if (!fields.real(y)) utl::error("Invalid AREA Y coordinate");
    const int cell = point_cell(x, y);
    if (cell < 0) {
      // The area keeps its number and its table column, with no acreage anywhere.
      warn_outside(record, warnings);
    } else {
      if (!fields.real(acres)) utl::error("Invalid AREA acres");
      if (acres != 0.0) {
        cells.cell.push_back(cell);
        cells.acres.push_back(acres);
      }
    }
  }
  params.narea += 1;
  params.areaname.push_back(name);
  params.acres.push_back(std::move(cells));
}

void do_return(Cursor& fields, std::string_view record, Params& params) {
  if (params.narea == 0) utl::error("Specify AREAs before RETURNs");
  params.returns = true;
  std::string file;
  if (!fields.name(file)) utl::error(with_record("Invalid RETURNs file ", record));
  params.inputs.emplace_back(utl::trimmed(file));
  params.retaf.assign(static_cast<std::size_t>(params.narea) * kMonthsPerArea, 0.0);
  readmonths(utl::trimmed(file), params.retaf, params.areaname, params.narea, kFirstTableYear,
             kLastTableYear);
}

// The water balance is written at the end of the run; only its name is kept here.
void do_balance(Cursor& fields, std::string_view record, Params& params) {
  std::string file;
  // A blank name ("") would create a file named by a blank, so it counts as missing.
  if (!fields.name(file) || utl::length0(file) == 0) {
    utl::error(with_record("Invalid BALANCE file name ", record));
  }
  params.balance = true;
  params.balance_file = utl::trimmed(file);
}

}  // namespace

int point_cell(double x, double y) {
  if (x < kXwest || x > kXeast || y < kYsouth || y > kYnorth) return -1;
  int col = static_cast<int>(std::trunc((x - kXwest) / kCellSize)) + 1;
  int row = kNrow - static_cast<int>(std::trunc((y - kYsouth) / kCellSize));
  // The east and north edges themselves belong to the edge cells.
  if (col > kNcol) col = kNcol;
  if (row < 1) row = 1;
  return cell_index(col, row);
}

AreaCells sparse_area(std::span<const double> grid) {
  AreaCells cells;
  for (std::size_t i = 0; i < grid.size(); ++i) {
    if (grid[i] != 0.0) {
      cells.cell.push_back(static_cast<std::int32_t>(i));
      cells.acres.push_back(grid[i]);
    }
  }
  cells.cell.shrink_to_fit();
  cells.acres.shrink_to_fit();
  return cells;
}

void do_command(std::string_view record, Params& params, std::ostream& warnings) {
  Cursor fields(record);
  std::string word;
  if (!fields.word(word, kWordLength)) utl::error(with_record("Invalid command ", record));
  if (is_word(word, "FILE")) {
    do_file(fields, params);
  } else if (is_word(word, "TRANSIENT")) {
    do_transient(fields, params);
  } else if (is_word(word, "IBOUND")) {
    do_ibound(fields, record, params);
  } else if (is_word(word, "AREA")) {
    do_area(fields, record, params, warnings);
  } else if (is_word(word, "RETURN")) {
    do_return(fields, record, params);
  } else if (is_word(word, "BALANCE")) {
    do_balance(fields, record, params);
  } else {
    utl::error("Unknown parameter " + word);
  }
}

void final_checks(const Params& params) {
  if (utl::length0(params.dir) == 0) utl::error("No FILE specified");
  if (params.narea == 0) utl::error("No AREAs specified");
  if (!params.returns) utl::error("No RETURNs specified");
  // Without years the run would compute nothing and still end as if it had succeeded.
  if (!params.transient) utl::error("No TRANSIENT specified");
}

void check_balance_not_input(const Params& params) {
  if (!params.balance) return;
  for (const std::string& input : params.inputs) {
    // By identity, so that another spelling or a link of the same file counts too.
    std::error_code unknown;
    if (std::filesystem::equivalent(params.balance_file, input, unknown)) {
      utl::error("BALANCE file is an input of the run " + params.balance_file);
    }
  }
}

Params read_params(const std::string& file, std::ostream& warnings) {
  utl::TextFile text;
  const utl::ReadStatus read = text.open(file);
  if (read == utl::ReadStatus::kCannotOpen) utl::error("Error opening parameter file");
  // A parameter file has no message of its own for an unreadable record: the grids' one.
  if (read == utl::ReadStatus::kTooLong) utl::error2("Error reading file", file);
  Params params;
  params.inputs.push_back(file);
  std::string record;
  while (text.next_record(record, kParamRecord)) {
    if (utl::linefix(record) != 0) continue;
    do_command(record, params, warnings);
  }
  final_checks(params);
  check_balance_not_input(params);
  return params;
}

}  // namespace corvane
