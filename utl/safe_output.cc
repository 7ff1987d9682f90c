// Output files that appear whole or not at all.
#include "utl/safe_output.h"

#include <cerrno>
#include <chrono>
#include <cstdio>

#include "utl/file_ops.h"

namespace utl {
namespace {

// A name suffix that no other file of this or another run is likely to hold; creation with
// O_EXCL makes sure, and another suffix is tried on a clash.
std::string temp_suffix(unsigned attempt) {
  static unsigned long long counter = 0;
  const auto clock =
      static_cast<unsigned long long>(std::chrono::steady_clock::now().time_since_epoch().count());
  char suffix[64];
  std::snprintf(suffix, sizeof suffix, ".tmp%d.%llx%u", static_cast<int>(file_ops::process_id()),
                (clock ^ (++counter << 20)) & 0xFFFFFFFFFFULL, attempt);
  return suffix;
}

}  // namespace

SafeOutput::SafeOutput(std::string target) : target_(std::move(target)) {
  // The temporary file lives in the target's directory, so the final rename stays on one file
  // system and replaces the target in one step. It is created with the permissions a new file
  // of the target's name would get.
  for (unsigned attempt = 0; attempt < 16; ++attempt) {
    temp_ = target_ + temp_suffix(attempt);
    int error = 0;
    fd_ = file_ops::create_new(temp_.c_str(), error);
    if (fd_ >= 0 || error != EEXIST) break;
  }
  if (fd_ < 0) temp_.clear();
}

SafeOutput::~SafeOutput() { abandon(); }

void SafeOutput::abandon() {
  if (fd_ >= 0) {
    int ignored = 0;
    file_ops::close_synced(fd_, ignored);
    fd_ = -1;
  }
  if (!temp_.empty()) {
    file_ops::remove_quietly(temp_.c_str());
    temp_.clear();
  }
}

bool SafeOutput::write(std::string_view bytes) {
  if (fd_ < 0 || failed_) return false;
  int error = 0;
  if (!file_ops::write_all(fd_, bytes, error)) failed_ = true;
  return !failed_;
}

bool SafeOutput::commit() {
  if (fd_ < 0 || failed_) {
    abandon();
    return false;
  }
  int error = 0;
  const bool closed = file_ops::close_synced(fd_, error);
  fd_ = -1;
  if (!closed || !file_ops::replace(temp_.c_str(), target_.c_str(), error)) {
    abandon();
    return false;
  }
  temp_.clear();
  return true;
}

}  // namespace utl
