// Output files that appear whole or not at all: data go to a temporary file in the target's
// directory, which is renamed over the target only once it is completely written and closed.
// A run stopped by a signal removes the temporary file; a target this user may not replace
// (a directory, a read-only file) is refused before anything is written.
#pragma once

#include <string>
#include <string_view>

namespace utl {

class SafeOutput {
 public:
  // Opens a temporary file beside `target`; ok() tells whether that worked. It fails when the
  // target's directory cannot take a new file, or the target exists and is a directory or a
  // file this user may not write, or its name is too long for the file system. A symbolic link
  // as the target is replaced by the new file, as an ordinary file would be. A target that is a
  // device or a named pipe (or a link to one) is never replaced: it is opened and written in
  // place, and the data reach it as they are written.
  explicit SafeOutput(std::string target);
  // Removes the temporary file unless commit() succeeded.
  ~SafeOutput();
  SafeOutput(const SafeOutput&) = delete;
  SafeOutput& operator=(const SafeOutput&) = delete;

  bool ok() const { return fd_ >= 0; }
  // Whether the target is a device or a named pipe written in place, with no temporary file.
  bool in_place() const { return in_place_; }
  // The temporary file's name, for a library that writes a file only by name: it writes there,
  // and commit() puts the file in place as for bytes given to write(). Empty when in_place().
  const std::string& temp_path() const { return temp_; }
  // Appends bytes; false when they could not be written (the file is then abandoned).
  bool write(std::string_view bytes);
  // Closes and renames the temporary file over the target; false on any failure, in which case
  // the temporary file is removed and the target left as it was.
  bool commit();

 private:
  void abandon();

  std::string target_;
  std::string temp_;
  int fd_ = -1;
  int slot_ = -1;  // the temporary file's place in the signal cleanup
  bool failed_ = false;
  bool in_place_ = false;
};

// What became of writing a whole file.
enum class WholeFileStatus { kWritten, kCannotOpen, kCannotWrite };

// Writes `bytes` as the whole file `name` through a SafeOutput: the file appears complete or
// not at all, and an older file of that name stays as it was on any failure.
WholeFileStatus write_whole_file(const std::string& name, std::string_view bytes);

// Writes `bytes` as the whole file `name`, or stops the run with "Cannot open file " or
// "Cannot write to file " and the name.
void write_whole_file_or_stop(const std::string& name, std::string_view bytes);

}  // namespace utl
