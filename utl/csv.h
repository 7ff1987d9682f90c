// CSV as spreadsheets and CSV readers write and read it: fields written one by one, records
// read whole. What csv_field writes, parse_csv reads back as it was.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace utl {

// `field` as a CSV field: quoted, with quotes doubled, when it holds a comma, a quote, a line
// end or a leading or trailing blank; as it is otherwise.
std::string csv_field(std::string_view field);

// The records of a CSV text, each a list of fields; quoted fields may hold commas, quotes
// (doubled) and line ends. A carriage return before a line feed is dropped.
std::vector<std::vector<std::string>> parse_csv(std::string_view text);

// The same, also telling the line each record begins on (`first_lines`) and, for a quote never
// closed, the line where it opened (`unclosed_line`, else 0).
std::vector<std::vector<std::string>> parse_csv(std::string_view text,
                                                std::vector<std::size_t>& first_lines,
                                                std::size_t& unclosed_line);

}  // namespace utl
