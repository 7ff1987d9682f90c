// utl/file_ops.h: the toolkit's one place that differs between systems. The low-level reading
// of input files, the file operations beneath the safe output, folder separators and the
// signals that stop a run, written once for POSIX (file_ops_posix.cc) and once for Windows
// (file_ops_win32.cc). Bytes are read and written as they are on the disk, with no CR added or
// removed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace utl::file_ops {

// Reading.

// Opens `path` for reading; returns the descriptor, or -1 when it cannot be opened.
int open_read(const char* path);

// What an open input is: a directory holds no records, and only a regular file has a size and
// offsets to read at.
struct Kind {
  bool directory = false;
  bool regular = false;
  std::uint64_t size = 0;
};
bool describe(int fd, Kind& kind);

// Reads up to `size` bytes into `buffer`; returns the count, 0 at the end, -1 on an error.
long long read_some(int fd, char* buffer, std::size_t size);

// Reads up to `size` bytes at `offset` of a regular file; returns as read_some().
long long read_some_at(int fd, char* buffer, std::size_t size, std::uint64_t offset);

void close_input(int fd) noexcept;

// Writing.

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

// Names.

// The position in `path` of its last folder separator ('/', and on Windows '\' too), or npos
// when it has none.
std::size_t last_separator(std::string_view path) noexcept;

// Signals.

// Makes `handler` the handler of the signals that stop a run: SIGINT, SIGTERM, SIGHUP and
// SIGPIPE on POSIX, where a signal the caller set to be ignored (nohup, a shell's background
// job) stays ignored and the others wait while the handler runs; SIGINT (Ctrl-C) and SIGTERM on
// Windows.
void install_stop_handler(void (*handler)(int)) noexcept;

// Ignores the signal of a file size limit (SIGXFSZ), so that writing past the limit fails as on
// a full disk. Nothing on Windows, which has no such signal.
void ignore_file_size_signal() noexcept;

}  // namespace utl::file_ops
