// Names of temporary output files, made and recognised.
#include "utl/temp_name.h"

#include <atomic>
#include <chrono>
#include <cstdio>

#include "utl/file_ops.h"

namespace utl {

std::string temp_file_name(long process, unsigned long count, unsigned long long clock) {
  char name[64];
  std::snprintf(name, sizeof name, ".tmp%ld.%lu.%04llx", process, count, clock & 0xFFFFULL);
  return name;
}

std::string temp_name_in(std::string_view directory) {
  // Outputs may be opened from more than one thread; each takes a count of its own.
  static std::atomic<unsigned long> count{0};
  const auto clock =
      static_cast<unsigned long long>(std::chrono::steady_clock::now().time_since_epoch().count());
  std::string path(directory);
  path += temp_file_name(file_ops::process_id(), ++count, clock);
  return path;
}

bool is_temp_name(std::string_view name) {
  // ".tmp" and a digit, at the start (this version's names) or after a target's name.
  for (std::size_t at = name.find(".tmp"); at != std::string_view::npos;
       at = name.find(".tmp", at + 1)) {
    if (at + 4 < name.size() && name[at + 4] >= '0' && name[at + 4] <= '9') return true;
  }
  return false;
}

}  // namespace utl
