// HYDMOD run files read record by record and integrated per accounting point.
#include "tallisk/hydmod.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>

#include "utl/fatal.h"
#include "utl/fields.h"
#include "utl/hydmod_format.h"
#include "utl/records.h"
#include "utl/textfile.h"

namespace tallisk {
namespace {

using utl::kHydmodCountBytes;
using utl::kHydmodDirectoryLead;
using utl::kHydmodRealBytes;

bool is_blank(const GageEntry& entry) {
  return std::all_of(entry.begin(), entry.end(), [](char c) { return c == ' '; });
}

std::string_view entry_text(const GageEntry& entry) { return {entry.data(), entry.size()}; }

}  // namespace

GageEntry gage_entry(std::string_view text) {
  GageEntry entry;
  entry.fill(' ');
  std::copy_n(text.begin(), std::min(text.size(), entry.size()), entry.begin());
  return entry;
}

void readsfi(std::string_view file_name, const GageTable& gages, Volumes& volumes, int npoints,
             int nskip) {
  if (npoints < 0 || npoints > kMaxPoints)
    utl::errorint("Invalid number of accounting points", npoints);
  if (nskip < 1) utl::errorint("Invalid number of records to skip", nskip);

  const std::string name(utl::trimmed(file_name));
  // Only the count, the directory, the skipped records and the integrated ones are used.
  std::string contents;
  const std::size_t needed = 2 + static_cast<std::size_t>(nskip) + kIntegratedRecords;
  if (!utl::read_leading_records(name, needed, contents)) utl::error2("Cannot open file", name);
  utl::RecordReader reader(contents);
  std::string_view record;

  if (reader.next(record) != utl::RecordReader::Status::kRecord ||
      record.size() < kHydmodCountBytes) {
    utl::error2("Cannot read count", name);
  }
  const std::int64_t magnitude = utl::hydmod_items(utl::get_i32le(record.data()));
  if (magnitude > kMaxItems) utl::errorint("Too many HYDMOD items", magnitude);
  const int nitems = static_cast<int>(magnitude);

  if (reader.next(record) != utl::RecordReader::Status::kRecord ||
      record.size() < kHydmodDirectoryLead + std::size_t{kLabelLength} * nitems) {
    utl::error2("Cannot read directory", name);
  }
  // Labels point into the file's bytes, which live until the end of the call.
  std::array<const char*, kMaxItems> labels{};
  std::array<double, kMaxItems> offsets{};
  for (int i = 0; i < nitems; ++i) {
    labels[i] = record.data() + kHydmodDirectoryLead + std::size_t{kLabelLength} * i;
    offsets[i] = (labels[i][0] == 'S' && labels[i][1] == 'O') ? kSoOffset : 0.0;
  }

  // Signed item numbers, counted from 1; 0 marks an empty slot.
  std::array<std::array<int, kSlots>, kMaxPoints> slot_map{};
  for (int j = 0; j < npoints; ++j) {
    for (int k = 0; k < kSlots; ++k) {
      const GageEntry& entry = gages[j][k];
      if (is_blank(entry)) continue;
      // A label listed twice: the later item wins.
      int item = 0;
      for (int i = 0; i < nitems; ++i) {
        if (std::memcmp(labels[i], entry.data() + 1, kLabelLength) == 0) item = i + 1;
      }
      if (item == 0) utl::error2("No match to gage", entry_text(entry));
      if (entry[0] == '+') {
        slot_map[j][k] = item;
      } else if (entry[0] == '-') {
        slot_map[j][k] = -item;
      } else {
        utl::error2("Invalid gage type", entry_text(entry));
      }
    }
  }

  // The time of the last skipped record starts the first interval.
  double previous = 0.0;
  for (int s = 0; s < nskip; ++s) {
    if (reader.next(record) != utl::RecordReader::Status::kRecord ||
        record.size() < kHydmodRealBytes) {
      utl::error2("Error reading file", name);
    }
    previous = utl::get_f64le(record.data());
  }

  // Each value stands for the interval that ends at its record's time.
  std::array<double, kMaxItems> volume{};
  const std::size_t time_record_bytes = kHydmodRealBytes + kHydmodRealBytes * nitems;
  for (int r = 0; r < kIntegratedRecords; ++r) {
    if (reader.next(record) != utl::RecordReader::Status::kRecord ||
        record.size() < time_record_bytes) {
      utl::error2("Error reading file", name);
    }
    const double time = utl::get_f64le(record.data());
    const double factor = (time - previous) / kCubicFeetPerAcreFoot;
    const char* values = record.data() + kHydmodRealBytes;
    for (int i = 0; i < nitems; ++i) {
      volume[i] = volume[i] + factor * (utl::get_f64le(values + kHydmodRealBytes * i) - offsets[i]);
    }
    previous = time;
  }

  for (int j = 0; j < npoints; ++j) {
    double sum = 0.0;
    for (int k = 0; k < kSlots; ++k) {
      const int m = slot_map[j][k];
      if (m > 0) {
        sum = sum + volume[m - 1];
      } else if (m < 0) {
        sum = sum - volume[-m - 1];
      }
    }
    volumes[j] = sum;
  }
}

}  // namespace tallisk
