// Names of the temporary files that outputs are written to beside their targets before they
// replace them, and how a listing of a directory tells such files from the others.
#pragma once

#include <string>
#include <string_view>

namespace utl {

// The temporary file name made from its parts, without a directory: hidden, ".tmp", the process
// id, a count of the process's outputs and the lowest 16 bits of a clock in four hex digits
// (".tmp4711.3.0a9f").
std::string temp_file_name(long process, unsigned long count, unsigned long long clock);

// A temporary file name in `directory` (empty, or ending with its separator) that no other file
// is likely to hold: temp_file_name of this process, its next count and the steady clock.
// Exclusive creation makes sure; a clash tries the next.
std::string temp_name_in(std::string_view directory);

// Whether the file name `name` (without its directory) is a temporary file: one that
// temp_file_name makes, or one of earlier versions, the target's name followed by ".tmp", digits
// and more (1998.04.rch.tmp12.ab0).
bool is_temp_name(std::string_view name);

}  // namespace utl
