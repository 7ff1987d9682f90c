// The forms of grid file gridkit reads, told apart by their content or named by the user.
#pragma once

#include <optional>
#include <string_view>

namespace gridkit {

enum class GridFormat {
  kText,    // free-format rows without a header, as corvane writes text grids
  kBinary,  // one framed record of 53,790 little-endian doubles, as corvane writes binary grids
  kFixed,   // 165 lines of 326 fields of six characters with one decimal ("(326f6.1)")
  kFree,    // free-format rows after one header line
  kFlags,   // 165 lines of 326 integer fields two characters wide (active-cell flags)
};

// The name of a form as the --format option spells it.
std::string_view format_name(GridFormat format);

// The form named `name`, or nothing when no form has that name.
std::optional<GridFormat> parse_format(std::string_view name);

// Tells the form of a grid file from its bytes. Throws Failure when they are no grid of a form
// gridkit knows (empty, or binary data that is not one record of the grid's size).
GridFormat detect_format(std::string_view contents);

}  // namespace gridkit
