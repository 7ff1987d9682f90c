// The Markdown of the docs pages turned into man(7) macros, block by block.
#include "man/markdown_man.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "utl/text_lines.h"

namespace man {
namespace {

bool starts_with(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

std::string_view trim(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

// The code point of the UTF-8 sequence at text[pos], and its length (1 for a stray byte, which
// then stands for itself as a Latin-1 character).
std::pair<std::uint32_t, std::size_t> decode_utf8(std::string_view text, std::size_t pos) {
  const auto lead = static_cast<unsigned char>(text[pos]);
  const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
  if (length == 1 || pos + length > text.size()) return {lead, 1};
  std::uint32_t code = lead & (0x3Fu >> (length - 1));
  for (std::size_t i = 1; i < length; ++i) {
    const auto next = static_cast<unsigned char>(text[pos + i]);
    if ((next & 0xC0) != 0x80) return {lead, 1};
    code = (code << 6) | (next & 0x3Fu);
  }
  return {code, length};
}

// Appends `text` escaped, character by character: the formatter sees only plain characters.
void append_escaped(std::string& out, std::string_view text) {
  for (std::size_t pos = 0; pos < text.size();) {
    const char c = text[pos];
    if (static_cast<unsigned char>(c) >= 0x80) {
      const auto [code, length] = decode_utf8(text, pos);
      char name[16];
      std::snprintf(name, sizeof name, "\\[u%04X]", static_cast<unsigned>(code));
      out += name;
      pos += length;
      continue;
    }
    if (c == '\\') {
      out += "\\e";
    } else if (c == '-') {
      out += "\\-";
    } else {
      out += c;
    }
    ++pos;
  }
}

// Appends the Markdown text of one line: code spans and **strong** bold, [links](target) as
// their text, the rest escaped.
void append_inline(std::string& out, std::string_view text) {
  std::size_t pos = 0;
  while (pos < text.size()) {
    const char c = text[pos];
    if (c == '`') {
      const auto close = text.find('`', pos + 1);
      if (close != std::string_view::npos) {
        out += "\\fB";
        append_escaped(out, text.substr(pos + 1, close - pos - 1));
        out += "\\fR";
        pos = close + 1;
        continue;
      }
    } else if (starts_with(text.substr(pos), "**")) {
      const auto close = text.find("**", pos + 2);
      if (close != std::string_view::npos) {
        out += "\\fB";
        append_inline(out, text.substr(pos + 2, close - pos - 2));
        out += "\\fR";
        pos = close + 2;
        continue;
      }
    } else if (c == '[') {
      const auto middle = text.find("](", pos + 1);
      const auto close = middle == std::string_view::npos ? middle : text.find(')', middle + 2);
      if (close != std::string_view::npos) {
        append_inline(out, text.substr(pos + 1, middle - pos - 1));
        pos = close + 1;
        continue;
      }
    }
    // Plain text up to the next mark: whole, so a character of several bytes stays whole.
    const auto plain_end = text.find_first_of("`*[", pos + 1);
    const std::size_t length =
        plain_end == std::string_view::npos ? text.size() - pos : plain_end - pos;
    append_escaped(out, text.substr(pos, length));
    pos += length;
  }
}

// The cells of a table row "| a | b |".
std::vector<std::string_view> table_cells(std::string_view row) {
  row = trim(row);
  if (starts_with(row, "|")) row.remove_prefix(1);
  if (!row.empty() && row.back() == '|') row.remove_suffix(1);
  std::vector<std::string_view> cells;
  bool in_code = false;
  std::size_t start = 0;
  for (std::size_t pos = 0; pos < row.size(); ++pos) {
    if (row[pos] == '`') in_code = !in_code;
    if (row[pos] == '|' && !in_code) {
      cells.push_back(trim(row.substr(start, pos - start)));
      start = pos + 1;
    }
  }
  cells.push_back(trim(row.substr(start)));
  return cells;
}

bool is_table_separator(std::string_view line) {
  return starts_with(trim(line), "|") && trim(line).find_first_not_of("|-: ") == std::string::npos;
}

bool is_list_item(std::string_view line) { return starts_with(line, "- "); }

bool is_code_fence(std::string_view line) { return starts_with(trim(line), "```"); }

bool is_indented_code(std::string_view line) { return starts_with(line, "    "); }

bool is_heading(std::string_view line) { return starts_with(line, "#"); }

bool is_table_row(std::string_view line) { return starts_with(trim(line), "|"); }

// Writes the page block by block; `next` is the index of the first line not yet written.
class Writer {
 public:
  explicit Writer(std::vector<std::string_view> lines) : lines_(std::move(lines)) {}

  std::string write_body() {
    while (next_ < lines_.size()) {
      const std::string_view line = lines_[next_];
      if (trim(line).empty()) {
        ++next_;
      } else if (is_heading(line)) {
        heading(line);
      } else if (is_code_fence(line)) {
        fenced_code();
      } else if (is_indented_code(line)) {
        indented_code();
      } else if (is_table_row(line)) {
        table();
      } else if (is_list_item(line)) {
        list_item();
      } else {
        paragraph();
      }
    }
    return std::move(out_);
  }

 private:
  // Lines of running text, converted together so that a link or a code span may go on over a
  // line end.
  void text_lines(const std::vector<std::string_view>& lines) {
    std::string joined;
    for (const std::string_view line : lines) {
      if (!joined.empty()) joined += '\n';
      joined += trim(line);
    }
    std::string converted;
    append_inline(converted, joined);
    std::size_t start = 0;
    while (start <= converted.size()) {
      const auto end = std::min(converted.find('\n', start), converted.size());
      const std::string_view line = std::string_view(converted).substr(start, end - start);
      // A line starting with a period or an apostrophe would be read as a request.
      if (!line.empty() && (line.front() == '.' || line.front() == '\'')) out_ += "\\&";
      out_ += line;
      out_ += '\n';
      start = end + 1;
    }
  }

  void text_line(std::string_view text) { text_lines({text}); }

  void verbatim_line(std::string_view text) {
    out_ += "\\&";
    append_escaped(out_, text);
    out_ += '\n';
  }

  void heading(std::string_view line) {
    const auto level = line.find_first_not_of('#');
    const std::string_view title = trim(line.substr(level));
    ++next_;
    if (level == 1) return;  // the page's title: the NAME section stands for it
    if (level == 2) {
      out_ += ".SH \"";
      std::string upper;
      append_inline(upper, title);
      for (char& c : upper) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
      }
      // Upper case would also change the font escapes: back to \fB and \fR.
      for (std::size_t pos = 0; (pos = upper.find("\\F", pos)) != std::string::npos; pos += 2) {
        upper[pos + 1] = 'f';
      }
      out_ += upper;
      out_ += "\"\n";
    } else {
      out_ += ".SS \"";
      append_inline(out_, title);
      out_ += "\"\n";
    }
  }

  void fenced_code() {
    out_ += ".PP\n.RS 4\n.nf\n";
    ++next_;
    while (next_ < lines_.size() && !is_code_fence(lines_[next_])) verbatim_line(lines_[next_++]);
    if (next_ < lines_.size()) ++next_;
    out_ += ".fi\n.RE\n";
  }

  void indented_code() {
    out_ += ".PP\n.RS 4\n.nf\n";
    while (next_ < lines_.size() && (is_indented_code(lines_[next_]) ||
                                     (trim(lines_[next_]).empty() && next_ + 1 < lines_.size() &&
                                      is_indented_code(lines_[next_ + 1])))) {
      const std::string_view line = lines_[next_++];
      verbatim_line(line.size() > 4 ? line.substr(4) : std::string_view());
    }
    out_ += ".fi\n.RE\n";
  }

  // A table as a tagged list: the first cell is the tag; with more than two columns each
  // further cell is named by its column's heading.
  void table() {
    const std::vector<std::string_view> headings = table_cells(lines_[next_++]);
    if (next_ < lines_.size() && is_table_separator(lines_[next_])) ++next_;
    while (next_ < lines_.size() && is_table_row(lines_[next_])) {
      const std::vector<std::string_view> cells = table_cells(lines_[next_++]);
      out_ += ".TP\n";
      text_line(cells.front());
      for (std::size_t column = 1; column < cells.size(); ++column) {
        if (headings.size() > 2 && column < headings.size()) {
          std::string named(headings[column]);
          named += ": ";
          named += cells[column];
          text_line(named);
        } else {
          text_line(cells[column]);
        }
        if (headings.size() > 2 && column + 1 < cells.size()) out_ += ".br\n";
      }
    }
  }

  void list_item() {
    out_ += ".IP \\(bu 2\n";
    std::vector<std::string_view> item{lines_[next_++].substr(2)};
    while (next_ < lines_.size() && starts_with(lines_[next_], "  ") &&
           !trim(lines_[next_]).empty()) {
      item.push_back(lines_[next_++]);
    }
    text_lines(item);
  }

  void paragraph() {
    out_ += ".PP\n";
    std::vector<std::string_view> paragraph;
    while (next_ < lines_.size()) {
      const std::string_view line = lines_[next_];
      if (trim(line).empty() || is_heading(line) || is_code_fence(line) || is_table_row(line) ||
          is_list_item(line)) {
        break;
      }
      paragraph.push_back(line);
      ++next_;
    }
    text_lines(paragraph);
  }

  std::vector<std::string_view> lines_;
  std::size_t next_ = 0;
  std::string out_;
};

// The heading line: .TH NAME SECTION DATE SOURCE MANUAL, each a quoted argument.
std::string title_line(const PageHeader& header) {
  std::string upper_name;
  for (const char c : header.name) {
    upper_name += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
  }
  std::string line = ".TH \"";
  append_escaped(line, upper_name);
  line += "\" \"" + header.section + "\" \"\" \"";
  append_escaped(line, header.source);
  line += "\" \"";
  append_escaped(line, header.manual);
  line += "\"\n";
  return line;
}

}  // namespace

std::string inline_text(std::string_view text) {
  std::string out;
  append_inline(out, text);
  return out;
}

std::string markdown_to_man(std::string_view markdown, const PageHeader& header) {
  std::string page = title_line(header);
  page += ".SH NAME\n";
  append_escaped(page, header.name);
  page += " \\- ";
  append_escaped(page, header.summary);
  page += "\n.SH DESCRIPTION\n";
  page += Writer(utl::split_lines(markdown)).write_body();
  if (!header.see_also.empty()) {
    page += ".SH \"SEE ALSO\"\n";
    append_escaped(page, header.see_also);
    page += '\n';
  }
  return page;
}

}  // namespace man
