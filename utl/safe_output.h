// Output files that appear whole or not at all: data go to a temporary file in the target's
// directory, which is renamed over the target only once it is completely written and closed.
#pragma once

#include <string>
#include <string_view>

namespace utl {

class SafeOutput {
 public:
  // Opens a temporary file beside `target`; ok() tells whether that worked.
  explicit SafeOutput(std::string target);
  // Removes the temporary file unless commit() succeeded.
  ~SafeOutput();
  SafeOutput(const SafeOutput&) = delete;
  SafeOutput& operator=(const SafeOutput&) = delete;

  bool ok() const { return fd_ >= 0; }
  // Appends bytes; false when they could not be written (the file is then abandoned).
  bool write(std::string_view bytes);
  // Flushes, closes and renames the temporary file over the target; false on any failure, in
  // which case the temporary file is removed and the target left as it was.
  bool commit();

 private:
  void abandon();

  std::string target_;
  std::string temp_;
  int fd_ = -1;
  bool failed_ = false;
};

}  // namespace utl
