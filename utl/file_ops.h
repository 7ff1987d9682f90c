// utl/file_ops.h: the low-level file operations beneath the safe output, written once for
// POSIX and once for Windows (input_ops.h is the same for reading).
#pragma once

#include <string_view>

namespace utl::file_ops {

// Creates `path` for writing, failing when anything of that name exists; returns the open
// descriptor, or -1 with the system's error number in `error`.
int create_new(const char* path, int& error);

// Writes all of `bytes` to `fd`; false with the error number in `error` when that fails.
bool write_all(int fd, std::string_view bytes, int& error);

// Closes `fd`, closed either way; false with the error number in `error` when the system reports
// that a write it had deferred failed, so the file may not hold what was written. (No forced
// flush to the disk: a grid costs no more than its writing.)
bool close_checked(int fd, int& error);

// Renames `from` over `to`, replacing an existing file of that name in one step.
bool replace(const char* from, const char* to, int& error);

// Removes `path`, ignoring any failure. Async-signal-safe on POSIX.
void remove_quietly(const char* path) noexcept;

// The identifier of this process, which no other running process shares.
long process_id() noexcept;

// How a finished output may take the name `path`.
enum class Placement {
  kReplace,  // nothing has that name, or a symbolic link to a file or to nothing (the link is
             // replaced by the file), or a regular file this user may write: renamed over it
  kInPlace,  // a device, a named pipe or a link to one: written into it, never replaced
  kRefused,  // a directory, a file this user may not write, a name the file system cannot take
             // (too long a component, a missing or non-directory parent): the error in `error`
};
Placement placement_of(const char* path, int& error);

// Opens the existing `path` (a device or a named pipe) for writing as it stands, without
// creating or truncating anything; -1 with the error number in `error` when that fails. A named
// pipe waits for its reader, as any writer's would.
int open_in_place(const char* path, int& error);

}  // namespace utl::file_ops
