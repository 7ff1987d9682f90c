// MODFLOW 6 observation files read whole: the binary stream file of the OBS utility and its
// comma-separated text form.
#include "gridkit/readers/obs_file.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <limits>

#include "gridkit/common.h"
#include "gridkit/grid.h"
#include "utl/fields.h"
#include "utl/records.h"
#include "utl/textfile.h"

namespace gridkit {
namespace {

// The binary header: "cont double" or "cont single", the name length in four characters, then
// blanks to 100 bytes; the name count (int32) follows.
constexpr std::size_t kBinaryHeaderBytes = 100;
constexpr std::size_t kBinaryCountBytes = 4;
constexpr std::string_view kBinaryDouble = "cont double";
constexpr std::string_view kBinarySingle = "cont single";
constexpr std::size_t kNameLengthStart = 11;
constexpr std::size_t kNameLengthWidth = 4;

float get_f32le(const char* in) {
  const std::uint32_t bits = utl::get_u32le(in);
  float value = 0.0F;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

std::size_t binary_name_length(std::string_view contents, const std::string& path) {
  int length = 0;
  const std::string field(contents.substr(kNameLengthStart, kNameLengthWidth));
  if (utl::convert_int(field, length) != 0 || length < 1 || length > 1000) {
    throw Failure(path + ": the name length '" + field + "' in the header is not a length");
  }
  return static_cast<std::size_t>(length);
}

// How much of a file a read takes: the bytes read so far may be only its beginning, and the
// caller may need only its first records.
struct Reading {
  const ObsEnough& enough;
  bool complete = true;    // the bytes are the whole file
  bool satisfied = false;  // enough() said so: no more records needed
  // Whether to stop after the record just read.
  bool stop(const ObsSeries& series) {
    satisfied = enough && enough(series);
    return satisfied;
  }
};

ObsSeries read_binary(std::string_view contents, const std::string& path, Reading& reading) {
  const std::size_t real_bytes = contents.starts_with(kBinaryDouble) ? 8 : 4;
  ObsSeries series;
  if (contents.size() < kBinaryHeaderBytes + kBinaryCountBytes) {
    if (!reading.complete) return series;
    throw Failure(path + ": the header is cut short");
  }
  const std::size_t name_length = binary_name_length(contents, path);
  const std::int32_t count = utl::get_i32le(contents.data() + kBinaryHeaderBytes);
  std::size_t at = kBinaryHeaderBytes + kBinaryCountBytes;
  if (count < 0) throw Failure(path + ": the header names a negative number of observations");
  // The names must all be there before any is taken, so a wild count never allocates much.
  if ((contents.size() - at) / name_length < static_cast<std::size_t>(count)) {
    if (!reading.complete) return series;
    throw Failure(path + ": the header names " + std::to_string(count) +
                  " observations, more than the file holds");
  }
  for (std::int32_t i = 0; i < count; ++i) {
    series.names.emplace_back(utl::trimmed(contents.substr(at, name_length)));
    if (series.names.back() == " ") series.names.back().clear();
    at += name_length;
  }
  const std::size_t record_bytes = real_bytes * (series.names.size() + 1);
  const std::size_t records = (contents.size() - at) / record_bytes;
  for (std::size_t r = 0; r < records; ++r) {
    for (std::size_t k = 0; k <= series.names.size(); ++k) {
      const char* field = contents.data() + at + k * real_bytes;
      const double x = real_bytes == 8 ? utl::get_f64le(field) : get_f32le(field);
      if (k == 0) {
        series.times.push_back(x);
      } else {
        series.values.push_back(x);
      }
    }
    at += record_bytes;
    if (reading.stop(series)) return series;
  }
  if (reading.complete && at != contents.size()) {
    throw Failure(path + ": record " + std::to_string(records + 1) + " is cut short");
  }
  return series;
}

// One number of the text form: Fortran's forms (E or D exponent, or a bare exponent sign when
// the exponent has three digits) or NaN.
double parse_field(std::string_view field, const std::string& path, std::size_t line) {
  field.remove_prefix(std::min(field.find_first_not_of(' '), field.size()));
  field = utl::trimmed(field);
  if (field.empty() || field == " ") {
    throw Failure(path + ": line " + std::to_string(line) + ": an empty field");
  }
  double x = 0.0;
  if (utl::parse_real(field, x) == 0) return x;
  std::string lower(field);
  for (char& c : lower) c = static_cast<char>(c | 0x20);
  if (lower == "nan" || lower == "+nan" || lower == "-nan") {
    return std::numeric_limits<double>::quiet_NaN();
  }
  throw Failure(path + ": line " + std::to_string(line) + ": '" + std::string(field) +
                "' is not a number");
}

// Splits `line` at its commas into `fields`.
void split_commas(std::string_view line, std::vector<std::string_view>& fields) {
  fields.clear();
  std::size_t start = 0;
  for (;;) {
    const std::size_t comma = line.find(',', start);
    fields.push_back(line.substr(start, comma - start));
    if (comma == std::string_view::npos) return;
    start = comma + 1;
  }
}

// The next line of `text` from `at`, without its line end (LF or CR-LF); false at the end.
bool next_line(std::string_view text, std::size_t& at, std::string_view& line) {
  if (at >= text.size()) return false;
  std::size_t end = text.find('\n', at);
  if (end == std::string_view::npos) end = text.size();
  line = text.substr(at, end - at);
  if (line.ends_with('\r')) line.remove_suffix(1);
  at = end + 1;
  return true;
}

ObsSeries read_text(std::string_view contents, const std::string& path, Reading& reading) {
  ObsSeries series;
  // Of a file's beginning, only whole lines are read.
  if (!reading.complete) contents = contents.substr(0, contents.rfind('\n') + 1);
  if (contents.empty()) return series;
  std::size_t at = 0;
  std::string_view line;
  std::vector<std::string_view> fields;
  next_line(contents, at, line);
  split_commas(line, fields);
  for (std::size_t k = 1; k < fields.size(); ++k) {
    series.names.emplace_back(utl::trimmed(fields[k]));
    if (series.names.back() == " ") series.names.back().clear();
  }
  std::size_t number = 1;
  while (next_line(contents, at, line)) {
    ++number;
    if (line.empty() && at >= contents.size()) break;
    split_commas(line, fields);
    if (fields.size() != series.names.size() + 1) {
      throw Failure(path + ": line " + std::to_string(number) + " holds " +
                    std::to_string(fields.size()) + " fields, not the " +
                    std::to_string(series.names.size() + 1) + " of its time and " +
                    std::to_string(series.names.size()) + " observations");
    }
    series.times.push_back(parse_field(fields[0], path, number));
    for (std::size_t k = 1; k < fields.size(); ++k) {
      series.values.push_back(parse_field(fields[k], path, number));
    }
    if (reading.stop(series)) break;
  }
  return series;
}

bool starts_with_text_header(std::string_view contents) {
  if (contents.size() < 5) return false;
  std::string head(contents.substr(0, 5));
  for (char& c : head) c = static_cast<char>(c | 0x20);
  return head == "time,";
}

ObsSeries read_from(std::string_view contents, const std::string& path, Reading& reading) {
  if (contents.starts_with(kBinaryDouble) || contents.starts_with(kBinarySingle)) {
    return read_binary(contents, path, reading);
  }
  if (starts_with_text_header(contents)) return read_text(contents, path, reading);
  throw Failure(path +
                ": not a MODFLOW 6 observation file (it begins with neither \"time,\" "
                "nor \"cont double\")");
}

// Bytes first read of a file, then four times as many each time more are needed.
constexpr std::size_t kFirstRead = std::size_t{1} << 16;

}  // namespace

ObsSeries read_obs(std::string_view contents, const std::string& path, const ObsEnough& enough) {
  Reading reading{enough};
  return read_from(contents, path, reading);
}

ObsSeries read_obs_file(const std::string& path, const ObsEnough& enough) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw Failure("cannot read " + path);
  // Only as much of the file is read as the records needed take: a year's accounting reads the
  // beginning of a long run's file.
  std::string contents;
  for (std::size_t wanted = kFirstRead;; wanted *= 4) {
    const std::size_t had = contents.size();
    contents.resize(std::min(wanted, utl::kLargestFile + 1));
    in.read(contents.data() + had, static_cast<std::streamsize>(contents.size() - had));
    if (in.bad()) throw Failure("cannot read " + path);
    contents.resize(had + static_cast<std::size_t>(in.gcount()));
    if (contents.size() > utl::kLargestFile) throw Failure(path + ": larger than 256 MiB");
    Reading reading{enough, in.eof()};
    ObsSeries series = read_from(contents, path, reading);
    if (reading.complete || reading.satisfied) return series;
  }
}

}  // namespace gridkit
