// Output files that appear whole or not at all.
#include "utl/safe_output.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>

namespace utl {
namespace {

// A name suffix that no other file of this or another run is likely to hold; creation with
// O_EXCL makes sure, and another suffix is tried on a clash.
std::string temp_suffix(unsigned attempt) {
  static unsigned long long counter = 0;
  const auto clock =
      static_cast<unsigned long long>(std::chrono::steady_clock::now().time_since_epoch().count());
  char suffix[64];
  std::snprintf(suffix, sizeof suffix, ".tmp%d.%llx%u", static_cast<int>(::getpid()),
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
    fd_ = ::open(temp_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd_ >= 0 || errno != EEXIST) break;
  }
  if (fd_ < 0) temp_.clear();
}

SafeOutput::~SafeOutput() { abandon(); }

void SafeOutput::abandon() {
  if (fd_ >= 0) {
    ::close(fd_);
    fd_ = -1;
  }
  if (!temp_.empty()) {
    ::unlink(temp_.c_str());
    temp_.clear();
  }
}

bool SafeOutput::write(std::string_view bytes) {
  if (fd_ < 0 || failed_) return false;
  while (!bytes.empty()) {
    const ssize_t done = ::write(fd_, bytes.data(), bytes.size());
    if (done < 0 && errno == EINTR) continue;
    if (done <= 0) {
      failed_ = true;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(done));
  }
  return true;
}

bool SafeOutput::commit() {
  if (fd_ < 0 || failed_) {
    abandon();
    return false;
  }
  const bool closed = ::close(fd_) == 0;
  fd_ = -1;
  if (!closed || std::rename(temp_.c_str(), target_.c_str()) != 0) {
    abandon();
    return false;
  }
  temp_.clear();
  return true;
}

}  // namespace utl
