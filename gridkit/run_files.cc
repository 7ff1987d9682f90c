// File names of corvane's stress-period grids read back into years and months.
#include "gridkit/run_files.h"

#include <filesystem>
#include <string_view>

#include "gridkit/grid.h"
#include "gridkit/grid_names.h"

namespace gridkit {
namespace {

// The number of `count` digits at `at` in `text`, or -1 when they are not all digits.
int digits_at(std::string_view text, std::size_t at, std::size_t count) {
  if (at + count > text.size()) return -1;
  int value = 0;
  for (std::size_t i = at; i < at + count; ++i) {
    if (text[i] < '0' || text[i] > '9') return -1;
    value = value * 10 + (text[i] - '0');
  }
  return value;
}

std::string without_dot(const std::string& ext) {
  return ext.starts_with('.') ? ext.substr(1) : ext;
}

// Whether `name` is `stem_size` characters, a dot and `ext`.
bool has_ext(std::string_view name, std::size_t stem_size, const std::string& ext) {
  return name.size() == stem_size + 1 + ext.size() && name[stem_size] == '.' &&
         name.substr(stem_size + 1) == ext;
}

}  // namespace

std::optional<std::pair<int, int>> month_of(const std::string& name, const std::string& ext) {
  const std::string_view text(name);
  if (!has_ext(text, 7, without_dot(ext)) || text[4] != '.') return std::nullopt;
  const int year = digits_at(text, 0, 4);
  const int month = digits_at(text, 5, 2);
  if (year < 0 || month < 1 || month > 12) return std::nullopt;
  return std::pair{year, month};
}

std::optional<int> year_of(const std::string& name, const std::string& ext) {
  if (!has_ext(name, 4, without_dot(ext))) return std::nullopt;
  const int year = digits_at(name, 0, 4);
  if (year < 0) return std::nullopt;
  return year;
}

RunFiles find_run_files(const std::string& dir, const std::string& recharge_ext,
                        const std::optional<std::string>& area_ext) {
  RunFiles files;
  for (const std::string& name : regular_files_in(dir)) {
    const std::string path = (std::filesystem::path(dir) / name).string();
    if (const auto month = month_of(name, recharge_ext)) {
      files.months[*month] = path;
    } else if (area_ext) {
      if (const auto year = year_of(name, *area_ext)) files.years[*year] = path;
    }
  }
  return files;
}

}  // namespace gridkit
