// Text files read as records: the whole file is read at once and handed out line by line.
#pragma once

#include <string>
#include <string_view>

namespace utl {

// Longest line of a text file read whole: far above any real table or grid (a monthly table of
// 256 areas has lines of a few kilobytes), and a bound on what an endless input such as a device
// can make a reader hold.
inline constexpr std::size_t kLongestLine = std::size_t{16} << 20;
// Largest file read whole, lines or not.
inline constexpr std::size_t kLargestFile = std::size_t{256} << 20;

// What became of reading a whole file.
enum class ReadStatus {
  kRead,        // the contents are the whole file
  kCannotOpen,  // missing, a directory, no permission, or a read error
  kTooLong,     // a line longer than the limit, or a file larger than kLargestFile
};

// Reads the whole file at `path` into `contents`, stopping at the first line longer than
// `longest_line` bytes (pass kLargestFile for a binary file) or at kLargestFile bytes, so what
// it holds stays bounded whatever the input. REQUIRES: longest_line >= 64 KiB.
ReadStatus read_whole_file(const std::string& path, std::string& contents,
                           std::size_t longest_line = kLongestLine);

// The lines of a text file. A line ends at a line feed; a carriage return just before it is
// dropped, so files written on other systems read the same. A last line without a line feed
// still counts; an empty file has no lines.
class TextFile {
 public:
  // Reads the file, whose lines may hold up to kLongestLine bytes.
  ReadStatus open(const std::string& path);
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
