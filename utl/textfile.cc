// Text files read whole and handed out line by line.
#include "utl/textfile.h"

#include "utl/input_ops.h"

namespace utl {

bool read_whole_file(const std::string& path, std::string& contents) {
  contents.clear();
  const int fd = input_ops::open_read(path.c_str());
  if (fd < 0) return false;
  input_ops::Kind kind;
  // A directory opens for reading on POSIX systems but holds no records: it is not a file.
  if (!input_ops::describe(fd, kind) || kind.directory) {
    input_ops::close_input(fd);
    return false;
  }
  if (kind.size > 0) contents.reserve(static_cast<std::size_t>(kind.size));
  char buffer[1 << 16];
  bool ok = true;
  for (;;) {
    const long long got = input_ops::read_some(fd, buffer, sizeof buffer);
    if (got > 0) {
      contents.append(buffer, static_cast<std::size_t>(got));
    } else {
      ok = got == 0;
      break;
    }
  }
  input_ops::close_input(fd);
  return ok;
}

bool TextFile::open(const std::string& path) {
  const bool ok = read_whole_file(path, storage_);
  assign(storage_);
  return ok;
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
