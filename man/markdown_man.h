// A manual page (man(7) macros) made from a documentation page written in Markdown, so that the
// installed manual says what the docs say.
#pragma once

#include <string>
#include <string_view>

namespace man {

// What the page's heading and NAME section say beside the Markdown's own text.
struct PageHeader {
  std::string name;      // the program, e.g. "corvane"
  std::string section;   // "1"
  std::string summary;   // the one line after the name in NAME
  std::string source;    // the package and release, e.g. "recharge-tools 1.0.0"
  std::string manual;    // the manual's title, e.g. "Recharge tools"
  std::string see_also;  // the SEE ALSO section's text; none when empty
};

// The manual page of the Markdown page `markdown`: its first-level title is replaced by NAME,
// the text before the first section becomes DESCRIPTION, "##" sections become sections and
// "###" subsections; paragraphs, lists, tables and code blocks keep their text, inline code is
// set in bold and links keep their text. Every character is escaped for the formatter, so no
// text of the page can act as a request.
std::string markdown_to_man(std::string_view markdown, const PageHeader& header);

// One line of Markdown text as formatter text: code spans and strong emphasis bold, links as
// their text, backslashes, hyphens and non-ASCII characters escaped, a leading period or
// apostrophe made harmless.
std::string inline_text(std::string_view text);

}  // namespace man
