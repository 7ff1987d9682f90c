// Hand-made MODFLOW 6 observation files for tests: the binary stream form and the text form.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "utl/records.h"

namespace gridkit::fixtures {

// Values record by record, one per name.
using Records = std::vector<std::vector<double>>;

inline std::string binary_obs(const std::vector<std::string>& names,
                              const std::vector<double>& times, const Records& values,
                              bool single = false) {
  std::string out = single ? "cont single  40" : "cont double  40";
  out.resize(100, ' ');
  utl::put_i32le(out, static_cast<std::int32_t>(names.size()));
  for (const std::string& name : names) out += (name + std::string(40, ' ')).substr(0, 40);
  for (std::size_t r = 0; r < times.size(); ++r) {
    std::vector<double> record{times[r]};
    record.insert(record.end(), values[r].begin(), values[r].end());
    for (const double x : record) {
      if (single) {
        const auto narrow = static_cast<float>(x);
        std::uint32_t bits = 0;
        std::memcpy(&bits, &narrow, sizeof bits);
        utl::put_u32le(out, bits);
      } else {
        utl::put_f64le(out, x);
      }
    }
  }
  return out;
}

// The text form with every number in 17 significant digits, so that it reads back exactly.
inline std::string text_obs(const std::vector<std::string>& names, const std::vector<double>& times,
                            const Records& values) {
  std::string out = "time";
  for (const std::string& name : names) out += "," + name;
  out += "\n";
  char number[40];
  for (std::size_t r = 0; r < times.size(); ++r) {
    std::snprintf(number, sizeof number, "%.17g", times[r]);
    out += number;
    for (const double x : values[r]) {
      std::snprintf(number, sizeof number, "%.17g", x);
      out += std::string(",") + number;
    }
    out += "\n";
  }
  return out;
}

}  // namespace gridkit::fixtures
