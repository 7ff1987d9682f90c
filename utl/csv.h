// CSV fields as spreadsheets and CSV readers expect them.
#pragma once

#include <string>
#include <string_view>

namespace utl {

// `field` as a CSV field: quoted, with quotes doubled, when it holds a comma, a quote, a line
// end or a leading or trailing blank; as it is otherwise.
std::string csv_field(std::string_view field);

}  // namespace utl
