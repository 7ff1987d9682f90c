// Text files read as records: the whole file is read at once and handed out line by line.
#pragma once

#include <string>
#include <string_view>

namespace utl {

// Reads the whole file at `path` into `contents`. Returns false when it cannot be opened or
// read (missing, a directory, no permission).
bool read_whole_file(const std::string& path, std::string& contents);

// The lines of a text file. A line ends at a line feed; a carriage return just before it is
// dropped, so files written on other systems read the same. A last line without a line feed
// still counts; an empty file has no lines.
class TextFile {
 public:
  // Reads the file; false when it cannot be read.
  bool open(const std::string& path);
  // Uses `contents` as the file's text (the caller keeps it alive).
  void assign(std::string_view contents) { text_ = contents, offset_ = 0; }

  // Next line, without its line end; false at the end of the file.
  bool next_line(std::string_view& line);
  // Next line as a record of exactly `len` characters (cut or blank-padded); false at the end.
  bool next_record(std::string& record, std::size_t len);

 private:
  std::string storage_;
  std::string_view text_;
  std::size_t offset_ = 0;
};

}  // namespace utl
