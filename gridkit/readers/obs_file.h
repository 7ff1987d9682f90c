// MODFLOW 6 observation output files, text (CSV) or binary, told apart by their first bytes:
// the observation names and one record of values at the end of every time step.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace gridkit {

// Characters of a MODFLOW 6 observation name.
inline constexpr std::size_t kObsNameLength = 40;
// The value MODFLOW 6 writes where an observation has none (a dry cell, a reach without flow
// data); anything this large or larger is taken as missing.
inline constexpr double kObsMissing = 1e30;

struct ObsSeries {
  std::vector<std::string> names;  // as written, trailing blanks dropped
  std::vector<double> times;       // one per record, simulation time at the end of the step
  std::vector<double> values;      // record by record, names.size() values each
  double value(std::size_t record, std::size_t name) const {
    return values[record * names.size() + name];
  }
};

// Called with the records read so far after each one; true when no more are needed (records
// after those are neither read nor checked). Empty: the whole file.
using ObsEnough = std::function<bool(const ObsSeries&)>;

// The observations of the file whose bytes are `contents` (`path` names it in messages): a
// binary file begins "cont double" or "cont single", a text file "time,". Values are kept as
// written, missing marks and NaN included. Throws Failure on a file of neither kind, a short
// header, a cut record or a field that is not a number.
ObsSeries read_obs(std::string_view contents, const std::string& path,
                   const ObsEnough& enough = {});

// The same from the file at `path`.
ObsSeries read_obs_file(const std::string& path, const ObsEnough& enough = {});

}  // namespace gridkit
