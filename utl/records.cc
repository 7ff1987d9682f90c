// Binary record framing and little-endian encoding, byte by byte.
#include "utl/records.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

#include "utl/file_ops.h"

namespace utl {

void put_u32le(std::string& out, std::uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) out += static_cast<char>((value >> shift) & 0xFF);
}

void put_i32le(std::string& out, std::int32_t value) {
  put_u32le(out, static_cast<std::uint32_t>(value));
}

void store_f64le(char* out, double value) {
  const auto bits = std::bit_cast<std::uint64_t>(value);
  for (int i = 0; i < 8; ++i) out[i] = static_cast<char>((bits >> (8 * i)) & 0xFF);
}

void put_f64le(std::string& out, double value) {
  char bytes[8];
  store_f64le(bytes, value);
  out.append(bytes, 8);
}

std::uint32_t get_u32le(const char* in) {
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(in[i]);
  return value;
}

std::int32_t get_i32le(const char* in) { return static_cast<std::int32_t>(get_u32le(in)); }

double get_f64le(const char* in) {
  std::uint64_t bits = 0;
  for (int i = 7; i >= 0; --i) bits = (bits << 8) | static_cast<unsigned char>(in[i]);
  return std::bit_cast<double>(bits);
}

void append_record(std::string& out, std::string_view data) {
  const auto count = static_cast<std::uint32_t>(data.size());
  out.reserve(out.size() + data.size() + 2 * kRecordMarker);
  put_u32le(out, count);
  out += data;
  put_u32le(out, count);
}

char* begin_record(std::string& out, std::size_t n) {
  const auto count = static_cast<std::uint32_t>(n);
  const std::size_t start = out.size();
  out.resize(start + n + 2 * kRecordMarker);
  char* marker = out.data() + start;
  for (int i = 0; i < 4; ++i) {
    marker[i] = marker[kRecordMarker + n + static_cast<std::size_t>(i)] =
        static_cast<char>((count >> (8 * i)) & 0xFF);
  }
  return marker + kRecordMarker;
}

namespace {

// Reads `size` bytes at `offset` of `fd` into `out`; false on a read error or early end.
bool read_at(int fd, std::size_t offset, std::size_t size, char* out) {
  while (size > 0) {
    const long long got = file_ops::read_some_at(fd, out, size, offset);
    if (got <= 0) return false;
    out += got, offset += static_cast<std::size_t>(got), size -= static_cast<std::size_t>(got);
  }
  return true;
}

// Reads up to `size` bytes of `fd` from where it stands onto the end of `out`; false on a read
// error. Fewer bytes come only at the end of the input.
bool read_on(int fd, std::size_t size, std::string& out) {
  const std::size_t start = out.size();
  out.resize(start + size);
  std::size_t got = 0;
  while (got < size) {
    const long long n = file_ops::read_some(fd, out.data() + start + got, size - got);
    if (n < 0) return false;
    if (n == 0) break;
    got += static_cast<std::size_t>(n);
  }
  out.resize(start + got);
  return true;
}

// The first `nrecords` records of a pipe or device, read in order as their counts say. A count
// past kLongestRecord ends the reading after it: the record is taken as cut short, so an
// endless or damaged input costs no more than that.
bool read_leading_records_in_order(int fd, std::size_t nrecords, std::string& contents) {
  for (std::size_t r = 0; r < nrecords; ++r) {
    const std::size_t start = contents.size();
    if (!read_on(fd, kRecordMarker, contents)) return false;
    if (contents.size() - start < kRecordMarker) return true;
    const std::size_t count = get_u32le(contents.data() + start);
    if (count > kLongestRecord) return true;
    if (!read_on(fd, count + kRecordMarker, contents)) return false;
    if (contents.size() - start < count + 2 * kRecordMarker) return true;
  }
  return true;
}

// Appends `size` bytes at `offset` of `fd` to `out`; false on a read error or early end.
bool append_at(int fd, std::size_t offset, std::size_t size, std::string& out) {
  const std::size_t start = out.size();
  out.resize(start + size);
  return read_at(fd, offset, size, out.data() + start);
}

// The first `nrecords` records of a regular file of `size` bytes, of each the first
// `longest_kept` bytes framed anew; where the framing breaks off, the rest of the file as far as
// a kept record would reach, so that a reader sees the record cut short.
bool read_leading_records_at(int fd, std::size_t size, std::size_t nrecords,
                             std::size_t longest_kept, std::string& contents) {
  std::size_t at = 0;
  for (std::size_t r = 0; r < nrecords && at < size; ++r) {
    char marker[kRecordMarker];
    if (size - at < kRecordMarker || !read_at(fd, at, kRecordMarker, marker)) {
      return append_at(fd, at, size - at, contents);
    }
    const std::size_t count = get_u32le(marker);
    const std::size_t after_marker = size - at - kRecordMarker;
    if (count > after_marker || after_marker - count < kRecordMarker) {
      // Cut short: the counted bytes are not all there. More than a kept record's worth is
      // not needed to tell so.
      const std::size_t reach = longest_kept >= size ? size : 2 * kRecordMarker + longest_kept;
      const std::size_t rest = std::min(size - at, reach);
      return append_at(fd, at, rest, contents);
    }
    // The record's first `kept` bytes, framed anew, straight into the contents.
    const std::size_t kept = std::min(count, longest_kept);
    put_u32le(contents, static_cast<std::uint32_t>(kept));
    if (!append_at(fd, at + kRecordMarker, kept, contents)) return false;
    put_u32le(contents, static_cast<std::uint32_t>(kept));
    at += count + 2 * kRecordMarker;
  }
  return true;
}

}  // namespace

bool read_leading_records(const std::string& path, std::size_t nrecords, std::string& contents) {
  return read_leading_records(path, nrecords, contents, SIZE_MAX);
}

bool read_leading_records(const std::string& path, std::size_t nrecords, std::string& contents,
                          std::size_t longest_kept) {
  contents.clear();
  const int fd = file_ops::open_read(path.c_str());
  if (fd < 0) return false;
  file_ops::Kind kind;
  if (!file_ops::describe(fd, kind) || kind.directory) {
    file_ops::close_input(fd);
    return false;
  }
  const bool ok = kind.regular  // a pipe or device has no offsets to follow
                      ? read_leading_records_at(fd, static_cast<std::size_t>(kind.size), nrecords,
                                                longest_kept, contents)
                      : read_leading_records_in_order(fd, nrecords, contents);
  file_ops::close_input(fd);
  if (!ok) contents.clear();
  return ok;
}

RecordReader::Status RecordReader::next(std::string_view& data) {
  data = {};
  if (remaining() == 0) return Status::kEnd;
  if (remaining() < kRecordMarker) return Status::kTruncated;
  const std::size_t count = get_u32le(file_.data() + offset_);
  // Compare against what is left rather than adding, so a huge count cannot overflow.
  if (count > remaining() - kRecordMarker || remaining() - kRecordMarker - count < kRecordMarker) {
    return Status::kTruncated;
  }
  data = file_.substr(offset_ + kRecordMarker, count);
  offset_ += count + 2 * kRecordMarker;
  return Status::kRecord;
}

}  // namespace utl
