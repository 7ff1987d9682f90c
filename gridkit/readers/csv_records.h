// CSV text read into records of fields, as spreadsheets and utl::csv_field write it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace gridkit {

// The records of a CSV text, each a list of fields; quoted fields may hold commas, quotes
// (doubled) and line ends. A carriage return before a line feed is dropped.
std::vector<std::vector<std::string>> parse_csv(std::string_view text);

// The same, also telling the line each record begins on (`first_lines`) and, for a quote never
// closed, the line where it opened (`unclosed_line`, else 0).
std::vector<std::vector<std::string>> parse_csv(std::string_view text,
                                                std::vector<std::size_t>& first_lines,
                                                std::size_t& unclosed_line);

}  // namespace gridkit
