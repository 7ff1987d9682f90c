// HYDMOD run files read record by record and written out as CSV rows.
#include "gridkit/hydmod_csv.h"

#include <cstdint>

#include "gridkit/grid.h"
#include "gridkit/number.h"
#include "utl/fields.h"
#include "utl/records.h"

namespace gridkit {
namespace {

// Bytes of the count record read: the item count and a word that is not interpreted.
constexpr std::size_t kCountBytes = 8;
// Bytes before the first label of the directory record, and of a label.
constexpr std::size_t kDirectoryLead = 4;
constexpr std::size_t kLabelLength = 20;
constexpr std::size_t kRealBytes = 8;

}  // namespace

std::string csv_field(std::string_view field) {
  const bool quote = field.find_first_of(",\"\r\n") != std::string_view::npos ||
                     (!field.empty() && (field.front() == ' ' || field.back() == ' '));
  if (!quote) return std::string(field);
  std::string out = "\"";
  for (char c : field) {
    if (c == '"') out += '"';
    out += c;
  }
  return out + "\"";
}

std::string hydmod_to_csv(std::string_view contents, const std::string& path) {
  utl::RecordReader reader(contents);
  std::string_view record;
  if (reader.next(record) != utl::RecordReader::Status::kRecord || record.size() < kCountBytes) {
    throw Failure(path + ": cannot read the item count");
  }
  // The model writes -N for a file of double-precision values; both mean N items.
  const std::int64_t count = utl::get_i32le(record.data());
  const std::uint64_t nitems = static_cast<std::uint64_t>(count < 0 ? -count : count);

  // The directory record must hold every label before any is taken, so a wild count never
  // leads to a large allocation.
  if (reader.next(record) != utl::RecordReader::Status::kRecord || record.size() < kDirectoryLead ||
      (record.size() - kDirectoryLead) / kLabelLength < nitems) {
    throw Failure(path + ": cannot read the directory of " + std::to_string(nitems) + " items");
  }
  std::string out = "time";
  for (std::uint64_t i = 0; i < nitems; ++i) {
    const std::string_view label = record.substr(kDirectoryLead + kLabelLength * i, kLabelLength);
    out += ',';
    out += csv_field(label.substr(0, utl::length0(label)));
  }
  out += '\n';

  const std::uint64_t needed = kRealBytes * (nitems + 1);
  for (std::uint64_t number = 1;; ++number) {
    const auto status = reader.next(record);
    if (status == utl::RecordReader::Status::kEnd) break;
    if (status == utl::RecordReader::Status::kTruncated) {
      throw Failure(path + ": time record " + std::to_string(number) + " is cut short");
    }
    if (record.size() < needed) {
      throw Failure(path + ": time record " + std::to_string(number) + " holds " +
                    std::to_string(record.size()) + " bytes, fewer than the " +
                    std::to_string(needed) + " of its time and " + std::to_string(nitems) +
                    " values");
    }
    out += format_number(utl::get_f64le(record.data()));
    for (std::uint64_t i = 0; i < nitems; ++i) {
      out += ',';
      out += format_number(utl::get_f64le(record.data() + kRealBytes * (i + 1)));
    }
    out += '\n';
  }
  return out;
}

}  // namespace gridkit
