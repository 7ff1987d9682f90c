// Templates of corvane's inputs: the numbers a parameter claims replaced by its field.
#include "gridkit/exports/pest_template.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <ostream>

#include "gridkit/common.h"
#include "gridkit/grid.h"

namespace gridkit {
namespace {

constexpr std::size_t kLongestName = 12;
constexpr std::size_t kAreaNameLength = 32;  // corvane keeps an area's first 32 characters
constexpr std::string_view kDelimiters = "$@%~|^";

struct Span {
  std::size_t start = 0;
  std::size_t end = 0;
};

// The fields of a line, blank- or tab-separated, a double-quoted field (quotes included) as one.
std::vector<Span> field_spans(std::string_view line) {
  std::vector<Span> spans;
  std::size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
    if (i >= line.size()) break;
    Span span{i, i};
    if (line[i] == '"') {
      const std::size_t close = line.find('"', i + 1);
      span.end = close == std::string_view::npos ? line.size() : close + 1;
    } else {
      span.end = line.find_first_of(" \t", i);
      if (span.end == std::string_view::npos) span.end = line.size();
    }
    spans.push_back(span);
    i = span.end;
  }
  return spans;
}

std::string field_text(std::string_view line, Span span) {
  std::string text(line.substr(span.start, span.end - span.start));
  if (text.size() >= 2 && text.front() == '"' && text.back() == '"') {
    text = text.substr(1, text.size() - 2);
  }
  return text;
}

// An area's name as corvane keeps it: its first 32 characters in upper case.
std::string area_key(std::string_view name) {
  std::string key(name.substr(0, kAreaNameLength));
  for (char& c : key) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return key;
}

bool is_digits(std::string_view text) {
  return !text.empty() &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The lines of a text, each without its line end, and the line ends as they were.
struct Lines {
  std::vector<std::string> text;
  std::vector<std::string> ends;
};

Lines split_lines(std::string_view text) {
  Lines lines;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    const bool carriage_return = !line.empty() && line.back() == '\r';
    if (carriage_return) line.remove_suffix(1);
    const std::string_view newline = end == std::string_view::npos ? "" : "\n";
    lines.text.emplace_back(line);
    lines.ends.push_back(std::string(carriage_return ? "\r" : "") + std::string(newline));
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return lines;
}

// Gathers the numbers each parameter claims, line by line, and writes the template.
class Template {
 public:
  Template(std::string_view source, const std::vector<TemplateParameter>& parameters)
      : lines_(split_lines(source)), parameters_(parameters), claimed_(parameters.size()) {
    const auto free = std::find_if(kDelimiters.begin(), kDelimiters.end(), [&](char c) {
      return source.find(c) == std::string_view::npos;
    });
    if (free == kDelimiters.end()) throw Failure("the file holds every delimiter PEST could use");
    delimiter_ = *free;
  }

  const std::vector<std::string>& lines() const { return lines_.text; }

  // Parameter `index` takes the field `span` of line `line`.
  void claim(std::size_t line, Span span, std::size_t index) {
    auto& taken = fields_[line];
    if (const auto other = taken.find(span.start); other != taken.end()) {
      throw Failure("parameters " + parameters_[other->second.second].name + " and " +
                    parameters_[index].name + " claim the same number, on line " +
                    std::to_string(line + 1));
    }
    taken[span.start] = {span, index};
    ++claimed_[index];
  }

  std::string text() const {
    for (std::size_t i = 0; i < parameters_.size(); ++i) {
      if (claimed_[i] == 0) {
        throw Failure("parameter " + parameters_[i].name + " (" + parameters_[i].area + ":" +
                      parameters_[i].what + ") matches no number of the file");
      }
    }
    std::string out = std::string("ptf ") + delimiter_ + "\n";
    for (std::size_t line = 0; line < lines_.text.size(); ++line) {
      out += line_text(line) + lines_.ends[line];
    }
    return out;
  }

 private:
  std::string line_text(std::size_t line) const {
    std::string text = lines_.text[line];
    const auto found = fields_.find(line);
    if (found == fields_.end()) return text;
    // From the last field back, so that the earlier spans stay where they are.
    for (auto it = found->second.rbegin(); it != found->second.rend(); ++it) {
      const auto& [span, index] = it->second;
      std::string field = delimiter_ + parameters_[index].name;
      field.resize(kParameterFieldWidth - 1, ' ');
      field += delimiter_;
      text.replace(span.start, span.end - span.start, field);
    }
    return text;
  }

  Lines lines_;
  const std::vector<TemplateParameter>& parameters_;
  std::vector<int> claimed_;
  std::map<std::size_t, std::map<std::size_t, std::pair<Span, std::size_t>>> fields_;
  char delimiter_ = '$';
};

bool is_comment_or_blank(std::string_view line) {
  const std::size_t first = line.find_first_not_of(" \t");
  return first == std::string_view::npos || line[first] == '#';
}

// Whether the table line labelled `label` (YYYYMM) is of the parameter's month or year.
bool label_matches(std::string_view label, std::string_view what) {
  if (what.size() == 6) return label == what;
  return label.size() == 6 && label.substr(0, 4) == what;
}

}  // namespace

TemplateParameter parse_template_parameter(std::string_view text) {
  const std::size_t equals = text.find('=');
  const std::size_t colon = text.rfind(':');
  if (equals == std::string_view::npos || colon == std::string_view::npos || colon < equals) {
    throw Failure("a parameter is NAME=AREA:WHAT, not '" + std::string(text) + "'");
  }
  TemplateParameter parameter{std::string(text.substr(0, equals)),
                              std::string(text.substr(equals + 1, colon - equals - 1)),
                              std::string(text.substr(colon + 1))};
  const std::string& name = parameter.name;
  if (name.empty() || name.size() > kLongestName ||
      name.find_first_of(" \t$@%~|^") != std::string::npos) {
    throw Failure("a parameter name has 1 to 12 characters, no blank and no delimiter: '" + name +
                  "'");
  }
  if (parameter.area.empty()) throw Failure("parameter " + name + " names no area");
  return parameter;
}

std::string return_table_template(std::string_view table,
                                  const std::vector<TemplateParameter>& parameters) {
  Template out(table, parameters);
  if (out.lines().empty()) throw Failure("the return-flow table is empty");
  const std::string& header = out.lines().front();
  const std::vector<Span> labels = field_spans(header);
  std::vector<std::size_t> columns(parameters.size());
  for (std::size_t i = 0; i < parameters.size(); ++i) {
    const TemplateParameter& parameter = parameters[i];
    if (!is_digits(parameter.what) || (parameter.what.size() != 4 && parameter.what.size() != 6)) {
      throw Failure("parameter " + parameter.name +
                    ": a return-flow table takes a month YYYYMM or a year YYYY, not '" +
                    parameter.what + "'");
    }
    std::size_t column = 1;
    while (column < labels.size() &&
           area_key(field_text(header, labels[column])) != area_key(parameter.area)) {
      ++column;
    }
    if (column >= labels.size()) {
      throw Failure("parameter " + parameter.name + ": no area " + parameter.area +
                    " in the table's header");
    }
    columns[i] = column;
  }
  for (std::size_t line = 1; line < out.lines().size(); ++line) {
    const std::string& text = out.lines()[line];
    if (is_comment_or_blank(text)) continue;
    const std::vector<Span> fields = field_spans(text);
    const std::string label = field_text(text, fields.front());
    for (std::size_t i = 0; i < parameters.size(); ++i) {
      if (label_matches(label, parameters[i].what) && columns[i] < fields.size()) {
        out.claim(line, fields[columns[i]], i);
      }
    }
  }
  return out.text();
}

std::string parameter_file_template(std::string_view params,
                                    const std::vector<TemplateParameter>& parameters) {
  Template out(params, parameters);
  const std::map<std::string, std::size_t> point_fields = {{"x", 3}, {"y", 4}, {"acres", 5}};
  for (const TemplateParameter& parameter : parameters) {
    if (!point_fields.contains(parameter.what)) {
      throw Failure("parameter " + parameter.name +
                    ": a parameter file takes x, y or acres, not '" + parameter.what + "'");
    }
  }
  for (std::size_t line = 0; line < out.lines().size(); ++line) {
    const std::string& text = out.lines()[line];
    if (text.starts_with('#')) continue;
    const std::vector<Span> fields = field_spans(text);
    if (fields.size() < 6 || area_key(field_text(text, fields[0])) != "AREA" ||
        field_text(text, fields[2]) != "*") {
      continue;
    }
    for (std::size_t i = 0; i < parameters.size(); ++i) {
      if (area_key(field_text(text, fields[1])) == area_key(parameters[i].area)) {
        out.claim(line, fields[point_fields.at(parameters[i].what)], i);
      }
    }
  }
  return out.text();
}

std::string corvane_input_template(std::string_view text,
                                   const std::vector<TemplateParameter>& parameters) {
  // The parameters tell the file's kind: months and years are a table's, x, y and acres a
  // parameter file's.
  return is_digits(parameters.front().what) ? return_table_template(text, parameters)
                                            : parameter_file_template(text, parameters);
}

}  // namespace gridkit
