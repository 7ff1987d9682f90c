// gridkit diff: reads each grid once, compares the pair, prints its figures, and writes the
// differing cells as CSV and the difference as a map when asked.
#include "gridkit/commands/diff.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <future>
#include <iostream>
#include <new>
#include <optional>
#include <string_view>

#include "gridkit/commands.h"
#include "gridkit/common.h"
#include "gridkit/figures/compare.h"
#include "gridkit/option_cursor.h"
#include "gridkit/pictures/difference_map.h"
#include "gridkit/readers/grid_names.h"
#include "gridkit/readers/gridfile.h"
#include "utl/csv.h"
#include "utl/fatal.h"
#include "utl/number_text.h"
#include "utl/period_name.h"
#include "utl/safe_output.h"

namespace gridkit {
namespace {

namespace fs = std::filesystem;

constexpr int kMapScale = 3;

constexpr std::string_view kDiffUsage =
    "Usage: gridkit diff [options] A B\n"
    "\n"
    "Compares two grid files, or the files of two directories paired by name, cell by cell.\n"
    "Exit status: 0 all equal, 1 something differs (or is on one side only), 2 trouble.\n"
    "\n"
    "Options:\n"
    "  --abs-tol X   values a and b count as equal when |b - a| <= X + R * max(|a|, |b|)\n"
    "  --rel-tol R   (both 0 by default: equal values only)\n"
    "  --csv FILE    the cells that differ: file, column, row, a, b, b - a\n"
    "  --png FILE    two files: a map of B - A on a colour ramp centred on 0\n"
    "  --help        this text\n";

struct DiffOptions {
  std::string a;
  std::string b;
  Tolerance tolerance;
  std::optional<std::string> csv;
  std::optional<std::string> png;
  bool help = false;
};

double parse_tolerance(const std::string& name, const std::string& text) {
  double value = 0.0;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  if (result.ec != std::errc{} || result.ptr != text.data() + text.size() ||
      !std::isfinite(value) || value < 0.0) {
    throw Failure(name + " takes a number not below 0, not '" + text + "'");
  }
  return value;
}

// Parses the arguments after the command's name. Throws Failure on a misuse.
DiffOptions parse_diff_options(const std::vector<std::string>& args) {
  DiffOptions options;
  std::vector<std::string> files;
  options.help = walk_arguments(args, [&](OptionCursor& cursor, const std::string& name) {
    if (name == "--abs-tol") {
      options.tolerance.absolute = parse_tolerance(name, cursor.value());
    } else if (name == "--rel-tol") {
      options.tolerance.relative = parse_tolerance(name, cursor.value());
    } else if (name == "--csv") {
      options.csv = cursor.value();
    } else if (name == "--png") {
      options.png = cursor.value();
    } else {
      cursor.refuse_unknown_option();
      files.push_back(cursor.argument());
    }
  });
  if (options.help) return options;
  if (files.size() != 2) throw Failure("diff compares two grid files or two directories: A B");
  options.a = files[0];
  options.b = files[1];
  return options;
}

// The name of file `name` of directory `dir`, with '/' between them on every system, as the
// programs name their files (on Windows the folders the user gave appear with '/' too).
std::string join(const std::string& dir, const std::string& name) {
  return (fs::path(dir) / name).generic_string();
}

// Whether `name`, passed over as a picture, export or listing by its extension, has the form
// of a grid corvane writes (YEAR.MONTH.EXT or YEAR.EXT), whose extension the run chose: the
// user is told, rather than a grid of the run missing from the comparison without a word.
bool looks_like_a_run_grid(const std::string& name) {
  if (name.empty() || name.front() == '.') return false;
  const std::optional<utl::PeriodName> period = utl::parse_period_name(name);
  // A picture or export named after its grid (1998.04.rch.png) has two extensions.
  return period && period->ext.find('.') == std::string::npos;
}

// The names of the files of directory `dir` that may be grids, in byte order; the files of a
// grid's name passed over for their extension are named on `err`.
std::vector<std::string> grid_files_in(const std::string& dir, std::ostream& err) {
  std::vector<std::string> names = regular_files_in(dir);
  std::erase_if(names, [&](const std::string& name) {
    if (!is_beside_file(name)) return false;
    if (looks_like_a_run_grid(name)) {
      err << "gridkit: passed over " << join(dir, name)
          << ": a picture, export or listing by its extension\n";
    }
    return true;
  });
  return names;
}

// Where a comparison stands after its pairs: what was found, and what was written out.
struct Tally {
  int equal = 0;
  int differ = 0;
  int only_a = 0;
  int only_b = 0;
  int trouble = 0;
  int status() const {
    if (trouble > 0) return kExitTrouble;
    return differ + only_a + only_b > 0 ? kExitDiffers : kExitSame;
  }
};

std::string yes_no(bool yes) { return yes ? "yes" : "no"; }

std::string format_comparison(const std::string& path_a, const LoadedGrid& a,
                              const std::string& path_b, const LoadedGrid& b,
                              const GridComparison& c) {
  std::string text;
  auto line = [&text](const std::string& name, const std::string& value) {
    text += name + ": " + value + "\n";
  };
  line("A", path_a + " (" + std::string(format_name(a.format)) + ")");
  line("B", path_b + " (" + std::string(format_name(b.format)) + ")");
  line("sum of A", utl::plain_number(c.sum_a));
  line("sum of B", utl::plain_number(c.sum_b));
  line("sum of B - A", utl::plain_number(c.sum_difference));
  std::string largest = utl::plain_number(c.largest);
  if (c.largest_column > 0) {
    largest +=
        " at column " + std::to_string(c.largest_column) + ", row " + std::to_string(c.largest_row);
  }
  line("largest difference", largest);
  line("differing cells", std::to_string(c.differing));
  line("identical", yes_no(c.identical));
  return text;
}

std::string csv_rows(const std::string& file, const std::vector<CellDifference>& cells) {
  std::string text;
  const std::string field = utl::csv_field(file);
  for (const CellDifference& cell : cells) {
    text += field + ',' + std::to_string(cell.column) + ',' + std::to_string(cell.row) + ',' +
            utl::plain_number(cell.a) + ',' + utl::plain_number(cell.b) + ',' +
            utl::plain_number(cell.b - cell.a) + '\n';
  }
  return text;
}

// The comparison of one run: its options, open outputs and tally.
class Comparison {
 public:
  Comparison(const DiffOptions& options, std::ostream& out, std::ostream& err)
      : options_(options), out_(out), err_(err) {
    if (options.csv) {
      csv_.emplace(*options.csv);
      if (!csv_->ok()) throw Failure("cannot create " + *options.csv);
      write_csv("file,column,row,a,b,b_minus_a\n");
    }
  }

  // Compares the files `path_a` and `path_b`, known in the CSV as `name`.
  void pair(const std::string& name, const std::string& path_a, const std::string& path_b) {
    try {
      // B is read on a second thread while A is read on this one.
      auto read_b =
          std::async(std::launch::async, [&] { read_grid_into(path_b, contents_b_, b_); });
      try {
        read_grid_into(path_a, contents_a_, a_);
      } catch (...) {
        read_b.wait();
        throw;
      }
      read_b.get();
    } catch (const Failure& failure) {
      trouble(std::string(failure.what()) + "\n");
      return;
    } catch (const utl::Fatal& stop) {
      trouble(stop.text().substr(1));
      return;
    }
    std::vector<CellDifference> cells;
    const GridComparison c =
        compare_grids(a_.grid, b_.grid, options_.tolerance, csv_ ? &cells : nullptr);
    out_ << format_comparison(path_a, a_, path_b, b_, c);
    ++(c.differing > 0 ? tally_.differ : tally_.equal);
    if (csv_) write_csv(csv_rows(name, cells));
    if (options_.png) {
      write_output_file(*options_.png,
                        encode_png(draw_difference_map(a_.grid, b_.grid, kMapScale)));
    }
  }

  void only_in(const std::string& dir, const std::string& name, int& count) {
    out_ << "only in " << dir << ": " << name << "\n";
    ++count;
  }

  // Compares the files of two directories paired by name, in name order.
  void directories(const std::string& dir_a, const std::string& dir_b) {
    const std::vector<std::string> names_a = grid_files_in(dir_a, err_);
    const std::vector<std::string> names_b = grid_files_in(dir_b, err_);
    // Two directories without a grid between them compare nothing, which is no "identical".
    if (names_a.empty() && names_b.empty()) {
      trouble("no grid files to compare in " + dir_a + " or " + dir_b + "\n");
    }
    std::size_t i = 0, j = 0;
    bool first = true;
    while (i < names_a.size() || j < names_b.size()) {
      if (!first) out_ << "\n";
      first = false;
      if (j == names_b.size() || (i < names_a.size() && names_a[i] < names_b[j])) {
        only_in(dir_a, names_a[i++], tally_.only_a);
      } else if (i == names_a.size() || names_b[j] < names_a[i]) {
        only_in(dir_b, names_b[j++], tally_.only_b);
      } else {
        pair(names_a[i], join(dir_a, names_a[i]), join(dir_b, names_b[j]));
        ++i, ++j;
      }
    }
    if (!first) out_ << "\n";
    out_ << "summary: " << tally_.equal + tally_.differ << " pairs, " << tally_.equal << " equal, "
         << tally_.differ << " differ, " << tally_.only_a << " only in A, " << tally_.only_b
         << " only in B";
    if (tally_.trouble > 0) out_ << ", " << tally_.trouble << " unreadable";
    out_ << "\n";
  }

  // Commits the CSV file when every pair was compared; returns the exit status.
  int finish() {
    if (csv_ && tally_.trouble == 0 && (failed_ || !csv_->commit())) {
      throw Failure("cannot write " + *options_.csv);
    }
    if (csv_ && tally_.trouble > 0) {
      err_ << "gridkit: " << *options_.csv << " not written, as not every pair was compared\n";
    }
    return tally_.status();
  }

 private:
  void trouble(const std::string& message) {
    err_ << "gridkit: " << message;
    ++tally_.trouble;
  }

  void write_csv(const std::string& text) {
    if (!failed_ && !csv_->write(text)) failed_ = true;
  }

  const DiffOptions& options_;
  std::ostream& out_;
  std::ostream& err_;
  std::optional<utl::SafeOutput> csv_;
  bool failed_ = false;
  // The bytes of the files last read and the pair's grids, kept from pair to pair.
  std::string contents_a_, contents_b_;
  LoadedGrid a_, b_;
  Tally tally_;
};

// Compares what the options name. Throws Failure on a misuse or an output that fails.
int compare(const DiffOptions& options, std::ostream& out, std::ostream& err) {
  std::error_code error;
  for (const std::string& path : {options.a, options.b}) {
    if (!fs::exists(path, error)) throw Failure("cannot read " + path);
  }
  const bool dir_a = fs::is_directory(options.a, error);
  const bool dir_b = fs::is_directory(options.b, error);
  if (dir_a && dir_b && options.png) {
    throw Failure("--png maps the difference of two grid files, not of two directories");
  }
  Comparison comparison(options, out, err);
  if (dir_a && dir_b) {
    comparison.directories(options.a, options.b);
  } else {
    // A directory beside a file stands for the file of the same name in it.
    const std::string a =
        dir_a ? join(options.a, fs::path(options.b).filename().string()) : options.a;
    const std::string b =
        dir_b ? join(options.b, fs::path(options.a).filename().string()) : options.b;
    comparison.pair(a, a, b);
  }
  return comparison.finish();
}

}  // namespace

int run_diff(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  try {
    const DiffOptions options = parse_diff_options(args);
    if (options.help) {
      out << kDiffUsage;
      return kExitSame;
    }
    return compare(options, out, err);
  } catch (const std::bad_alloc&) {
    err << "gridkit: out of memory\n";
  } catch (const std::exception& failure) {  // Failure, or no thread to read on, or no memory
    err << "gridkit: " << failure.what() << "\n";
  }
  return kExitTrouble;
}

extern constinit const Command kDiffCommand{
    "diff",
    "diff A B [--abs-tol X] [--rel-tol R] [--csv OUT.csv] [--png OUT.png]",
    "two grid files, or two directories of them, compared cell by cell",
    "",
    run_diff,
    true};

}  // namespace gridkit
