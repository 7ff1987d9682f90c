// Binary record framing shared by every binary file of the system: each record is a 4-byte
// little-endian byte count, the data, and the count again. Integers inside records are 32-bit
// little-endian, reals 8-byte IEEE little-endian. Encoding is composed byte by byte, so the
// host's byte order never matters.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace utl {

// Bytes of the count before and after a record's data.
inline constexpr std::size_t kRecordMarker = 4;

// Appends `value` as 4 little-endian bytes.
void put_u32le(std::string& out, std::uint32_t value);
// Appends `value` as 4 little-endian bytes (two's complement).
void put_i32le(std::string& out, std::int32_t value);
// Appends the IEEE bits of `value` as 8 little-endian bytes.
void put_f64le(std::string& out, double value);
// Writes the IEEE bits of `value` as 8 little-endian bytes at `out`.
void store_f64le(char* out, double value);

// Reads 4 little-endian bytes at `in` as unsigned.
std::uint32_t get_u32le(const char* in);
// Reads 4 little-endian bytes at `in` as a signed 32-bit integer.
std::int32_t get_i32le(const char* in);
// Reads 8 little-endian bytes at `in` as an IEEE double.
double get_f64le(const char* in);

// Appends one framed record holding `data`. REQUIRES: data.size() < 2^32.
void append_record(std::string& out, std::string_view data);

// Appends one framed record of `n` data bytes and returns where its data go; the caller fills
// them before `out` changes again. REQUIRES: n < 2^32.
char* begin_record(std::string& out, std::size_t n);

// Longest record read from a pipe or device: far above any record of the system's files.
inline constexpr std::size_t kLongestRecord = std::size_t{16} << 20;

// Reads into `contents` the bytes of the first `nrecords` framed records of the file at `path`,
// following the counts from record to record, so that a long file costs only what is used.
// Where the file ends or its framing breaks off first, `contents` holds the whole file (from a
// pipe or device: what was read, with a count past kLongestRecord as the last thing) and a
// RecordReader over it reports where. Returns false when the file cannot be opened or read.
bool read_leading_records(const std::string& path, std::size_t nrecords, std::string& contents);

// As above, but of each whole record of a regular file only the first `longest_kept` bytes are
// read and kept, framed as a record of that length: a count that claims far more than the
// reader's layout uses costs no more memory or time than the layout. A record cut short by the
// end of the file stays cut short.
bool read_leading_records(const std::string& path, std::size_t nrecords, std::string& contents,
                          std::size_t longest_kept);

// Reads framed records one after another from the bytes of a whole file. The record's length
// is taken from its leading count; the trailing count is skipped, not compared.
class RecordReader {
 public:
  enum class Status { kRecord, kEnd, kTruncated };

  explicit RecordReader(std::string_view file) : file_(file) {}

  // The next record's data in `data`: kRecord; kEnd when no byte is left; kTruncated when the
  // count or the data or the trailing count runs past the end of the file.
  Status next(std::string_view& data);

  // Bytes not yet read.
  std::size_t remaining() const { return file_.size() - offset_; }

 private:
  std::string_view file_;
  std::size_t offset_ = 0;
};

}  // namespace utl
