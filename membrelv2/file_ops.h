// membrelv2/file_ops.h: membrelv2's one place that differs between systems, its own copy of the
// toolkit's layer (membrelv2 links nothing of the toolkit): the file operations beneath its
// outputs and the signals that stop a run, written once for POSIX (file_ops_posix.cc) and once
// for Windows (file_ops_win32.cc). Files are opened in binary mode on Windows, so the bytes are
// the same on both, and the final rename replaces an existing file there too. Failures leave
// the system's error number in errno.
#pragma once

#include <string>
#include <string_view>

namespace membrelv2::file_ops {

// Creates `path` for writing, failing when anything of that name exists; returns the open
// descriptor, or -1.
int create_new(const std::string& path);

// Opens the existing `path` (a device or a named pipe) for writing as it stands, without
// creating or truncating anything; returns the descriptor, or -1.
int open_in_place(const std::string& path);

// Writes the start of `content` to `fd`, all of it or a piece; returns the count written, or -1.
long long write_some(int fd, std::string_view content);

// Closes `fd`, closed either way; returns 0, or -1 when the system reports that a write it had
// deferred failed.
int close_fd(int fd);

// Renames `from` over `to`, replacing an existing file of that name in one step.
bool rename_over(const std::string& from, const std::string& to);

// Removes `path`, ignoring any failure. Async-signal-safe on POSIX.
void remove_quietly(const char* path) noexcept;

// The identifier of this process, which no other running process shares.
long process_id() noexcept;

// Why the finished file may not take the name `path`, as an error number, or 0 when it may:
// nothing of that name, or a symbolic link (replaced by the file), or a regular file that this
// user may write. A directory refuses, and on POSIX a name the file system cannot take too. A
// device or a named pipe (or a link to one) is never replaced: `in_place` says it is to be
// written as it stands (never on Windows).
int refusal_of(const std::string& path, bool& in_place);

// Where the temporary file of `path` goes: its folder, with the separator ('/', and on Windows
// '\' too); empty for a name without a folder.
std::string directory_of(const std::string& path);

// Makes `handler` the handler of the signals that stop a run: SIGINT, SIGTERM, SIGHUP and
// SIGPIPE on POSIX, where a signal the caller set to be ignored (nohup, a shell's background
// job) stays ignored and the others wait while the handler runs; SIGINT (Ctrl-C) and SIGTERM on
// Windows.
void install_stop_handler(void (*handler)(int)) noexcept;

// Ignores the signal of a file size limit (SIGXFSZ), so that writing past the limit fails as on
// a full disk. Nothing on Windows, which has no such signal.
void ignore_file_size_signal() noexcept;

}  // namespace membrelv2::file_ops
