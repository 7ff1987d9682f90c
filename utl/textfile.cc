// Text files read whole and handed out line by line.
#include "utl/textfile.h"

#include "utl/file_ops.h"

namespace utl {

namespace {

// Whether `piece`, which continues a line of `open_line` bytes, makes a line longer than
// `longest_line`; `open_line` becomes the length of the line still open after it.
bool line_too_long(std::string_view piece, std::size_t& open_line, std::size_t longest_line) {
  const std::size_t first_end = piece.find('\n');
  if (first_end == std::string_view::npos) {
    open_line += piece.size();
    return open_line > longest_line;
  }
  // Lines that begin and end within the piece are shorter than the piece (64 KiB), and so than
  // any limit given.
  if (open_line + first_end > longest_line) return true;
  open_line = piece.size() - piece.rfind('\n') - 1;
  return false;
}

// Reads `fd` to its end into `contents` within the limits; kCannotOpen on a read error.
ReadStatus read_to_end(int fd, std::string& contents, std::size_t longest_line) {
  char buffer[1 << 16];
  std::size_t open_line = 0;
  for (;;) {
    const long long got = file_ops::read_some(fd, buffer, sizeof buffer);
    if (got == 0) return ReadStatus::kRead;
    if (got < 0) return ReadStatus::kCannotOpen;
    const std::string_view piece(buffer, static_cast<std::size_t>(got));
    if (line_too_long(piece, open_line, longest_line) ||
        contents.size() + piece.size() > kLargestFile) {
      return ReadStatus::kTooLong;
    }
    contents += piece;
  }
}

}  // namespace

ReadStatus read_whole_file(const std::string& path, std::string& contents,
                           std::size_t longest_line) {
  contents.clear();
  const int fd = file_ops::open_read(path.c_str());
  if (fd < 0) return ReadStatus::kCannotOpen;
  file_ops::Kind kind;
  // A directory opens for reading on POSIX systems but holds no records: it is not a file.
  if (!file_ops::describe(fd, kind) || kind.directory) {
    file_ops::close_input(fd);
    return ReadStatus::kCannotOpen;
  }
  ReadStatus status = ReadStatus::kTooLong;
  // A regular file's size is known: room for all of it at once, unless it is past the limit.
  // A pipe or a device grows the text as it comes, within the same limits.
  const bool sized = kind.size > 0;
  if (!sized || static_cast<std::size_t>(kind.size) <= kLargestFile) {
    if (sized) contents.reserve(static_cast<std::size_t>(kind.size));
    status = read_to_end(fd, contents, longest_line);
  }
  file_ops::close_input(fd);
  if (status != ReadStatus::kRead) contents.clear();
  return status;
}

ReadStatus TextFile::open(const std::string& path) {
  const ReadStatus status = read_whole_file(path, storage_);
  assign(storage_);
  return status;
}

bool TextFile::next_line(std::string_view& line) {
  if (offset_ >= text_.size()) return false;
  std::size_t end = text_.find('\n', offset_);
  std::size_t next = end == std::string_view::npos ? text_.size() : end + 1;
  if (end == std::string_view::npos) end = text_.size();
  line = text_.substr(offset_, end - offset_);
  if (!line.empty() && line.back() == '\r' && end < text_.size()) line.remove_suffix(1);
  offset_ = next;
  return true;
}

bool TextFile::next_record(std::string& record, std::size_t len) {
  std::string_view line;
  if (!next_line(line)) return false;
  record.assign(line.substr(0, len));
  record.resize(len, ' ');
  return true;
}

}  // namespace utl
