// Output files that appear whole or not at all.
#include "utl/safe_output.h"

#include <cerrno>

#include "utl/fatal.h"
#include "utl/file_ops.h"
#include "utl/signal_cleanup.h"
#include "utl/temp_name.h"

namespace utl {
namespace {

// The directory part of `target`, with its separator: where the temporary file goes, so the
// final rename stays on one file system and replaces the target in one step.
std::string_view directory_of(std::string_view target) {
  const std::size_t end = file_ops::last_separator(target);
  return end == std::string_view::npos ? std::string_view() : target.substr(0, end + 1);
}

}  // namespace

SafeOutput::SafeOutput(std::string target) : target_(std::move(target)) {
  int error = 0;
  switch (file_ops::placement_of(target_.c_str(), error)) {
    case file_ops::Placement::kRefused:
      return;
    case file_ops::Placement::kInPlace:
      in_place_ = true;
      fd_ = file_ops::open_in_place(target_.c_str(), error);
      return;
    case file_ops::Placement::kReplace:
      break;
  }
  const std::string_view directory = directory_of(target_);
  for (unsigned attempt = 0; attempt < 16; ++attempt) {
    temp_ = temp_name_in(directory);
    // The name is ready for the signal cleanup before the file exists.
    slot_ = signal_cleanup::hold(temp_.c_str());
    if (slot_ < 0) break;
    fd_ = file_ops::create_new(temp_.c_str(), error);
    if (fd_ >= 0) return;
    signal_cleanup::release(slot_);
    slot_ = -1;
    if (error != EEXIST) break;
  }
  temp_.clear();
}

SafeOutput::~SafeOutput() { abandon(); }

void SafeOutput::abandon() {
  if (fd_ >= 0) {
    int ignored = 0;
    file_ops::close_checked(fd_, ignored);
    fd_ = -1;
  }
  if (!temp_.empty()) {
    file_ops::remove_quietly(temp_.c_str());
    temp_.clear();
  }
  signal_cleanup::release(slot_);
  slot_ = -1;
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
  const bool closed = file_ops::close_checked(fd_, error);
  fd_ = -1;
  if (in_place_) return closed;
  if (!closed || !file_ops::replace(temp_.c_str(), target_.c_str(), error)) {
    abandon();
    return false;
  }
  temp_.clear();
  signal_cleanup::release(slot_);
  slot_ = -1;
  return true;
}

WholeFileStatus write_whole_file(const std::string& name, std::string_view bytes) {
  SafeOutput out(name);
  if (!out.ok()) return WholeFileStatus::kCannotOpen;
  if (!out.write(bytes) || !out.commit()) return WholeFileStatus::kCannotWrite;
  return WholeFileStatus::kWritten;
}

void write_whole_file_or_stop(const std::string& name, std::string_view bytes) {
  switch (write_whole_file(name, bytes)) {
    case WholeFileStatus::kWritten:
      return;
    case WholeFileStatus::kCannotOpen:
      error("Cannot open file " + name);
    case WholeFileStatus::kCannotWrite:
      error("Cannot write to file " + name);
  }
}

}  // namespace utl
