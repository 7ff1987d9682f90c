// A text's lines, for readers that take a whole file at once.
#pragma once

#include <string_view>
#include <vector>

namespace utl {

// The lines of `text`, each without its line feed and without a carriage return at its end; a
// last line without a line feed counts, an empty text has none. The views point into `text`.
inline std::vector<std::string_view> split_lines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return lines;
}

}  // namespace utl
