// utl/file_ops.h: the low-level file operations beneath the safe output, the one place that
// differs between POSIX and Windows.
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

// Whether a finished output may take the name `path`: true when nothing has that name, or a
// symbolic link (which is replaced by the file), or a file other than a directory that this
// user may write, as opening it for writing would allow. False, with the error number in
// `error`, for a directory, a file this user may not write, or a name the file system cannot
// take (too long a component, a missing or non-directory parent).
bool may_replace(const char* path, int& error);

}  // namespace utl::file_ops
