// The accounting-point list: one point per line, a name and up to 16 signed item labels.
#pragma once

#include <array>
#include <string>

#include "tallisk/hydmod.h"

namespace tallisk {

// Characters of an accounting point's name; "*" in its first character marks a mainstem point.
inline constexpr int kNameLength = 24;
// Characters of a list line that are read; the rest of a longer line is ignored.
inline constexpr int kListRecordLength = 1024;

struct AccountList {
  int count = 0;                                                // points read, 0 to kMaxPoints
  std::array<std::array<char, kNameLength>, kMaxPoints> names;  // blank-padded, list order
  GageTable gages;                                              // blank slots where none given
};

// Reads the accounting-point list at `path` into `list`. Stops with "Cannot open file ", "Too
// many accounting points" or "Error reading account name ".
void read_accounts(const std::string& path, AccountList& list);

}  // namespace tallisk
