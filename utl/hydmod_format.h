// Layout of the model's HYDMOD run files, shared by every reader of them. The file is a
// sequence of framed records (utl/records.h):
//   1. the count record: the item count as a 32-bit integer (written as -N for a file of
//      double-precision values; both mean N items), then a word that is not interpreted;
//   2. the directory record: a 4-byte word, then one 20-character label per item;
//   3. time records: the time, then one value per item, each an 8-byte real.
#pragma once

#include <cstddef>
#include <cstdint>

namespace utl {

// Bytes of the count record that are read.
inline constexpr std::size_t kHydmodCountBytes = 8;
// Bytes before the first label of the directory record.
inline constexpr std::size_t kHydmodDirectoryLead = 4;
// Characters of an item label.
inline constexpr std::size_t kHydmodLabelLength = 20;
// Bytes of the time and of each value in a time record.
inline constexpr std::size_t kHydmodRealBytes = 8;

// The number of items that the count word `count` stands for: its magnitude.
inline std::int64_t hydmod_items(std::int32_t count) {
  const std::int64_t wide = count;
  return wide < 0 ? -wide : wide;
}

}  // namespace utl
