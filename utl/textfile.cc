// Text files read whole and handed out line by line.
#include "utl/textfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace utl {

bool read_whole_file(const std::string& path, std::string& contents) {
  contents.clear();
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat info {};
  // A directory opens for reading on this system but holds no records: it is not a file.
  if (fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
    ::close(fd);
    return false;
  }
  if (S_ISREG(info.st_mode) && info.st_size > 0) {
    contents.reserve(static_cast<std::size_t>(info.st_size));
  }
  char buffer[1 << 16];
  bool ok = true;
  for (;;) {
    const ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got > 0) {
      contents.append(buffer, static_cast<std::size_t>(got));
    } else if (got == 0) {
      break;
    } else if (errno != EINTR) {
      ok = false;
      break;
    }
  }
  ::close(fd);
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
