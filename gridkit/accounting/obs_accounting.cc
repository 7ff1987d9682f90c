// Observation volumes: a step rule on the right end of each time step, as for HYDMOD files, but
// with no offset on stream outflows (MODFLOW 6 adds none) and names matched in upper case.
#include "gridkit/accounting/obs_accounting.h"

#include <cmath>
#include <cstdlib>
#include <memory>
#include <optional>
#include <unordered_map>

#include "gridkit/common.h"
#include "gridkit/grid.h"
#include "utl/number_text.h"

namespace gridkit {
namespace {

// How near a record's time must be to the window's start to be taken as that time: the text
// form writes times with as few as 10 significant digits.
constexpr double kTimeTolerance = 1e-9;

// Each point's entries as signed observation numbers counted from 1. A name written twice in
// the file: the later one counts, as for a HYDMOD label.
std::vector<std::vector<long>> match_entries(const ObsSeries& series, const std::string& path,
                                             const ObsAccountList& list) {
  std::unordered_map<std::string, long> index;
  for (std::size_t i = 0; i < series.names.size(); ++i) {
    index[upper_cased(series.names[i])] = static_cast<long>(i) + 1;
  }
  std::vector<std::vector<long>> matched(static_cast<std::size_t>(list.points.count));
  for (std::size_t j = 0; j < matched.size(); ++j) {
    for (const ObsEntry& entry : list.entries[j]) {
      const auto found = index.find(entry.name);
      if (found == index.end()) {
        throw Failure(path + ": no observation named " + entry.name + " (accounting point " +
                      std::to_string(j + 1) + ")");
      }
      matched[j].push_back(entry.negative ? -found->second : found->second);
    }
  }
  return matched;
}

bool near(double a, double b) {
  return std::abs(a - b) <= kTimeTolerance * std::max(1.0, std::abs(b));
}

// The first record of the window: the one after the record at `start`, or the first when the
// window starts at the simulation's start.
std::size_t first_record(const ObsSeries& series, const std::string& path, double start) {
  if (start == 0.0) return 0;
  for (std::size_t r = 0; r < series.times.size(); ++r) {
    if (near(series.times[r], start)) return r + 1;
  }
  throw Failure(path + ": no time step ends at time " + utl::plain_number(start) +
                ", where the accounting is to start");
}

void check_value(double value, const ObsSeries& series, const std::string& path, std::size_t record,
                 std::size_t name) {
  const std::string where =
      series.names[name] + " at time " + utl::plain_number(series.times[record]);
  if (std::isnan(value)) throw Failure(path + ": " + where + " is not a number");
  if (std::abs(value) >= kObsMissing) {
    throw Failure(path + ": " + where + " is missing (" + utl::plain_number(value) +
                  "): the model could not compute it");
  }
}

}  // namespace

ObsEnough window_read(const ObsWindow& window) {
  // The number of records before the window, once the record at its start has been read.
  auto before = std::make_shared<std::optional<std::size_t>>();
  if (window.start == 0.0) *before = 0;
  return [window, before](const ObsSeries& series) {
    if (!*before && near(series.times.back(), window.start)) *before = series.times.size();
    // A file read again from its beginning, once more of it is read, counts from there again.
    return *before && series.times.size() >= **before + static_cast<std::size_t>(window.records);
  };
}

tallisk::Volumes account_obs(const ObsSeries& series, const std::string& path,
                             const ObsAccountList& list, const ObsWindow& window) {
  const auto matched = match_entries(series, path, list);
  std::vector<bool> used(series.names.size(), false);
  for (const auto& point : matched) {
    for (const long m : point) used[static_cast<std::size_t>(std::labs(m) - 1)] = true;
  }
  const std::size_t first = first_record(series, path, window.start);
  const auto wanted = static_cast<std::size_t>(window.records);
  if (series.times.size() - first < wanted) {
    throw Failure(path + ": " + std::to_string(series.times.size() - first) +
                  " time steps after time " + utl::plain_number(window.start) +
                  ", fewer than the " + std::to_string(wanted) + " to account");
  }
  std::vector<double> volume(series.names.size(), 0.0);
  // A start matched to a step's end within the tolerance begins at that step's end exactly.
  double previous = first == 0 ? window.start : series.times[first - 1];
  for (std::size_t r = first; r < first + wanted; ++r) {
    const double time = series.times[r];
    if (!std::isfinite(time)) {
      throw Failure(path + ": record " + std::to_string(r + 1) + " has no finite time");
    }
    const double factor = (time - previous) / tallisk::kCubicFeetPerAcreFoot;
    for (std::size_t i = 0; i < series.names.size(); ++i) {
      if (!used[i]) continue;
      const double value = series.value(r, i);
      check_value(value, series, path, r, i);
      volume[i] = volume[i] + factor * value;
    }
    previous = time;
  }
  tallisk::Volumes volumes{};
  for (std::size_t j = 0; j < matched.size(); ++j) {
    double sum = 0.0;
    for (const long m : matched[j]) {
      const double v = volume[static_cast<std::size_t>(std::labs(m) - 1)];
      sum = m > 0 ? sum + v : sum - v;
    }
    volumes[j] = sum;
  }
  return volumes;
}

}  // namespace gridkit
