// HYDMOD files built byte by byte for the tests.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "tallisk/hydmod.h"
#include "utl/fields.h"
#include "utl/records.h"

namespace tallisk::testdata {

inline std::string record(std::string_view data) {
  std::string out;
  utl::append_record(out, data);
  return out;
}

inline std::string count_record(std::int32_t count) {
  std::string data;
  utl::put_i32le(data, count);
  utl::put_i32le(data, 0);
  return record(data);
}

inline std::string directory_record(const std::vector<std::string>& labels) {
  std::string data;
  utl::put_i32le(data, 0);
  for (const std::string& label : labels) data += utl::padded(label, kLabelLength);
  return record(data);
}

inline std::string time_record(double time, const std::vector<double>& values) {
  std::string data;
  utl::put_f64le(data, time);
  for (double v : values) utl::put_f64le(data, v);
  return record(data);
}

// A file in which each item integrates to its value in acre-feet: the second record comes one
// acre-foot of time after the first, and the 23 after it add no time.
inline std::string volume_file(const std::vector<std::string>& labels,
                               const std::vector<double>& values) {
  std::string file = count_record(static_cast<std::int32_t>(labels.size()));
  file += directory_record(labels);
  file += time_record(0.0, std::vector<double>(values.size(), 1e9));
  for (int r = 1; r <= kIntegratedRecords; ++r) file += time_record(kCubicFeetPerAcreFoot, values);
  return file;
}

}  // namespace tallisk::testdata
