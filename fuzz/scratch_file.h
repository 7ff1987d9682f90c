// A private scratch directory for harnesses whose readers take a file name: each process gets
// its own directory (in memory when /dev/shm exists), removed with its files at exit.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace fuzzing {

// The scratch directory, created on first use.
inline const std::filesystem::path& scratch_dir() {
  static const std::filesystem::path dir = [] {
    std::string base = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    std::string pattern = base + "/recharge-fuzz-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) std::abort();
    std::atexit([] {
      std::error_code ignored;
      std::filesystem::remove_all(scratch_dir(), ignored);
    });
    return std::filesystem::path(pattern);
  }();
  return dir;
}

// Writes `size` bytes as the scratch file `name` and returns its full path.
inline std::string write_scratch(const std::string& name, const std::uint8_t* data,
                                 std::size_t size) {
  const std::string path = (scratch_dir() / name).string();
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) std::abort();
  if (size > 0 && std::fwrite(data, 1, size, file) != size) std::abort();
  if (std::fclose(file) != 0) std::abort();
  return path;
}

}  // namespace fuzzing
