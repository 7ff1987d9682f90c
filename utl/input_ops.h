// The low-level reading of input files, written once for POSIX and once for Windows (file_ops.h
// is the same for writing): bytes come as they are on the disk, with no CR added or removed.
#pragma once

#include <cstddef>
#include <cstdint>

namespace utl::input_ops {

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

}  // namespace utl::input_ops
