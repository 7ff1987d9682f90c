// CSV fields written and records read.
#include "utl/csv.h"

namespace utl {

std::string csv_field(std::string_view field) {
  const bool quote = field.find_first_of(",\"\r\n") != std::string_view::npos ||
                     (!field.empty() && (field.front() == ' ' || field.back() == ' '));
  if (!quote) return std::string(field);
  std::string out = "\"";
  for (char c : field) {
    if (c == '"') out += '"';
    out += c;
  }
  return out + "\"";
}

std::vector<std::vector<std::string>> parse_csv(std::string_view text,
                                                std::vector<std::size_t>& first_lines,
                                                std::size_t& unclosed_line) {
  std::vector<std::vector<std::string>> records;
  std::size_t line = 1;
  std::size_t quote_line = 0;
  first_lines.assign(1, 1);
  std::vector<std::string> record;
  std::string field;
  std::size_t quoted_end = 0;  // the field's length where its last quote closed
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
        quoted_end = field.size();
      }
    } else if (c == '"') {
      quoted = true;
      quote_line = line;
    } else if (c == ',') {
      record.push_back(std::move(field)), field.clear();
      quoted_end = 0;
    } else if (c == '\n') {
      // The line end's carriage return, not one quoted inside the field.
      if (field.size() > quoted_end && field.back() == '\r') field.pop_back();
      record.push_back(std::move(field)), field.clear();
      quoted_end = 0;
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

}  // namespace utl
