// Grid file names told apart by their form alone, without reading the files.
#include "gridkit/readers/grid_names.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <system_error>

#include "gridkit/common.h"
#include "gridkit/grid.h"
#include "utl/temp_name.h"

namespace gridkit {
namespace {

constexpr std::array<std::string_view, 7> kBesideExtensions{"png", "asc", "prj", "nc",
                                                            "csv", "htm", "html"};

}  // namespace

bool is_beside_file(std::string_view name) {
  if (name.empty() || name.front() == '.') return true;
  if (utl::is_temp_name(name)) return true;
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
