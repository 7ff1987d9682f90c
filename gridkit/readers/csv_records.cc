// CSV text read field by field.
#include "gridkit/readers/csv_records.h"

namespace gridkit {

std::vector<std::vector<std::string>> parse_csv(std::string_view text,
                                                std::vector<std::size_t>& first_lines,
                                                std::size_t& unclosed_line) {
  std::vector<std::vector<std::string>> records;
  std::size_t line = 1;
  std::size_t quote_line = 0;
  first_lines.assign(1, 1);
  std::vector<std::string> record;
  std::string field;
  bool quoted = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\n') ++line;
    if (quoted) {
      if (c != '"') {
        field += c;
      } else if (i + 1 < text.size() && text[i + 1] == '"') {
        field += '"', ++i;
      } else {
        quoted = false;
      }
    } else if (c == '"') {
      quoted = true;
      quote_line = line;
    } else if (c == ',') {
      record.push_back(std::move(field)), field.clear();
    } else if (c == '\n') {
      if (!field.empty() && field.back() == '\r') field.pop_back();
      record.push_back(std::move(field)), field.clear();
      records.push_back(std::move(record)), record.clear();
      first_lines.push_back(line);
    } else {
      field += c;
    }
  }
  unclosed_line = quoted ? quote_line : 0;
  if (!field.empty() || !record.empty()) {
    record.push_back(std::move(field));
    records.push_back(std::move(record));
  }
  first_lines.resize(records.size());
  return records;
}

std::vector<std::vector<std::string>> parse_csv(std::string_view text) {
  std::vector<std::size_t> first_lines;
  std::size_t unclosed_line = 0;
  return parse_csv(text, first_lines, unclosed_line);
}

}  // namespace gridkit
