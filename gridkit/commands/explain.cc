// A HYDMOD run file held against what tallisk's accounting reads: 8-byte reals, the record at
// the start and 24 time records after it, and the labels of the accounting list.
#include "gridkit/commands/explain.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <new>
#include <optional>

#include "gridkit/commands.h"
#include "gridkit/common.h"
#include "gridkit/grid.h"
#include "gridkit/option_cursor.h"
#include "tallisk/accounts.h"
#include "tallisk/year.h"
#include "utl/fatal.h"
#include "utl/fields.h"
#include "utl/hydmod_format.h"
#include "utl/records.h"
#include "utl/textfile.h"

namespace gridkit {
namespace {

constexpr int kExitFits = kExitSame;
constexpr int kExitMisfit = kExitDiffers;
// The record at the start of the window and the integrated ones after it.
constexpr std::size_t kWindowRecords = 1 + tallisk::kIntegratedRecords;
constexpr std::size_t kNearestShown = 3;
constexpr std::size_t kSingleBytes = 4;

constexpr std::string_view kExplainUsage =
    "Usage: gridkit explain FILE [--list LIST]\n"
    "\n"
    "Tells whether the HYDMOD file FILE fits tallisk's accounting, and why not: a file of a\n"
    "single-precision model, too few or too many time records, or accounting labels it lacks.\n"
    "LIST is an accounting-point list (default ../data0/tallisk.12s when it exists).\n"
    "Exit status: 0 fits, 1 does not fit, 2 trouble.\n";

// What the file holds, as far as its framing goes.
struct HydmodShape {
  std::int32_t count_word = 0;
  std::uint64_t items = 0;
  std::vector<std::string> labels;  // trailing blanks dropped
  std::size_t real_bytes = utl::kHydmodRealBytes;
  std::vector<double> times;
  std::string broken;  // where the framing breaks off, if it does
};

double read_real(const char* in, std::size_t bytes) {
  if (bytes == utl::kHydmodRealBytes) return utl::get_f64le(in);
  const std::uint32_t bits = utl::get_u32le(in);
  float single = 0.0F;
  std::memcpy(&single, &bits, sizeof single);
  return single;
}

// The width of the reals that a first time record of `size` bytes holds for `items` items.
std::size_t real_width(std::size_t size, std::uint64_t items) {
  if (size >= utl::kHydmodRealBytes * (items + 1)) return utl::kHydmodRealBytes;
  if (size >= kSingleBytes * (items + 1)) return kSingleBytes;
  return 0;
}

void read_time_records(utl::RecordReader& reader, HydmodShape& shape) {
  std::string_view record;
  for (std::size_t number = 1;; ++number) {
    const auto status = reader.next(record);
    if (status == utl::RecordReader::Status::kEnd) return;
    if (status == utl::RecordReader::Status::kTruncated) {
      shape.broken = "time record " + std::to_string(number) + " is cut short";
      return;
    }
    if (number == 1) shape.real_bytes = real_width(record.size(), shape.items);
    if (shape.real_bytes == 0 || record.size() < shape.real_bytes * (shape.items + 1)) {
      shape.broken = "time record " + std::to_string(number) + " holds " +
                     std::to_string(record.size()) + " bytes, too few for its time and " +
                     std::to_string(shape.items) + " values";
      return;
    }
    shape.times.push_back(read_real(record.data(), shape.real_bytes));
  }
}

HydmodShape read_shape(std::string_view contents) {
  HydmodShape shape;
  utl::RecordReader reader(contents);
  std::string_view record;
  if (reader.next(record) != utl::RecordReader::Status::kRecord ||
      record.size() < utl::kHydmodCountBytes) {
    shape.broken = "no count record: not a HYDMOD file";
    return shape;
  }
  shape.count_word = utl::get_i32le(record.data());
  shape.items = static_cast<std::uint64_t>(utl::hydmod_items(shape.count_word));
  if (reader.next(record) != utl::RecordReader::Status::kRecord ||
      record.size() < utl::kHydmodDirectoryLead ||
      (record.size() - utl::kHydmodDirectoryLead) / utl::kHydmodLabelLength < shape.items) {
    shape.broken = "no directory record of " + std::to_string(shape.items) + " labels";
    return shape;
  }
  for (std::uint64_t i = 0; i < shape.items; ++i) {
    const std::string_view label = record.substr(
        utl::kHydmodDirectoryLead + utl::kHydmodLabelLength * i, utl::kHydmodLabelLength);
    shape.labels.emplace_back(label.substr(0, utl::length0(label)));
  }
  read_time_records(reader, shape);
  return shape;
}

// A model time for people: ten significant digits, so the sums of time step lengths read as
// the days they are (243, not 243.00000000000009).
std::string time_text(double time) {
  std::array<char, 32> text{};
  std::snprintf(text.data(), text.size(), "%.10g", time);
  return text.data();
}

std::string times_text(const std::vector<double>& times, std::size_t first, std::size_t last) {
  return "times " + time_text(times[first]) + " to " + time_text(times[last]);
}

std::string precision_finding(const HydmodShape& shape) {
  return "single precision: the item count is " + std::to_string(shape.count_word) +
         " and the reals are 4 bytes wide, as a\n"
         "  single-precision MODFLOW build writes them; tallisk reads 8-byte reals (a\n"
         "  double-precision build writes the count as -N) and stops with \"Error reading "
         "file\".\n"
         "  Rebuild MODFLOW in double precision (gfortran -fdefault-real-8 -fdefault-double-8,\n"
         "  as tools/build-mf2005 does) and run the model again.\n";
}

std::string record_count_finding(const HydmodShape& shape) {
  const std::size_t records = shape.times.size();
  const std::string held =
      std::to_string(records) + " time records" +
      (records > 0 ? " (" + times_text(shape.times, 0, records - 1) + ")" : std::string());
  if (records < kWindowRecords) {
    return "too few records: " + held +
           "; the accounting takes the record at the start\n"
           "  and integrates the 24 after it, 25 in all: 24 time steps in the year (2 a month "
           "over 12\n"
           "  monthly stress periods). tallisk stops with \"Error reading file\".\n";
  }
  return "more records than the accounting window: " + held +
         ";\n  tallisk integrates only the first 25, " +
         times_text(shape.times, 0, kWindowRecords - 1) + ", and leaves out the rest, up to " +
         time_text(shape.times.back()) +
         ".\n  Run 24 time steps in the year (2 a month over 12 monthly stress periods).\n";
}

std::string label_finding(const WantedLabel& wanted, const std::vector<std::string>& labels) {
  const std::string label = wanted.entry.substr(1);
  std::string text =
      "label not in the file: " + wanted.entry + " of the accounting point '" + wanted.point + "'";
  const auto nearest = nearest_labels(label, labels, kNearestShown);
  if (nearest.empty()) return text + "; the file has no labels\n";
  text += "; nearest labels in the file:";
  for (const std::string& candidate : nearest) text += " " + candidate;
  return text + "\n";
}

// The accounting list's non-blank gage entries, or none when no list is found.
std::vector<WantedLabel> read_wanted(const std::string& list_path) {
  tallisk::AccountList list;
  tallisk::read_accounts(list_path, list);
  std::vector<WantedLabel> wanted;
  for (int j = 0; j < list.count; ++j) {
    const std::string_view name(list.names[j].data(), list.names[j].size());
    for (const tallisk::GageEntry& entry : list.gages[j]) {
      const std::string_view text(entry.data(), entry.size());
      if (utl::length0(text) == 0) continue;
      wanted.push_back({std::string(name.substr(0, utl::length0(name))),
                        std::string(text.substr(0, utl::length0(text)))});
    }
  }
  return wanted;
}

std::size_t edit_distance(std::string_view a, std::string_view b) {
  std::vector<std::size_t> row(b.size() + 1);
  for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    std::size_t diagonal = row[0];
    row[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t above = row[j];
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
      diagonal = above;
    }
  }
  return row[b.size()];
}

}  // namespace

std::vector<std::string> nearest_labels(std::string_view label,
                                        const std::vector<std::string>& candidates,
                                        std::size_t count) {
  std::vector<std::pair<std::size_t, std::string>> ranked;
  for (const std::string& candidate : candidates) {
    ranked.emplace_back(edit_distance(label, candidate), candidate);
  }
  std::stable_sort(ranked.begin(), ranked.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<std::string> nearest;
  for (const auto& [distance, candidate] : ranked) {
    if (nearest.size() == count) break;
    if (std::find(nearest.begin(), nearest.end(), candidate) == nearest.end()) {
      nearest.push_back(candidate);
    }
  }
  return nearest;
}

std::string explain_hydmod(std::string_view contents, const std::string& path,
                           const std::vector<WantedLabel>& wanted, bool list_given, bool& fits) {
  const HydmodShape shape = read_shape(contents);
  std::string findings;
  if (!shape.broken.empty()) findings += "unreadable: " + shape.broken + "\n";
  if (shape.items > static_cast<std::uint64_t>(tallisk::kMaxItems)) {
    findings += "too many items: " + std::to_string(shape.items) + "; tallisk reads at most " +
                std::to_string(tallisk::kMaxItems) + "\n";
  }
  if (shape.real_bytes == kSingleBytes) findings += precision_finding(shape);
  if (shape.broken.empty() && shape.times.size() != kWindowRecords) {
    findings += record_count_finding(shape);
  }
  for (const WantedLabel& entry : wanted) {
    if (entry.entry.front() != '+' && entry.entry.front() != '-') {
      findings += "not a gage entry: " + entry.entry + " of the accounting point '" + entry.point +
                  "' begins with neither + nor -\n";
    } else if (std::find(shape.labels.begin(), shape.labels.end(), entry.entry.substr(1)) ==
               shape.labels.end()) {
      findings += label_finding(entry, shape.labels);
    }
  }
  fits = findings.empty();
  std::string text = path + ": " + (fits ? "fits" : "does not fit") + " the accounting\n";
  text += "items: " + std::to_string(shape.items) + ", " + std::to_string(shape.real_bytes) +
          "-byte reals\n";
  text += "time records: " + std::to_string(shape.times.size());
  if (!shape.times.empty()) text += ", " + times_text(shape.times, 0, shape.times.size() - 1);
  text += "\n";
  if (shape.times.size() >= kWindowRecords) {
    text += "integrated by tallisk: records 2 to 25, " +
            times_text(shape.times, 0, kWindowRecords - 1) + "\n";
  }
  text += list_given ? "labels: " + std::to_string(wanted.size()) + " of the accounting list\n"
                     : "labels: not checked (no accounting list; --list LIST)\n";
  for (std::size_t at = 0; at < findings.size();) {
    const std::size_t end = findings.find('\n', at);
    const std::string_view line(findings.data() + at, end - at);
    text += (line.starts_with("  ") ? "" : "- ") + std::string(line) + "\n";
    at = end + 1;
  }
  return text;
}

int run_explain(const std::vector<std::string>& args, std::ostream& out, std::ostream& /*err*/) {
  std::optional<std::string> file;
  std::optional<std::string> list;
  if (walk_arguments(args, [&](OptionCursor& cursor, const std::string& name) {
        if (name == "--list") {
          list = cursor.value();
        } else {
          cursor.refuse_unknown_option();
          if (file) throw Failure("more than one file: " + *file + " and " + cursor.argument());
          file = cursor.argument();
        }
      })) {
    out << kExplainUsage;
    return kExitFits;
  }
  if (!file) throw Failure("explain needs a HYDMOD file");
  if (!list && std::filesystem::is_regular_file(tallisk::kListPath)) list = tallisk::kListPath;
  std::string contents;
  read_binary_input_file(*file, contents);
  const std::vector<WantedLabel> wanted = list ? read_wanted(*list) : std::vector<WantedLabel>{};
  bool fits = false;
  out << explain_hydmod(contents, *file, wanted, list.has_value(), fits);
  return fits ? kExitFits : kExitMisfit;
}

extern constinit const Command kExplainCommand{
    "explain",
    "explain FILE [--list LIST]",
    "why a HYDMOD file does or does not fit tallisk's accounting",
    "",
    run_explain,
    true};

}  // namespace gridkit
