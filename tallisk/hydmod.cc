// HYDMOD run files read record by record and integrated per accounting point.
#include "tallisk/hydmod.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
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

// The most of any record the layout uses: a directory of the most items, or a time record of
// them. Bytes past it, which a damaged count may claim by the gigabyte, are skipped unread.
constexpr std::size_t kLongestRecordUsed =
    std::max(kHydmodDirectoryLead + std::size_t{kLabelLength} * kMaxItems,
             kHydmodRealBytes*(std::size_t{kMaxItems} + 1));

// The items of one file, as its directory lists them.
struct Items {
  int count = 0;
  // Labels point into the file's bytes, which live until the end of the call.
  std::array<const char*, kMaxItems> labels{};
  // Subtracted from every value of the item: kSoOffset under an "SO" label, else 0.
  std::array<double, kMaxItems> offsets{};
};

// Signed item numbers, counted from 1, of every point and slot; 0 marks an empty slot.
using SlotMap = std::array<std::array<int, kSlots>, kMaxPoints>;
// One value per item of a file.
template <typename T>
using PerItem = std::array<T, kMaxItems>;

bool is_blank(const GageEntry& entry) {
  return std::all_of(entry.begin(), entry.end(), [](char c) { return c == ' '; });
}

std::string_view entry_text(const GageEntry& entry) { return {entry.data(), entry.size()}; }

// The next record into `record`; false when there is none of at least `least` bytes.
bool next_record(utl::RecordReader& reader, std::string_view& record, std::size_t least) {
  return reader.next(record) == utl::RecordReader::Status::kRecord && record.size() >= least;
}

// The count record: the number of items, at most kMaxItems.
int read_count(utl::RecordReader& reader, const std::string& name) {
  std::string_view record;
  if (!next_record(reader, record, kHydmodCountBytes)) utl::error2("Cannot read count", name);
  const std::int64_t magnitude = utl::hydmod_items(utl::get_i32le(record.data()));
  if (magnitude > kMaxItems) utl::errorint("Too many HYDMOD items", magnitude);
  return static_cast<int>(magnitude);
}

// The directory record: the label of each of the `count` items, and its offset.
Items read_directory(utl::RecordReader& reader, const std::string& name, int count) {
  std::string_view record;
  if (!next_record(reader, record, kHydmodDirectoryLead + std::size_t{kLabelLength} * count)) {
    utl::error2("Cannot read directory", name);
  }
  Items items;
  items.count = count;
  for (int i = 0; i < count; ++i) {
    const char* label = record.data() + kHydmodDirectoryLead + std::size_t{kLabelLength} * i;
    items.labels[i] = label;
    items.offsets[i] = (label[0] == 'S' && label[1] == 'O') ? kSoOffset : 0.0;
  }
  return items;
}

// The signed item number that the non-blank `entry` names. A label listed twice: the later
// item wins. The label is checked before the sign.
int slot_of(const GageEntry& entry, const Items& items) {
  int item = 0;
  for (int i = items.count; i-- > 0;) {
    if (std::memcmp(items.labels[i], entry.data() + 1, kLabelLength) == 0) {
      item = i + 1;
      break;
    }
  }
  if (item == 0) utl::error2("No match to gage", entry_text(entry));
  if (entry[0] == '+') return item;
  if (entry[0] == '-') return -item;
  utl::error2("Invalid gage type", entry_text(entry));
}

// The slot map of the first `npoints` points; every gage entry is checked against the items.
SlotMap map_slots(const GageTable& gages, int npoints, const Items& items) {
  SlotMap slots{};
  for (int j = 0; j < npoints; ++j) {
    for (int k = 0; k < kSlots; ++k) {
      if (!is_blank(gages[j][k])) slots[j][k] = slot_of(gages[j][k], items);
    }
  }
  return slots;
}

// Whether some point uses each item: only those values must be numbers.
PerItem<bool> used_items(const SlotMap& slots, int npoints) {
  PerItem<bool> used{};
  for (int j = 0; j < npoints; ++j) {
    for (const int m : slots[j]) {
      if (m != 0) used[std::abs(m) - 1] = true;
    }
  }
  return used;
}

// Skips `nskip` time records, of each only the time read; returns the time of the last, which
// starts the first interval.
double skip_records(utl::RecordReader& reader, const std::string& name, int nskip) {
  double time = 0.0;
  std::string_view record;
  for (int s = 0; s < nskip; ++s) {
    if (!next_record(reader, record, kHydmodRealBytes)) utl::error2("Error reading file", name);
    time = utl::get_f64le(record.data());
  }
  if (!std::isfinite(time)) utl::error2("Error reading file", name);
  return time;
}

// The volume of every item over the next 24 time records, in acre-feet: each value stands for
// the interval that ends at its record's time. A time or a used value that is not a finite
// number means the model run failed, and stops as an unreadable file.
PerItem<double> integrate(utl::RecordReader& reader, const std::string& name, const Items& items,
                          const PerItem<bool>& used, double previous) {
  PerItem<double> volume{};
  const std::size_t time_record_bytes = kHydmodRealBytes + kHydmodRealBytes * items.count;
  std::string_view record;
  for (int r = 0; r < kIntegratedRecords; ++r) {
    if (!next_record(reader, record, time_record_bytes)) utl::error2("Error reading file", name);
    const double time = utl::get_f64le(record.data());
    if (!std::isfinite(time)) utl::error2("Error reading file", name);
    const double factor = (time - previous) / kCubicFeetPerAcreFoot;
    const char* values = record.data() + kHydmodRealBytes;
    for (int i = 0; i < items.count; ++i) {
      const double value = utl::get_f64le(values + kHydmodRealBytes * i);
      if (used[i] && !std::isfinite(value)) utl::error2("Error reading file", name);
      volume[i] = volume[i] + factor * (value - items.offsets[i]);
    }
    previous = time;
  }
  return volume;
}

// Each point's volume: the signed sum of the volumes of its slots' items, slot by slot.
void combine(const SlotMap& slots, const PerItem<double>& volume, int npoints, Volumes& volumes) {
  for (int j = 0; j < npoints; ++j) {
    double sum = 0.0;
    for (const int m : slots[j]) {
      if (m > 0) {
        sum = sum + volume[m - 1];
      } else if (m < 0) {
        sum = sum - volume[-m - 1];
      }
    }
    volumes[j] = sum;
  }
}

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
  if (!utl::read_leading_records(name, needed, contents, kLongestRecordUsed)) {
    utl::error2("Cannot open file", name);
  }
  utl::RecordReader reader(contents);

  const Items items = read_directory(reader, name, read_count(reader, name));
  // Every gage entry is checked before any time record is read.
  const SlotMap slots = map_slots(gages, npoints, items);
  const double start = skip_records(reader, name, nskip);
  const PerItem<double> volume = integrate(reader, name, items, used_items(slots, npoints), start);
  combine(slots, volume, npoints, volumes);
}

}  // namespace tallisk
