// The diff command: two grid files, or two directories of them paired by name, compared cell
// by cell, with an exit status that scripts can test as they test cmp and diff.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace gridkit {

// Exit statuses of diff and check: all equal (or nothing to report), something differs, and
// trouble (a misuse, or a file that cannot be read or written).
inline constexpr int kExitSame = 0;
inline constexpr int kExitDiffers = 1;
inline constexpr int kExitTrouble = 2;

// Runs `gridkit diff` with the arguments after the command's name: results on `out`, messages
// on `err`. Returns one of the exit statuses above.
int run_diff(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace gridkit
