// Values of the commands' options read from their text: whole numbers in a range and spans of
// years.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace gridkit {

// `text` as a whole number from `least` to `most`, written as nothing else; nothing otherwise.
std::optional<int> whole_number_in(std::string_view text, int least, int most);

// The years of a --years value, "1998" or "1998-2005": the first and the last. Throws Failure
// when either is not a year of 1 to 9999 or the last comes before the first.
std::pair<int, int> parse_year_span(const std::string& text);

}  // namespace gridkit
