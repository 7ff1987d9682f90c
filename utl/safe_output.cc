// Output files that appear whole or not at all.
#include "utl/safe_output.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

namespace utl {

SafeOutput::SafeOutput(std::string target) : target_(std::move(target)) {
  // The temporary file lives in the target's directory so the final rename stays on one file
  // system and is atomic; mkstemp gives it a name no other run can take.
  temp_ = target_ + ".tmpXXXXXX";
  const int fd = ::mkstemp(temp_.data());
  if (fd < 0) {
    temp_.clear();
    return;
  }
  // Give the file the permissions a newly created file would have had.
  const mode_t mask = ::umask(0);
  ::umask(mask);
  ::fchmod(fd, 0666 & ~mask);
  file_ = ::fdopen(fd, "wb");
  if (file_ == nullptr) {
    ::close(fd);
    ::unlink(temp_.c_str());
    temp_.clear();
  }
}

SafeOutput::~SafeOutput() { abandon(); }

void SafeOutput::abandon() {
  if (file_ != nullptr) {
    std::fclose(file_);
    file_ = nullptr;
  }
  if (!temp_.empty()) {
    ::unlink(temp_.c_str());
    temp_.clear();
  }
}

bool SafeOutput::write(std::string_view bytes) {
  if (file_ == nullptr || failed_) return false;
  if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) {
    failed_ = true;
    return false;
  }
  return true;
}

bool SafeOutput::commit() {
  if (file_ == nullptr || failed_) {
    abandon();
    return false;
  }
  const bool flushed = std::fflush(file_) == 0;
  const bool closed = std::fclose(file_) == 0;
  file_ = nullptr;
  if (!flushed || !closed || std::rename(temp_.c_str(), target_.c_str()) != 0) {
    abandon();
    return false;
  }
  temp_.clear();
  return true;
}

}  // namespace utl
