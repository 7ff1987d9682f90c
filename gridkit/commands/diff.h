// The diff command: two grid files, or two directories of them paired by name, compared cell
// by cell, with an exit status that scripts can test as they test cmp and diff.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace gridkit {

// Runs `gridkit diff` with the arguments after the command's name: results on `out`, messages
// on `err`. Returns one of the exit statuses above.
int run_diff(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace gridkit
