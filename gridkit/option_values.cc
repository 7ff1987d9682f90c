// Values of the commands' options read from their text.
#include "gridkit/option_values.h"

#include <charconv>

#include "gridkit/common.h"

namespace gridkit {

std::optional<int> whole_number_in(std::string_view text, int least, int most) {
  int value = 0;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  if (result.ec != std::errc{} || result.ptr != text.data() + text.size() || value < least ||
      value > most) {
    return std::nullopt;
  }
  return value;
}

std::pair<int, int> parse_year_span(const std::string& text) {
  const std::size_t dash = text.find('-');
  const std::optional<int> first = whole_number_in(std::string_view(text).substr(0, dash), 1, 9999);
  const std::optional<int> last =
      dash == std::string::npos ? first
                                : whole_number_in(std::string_view(text).substr(dash + 1), 1, 9999);
  if (!first || !last || *last < *first) {
    throw Failure("--years takes a year or FIRST-LAST, such as 1998-2005, not '" + text + "'");
  }
  return {*first, *last};
}

}  // namespace gridkit
