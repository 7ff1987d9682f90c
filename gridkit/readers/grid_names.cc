// Grid file names told apart by their form alone, without reading the files.
#include "gridkit/readers/grid_names.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <system_error>

#include "gridkit/common.h"
#include "gridkit/grid.h"

namespace gridkit {
namespace {

constexpr std::array<std::string_view, 7> kBesideExtensions{"png", "asc", "prj", "nc",
                                                            "csv", "htm", "html"};

bool is_digit(char c) { return c >= '0' && c <= '9'; }

bool all_digits(std::string_view text) {
  for (char c : text) {
    if (!is_digit(c)) return false;
  }
  return !text.empty();
}

int number(std::string_view digits) {
  int value = 0;
  for (char c : digits) value = value * 10 + (c - '0');
  return value;
}

}  // namespace

std::optional<PeriodName> parse_period_name(std::string_view name) {
  if (name.size() < 6 || !all_digits(name.substr(0, 4)) || name[4] != '.') return std::nullopt;
  PeriodName period;
  period.year = number(name.substr(0, 4));
  std::string_view rest = name.substr(5);
  if (rest.size() > 3 && all_digits(rest.substr(0, 2)) && rest[2] == '.') {
    const int month = number(rest.substr(0, 2));
    if (month >= 1 && month <= 12) {
      period.month = month;
      rest.remove_prefix(3);
    }
  }
  period.ext = std::string(rest);
  return period;
}

bool is_beside_file(std::string_view name) {
  if (name.empty() || name.front() == '.') return true;
  // A temporary file is its target's name followed by ".tmp", digits and more.
  for (std::size_t at = name.find(".tmp"); at != std::string_view::npos;
       at = name.find(".tmp", at + 1)) {
    if (at + 4 < name.size() && is_digit(name[at + 4])) return true;
  }
  const std::size_t dot = name.rfind('.');
  if (dot == std::string_view::npos) return false;
  const std::string_view ext = name.substr(dot + 1);
  for (std::string_view beside : kBesideExtensions) {
    if (ext.size() != beside.size()) continue;
    bool same = true;
    for (std::size_t i = 0; i < ext.size(); ++i) {
      const char lower = ext[i] >= 'A' && ext[i] <= 'Z' ? static_cast<char>(ext[i] + 32) : ext[i];
      if (lower != beside[i]) same = false;
    }
    if (same) return true;
  }
  return false;
}

std::vector<std::string> regular_files_in(const std::string& dir) {
  namespace fs = std::filesystem;
  std::error_code error;
  if (!fs::is_directory(dir, error)) throw Failure("cannot read the directory " + dir);
  std::vector<std::string> names;
  for (fs::directory_iterator it(dir, error), end; !error && it != end; it.increment(error)) {
    std::error_code kind_error;
    if (it->is_regular_file(kind_error)) names.push_back(it->path().filename().string());
  }
  if (error) throw Failure("cannot read the directory " + dir);
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace gridkit
