#include "man/markdown_man.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

namespace man {
namespace {

const PageHeader kHeader{"prog", "1", "do a thing", "recharge-tools 9.9.9", "Recharge tools", ""};

// The page made from `markdown` without its heading and NAME lines.
std::string body(std::string_view markdown) {
  const std::string page = markdown_to_man(markdown, kHeader);
  const std::string start = ".SH DESCRIPTION\n";
  return page.substr(page.find(start) + start.size());
}

TEST(MarkdownMan, HeadingAndNameComeFromTheHeader) {
  const std::string page = markdown_to_man("# prog\n\nText.\n", kHeader);
  EXPECT_EQ(page,
            ".TH \"PROG\" \"1\" \"\" \"recharge\\-tools 9.9.9\" \"Recharge tools\"\n"
            ".SH NAME\nprog \\- do a thing\n.SH DESCRIPTION\n.PP\nText.\n");
}

TEST(MarkdownMan, SeeAlsoEndsThePage) {
  PageHeader header = kHeader;
  header.see_also = "gridkit(1), tallisk(1)";
  const std::string page = markdown_to_man("# prog\n\nText.\n", header);
  const std::string end = ".PP\nText.\n.SH \"SEE ALSO\"\ngridkit(1), tallisk(1)\n";
  EXPECT_EQ(page.substr(page.size() - end.size()), end);
}

TEST(MarkdownMan, SectionsParagraphsAndLists) {
  EXPECT_EQ(body("## The `FILE` command\n\nOne line\n  and its rest.\n\n### Sub part\n"
                 "- first item\n  goes on\n- second\n"),
            ".SH \"THE \\fBFILE\\fR COMMAND\"\n.PP\nOne line\nand its rest.\n"
            ".SS \"Sub part\"\n.IP \\(bu 2\nfirst item\ngoes on\n.IP \\(bu 2\nsecond\n");
}

TEST(MarkdownMan, CodeBlocksKeepTheirLinesVerbatim) {
  EXPECT_EQ(body("    tallisk -12p 1995\n    .x\n\n```\n'quoted' \\ back\n```\n"),
            ".PP\n.RS 4\n.nf\n\\&tallisk \\-12p 1995\n\\&.x\n.fi\n.RE\n"
            ".PP\n.RS 4\n.nf\n\\&'quoted' \\e back\n.fi\n.RE\n");
}

TEST(MarkdownMan, TablesBecomeTaggedParagraphs) {
  EXPECT_EQ(body("| File | Use |\n|---|---|\n| `a.txt` | the input |\n"),
            ".TP\n\\fBa.txt\\fR\nthe input\n");
  // With three columns each further cell is named by its heading; a bar in code stays.
  EXPECT_EQ(body("| Command | Fields | Effect |\n|---|---|---|\n| `A|B` | two | sets |\n"),
            ".TP\n\\fBA|B\\fR\nFields: two\n.br\nEffect: sets\n");
}

TEST(MarkdownMan, TextCannotActAsARequest) {
  // A line of the docs that starts with a period or an apostrophe, and escapes of every kind.
  EXPECT_EQ(body("Some text\n.SH INJECTED\n'br\n"), ".PP\nSome text\n\\&.SH INJECTED\n\\&'br\n");
  EXPECT_EQ(inline_text("a\\fB b"), "a\\efB b");
  EXPECT_EQ(inline_text("-12p"), "\\-12p");
}

TEST(MarkdownMan, InlineMarkup) {
  EXPECT_EQ(inline_text("see [formats](formats.md#grids) and **this**"),
            "see formats and \\fBthis\\fR");
  EXPECT_EQ(body("the faults [tried and\nwhat they show](r.md#x) here\n"),
            ".PP\nthe faults tried and\nwhat they show here\n");
  EXPECT_EQ(inline_text("`******` stays"), "\\fB******\\fR stays");
  // An unclosed mark is plain text.
  EXPECT_EQ(inline_text("a `b and [c"), "a `b and [c");
  EXPECT_EQ(inline_text("x \xC3\x97 y \xE2\x88\x92 1"), "x \\[u00D7] y \\[u2212] 1");
  EXPECT_EQ(inline_text("cut \xE2\x88"), "cut \\[u00E2]\\[u0088]");
}

// How many times `what` stands in `text`.
std::size_t count_of(const std::string& text, const std::string& what) {
  std::size_t count = 0;
  for (std::size_t pos = 0; (pos = text.find(what, pos)) != std::string::npos; pos += what.size()) {
    ++count;
  }
  return count;
}

// The lines of a Markdown text's fenced code blocks.
std::string fenced_code(const std::string& markdown) {
  std::istringstream lines(markdown);
  std::string code;
  bool fenced = false;
  for (std::string line; std::getline(lines, line);) {
    if (line.starts_with("```")) {
      fenced = !fenced;
    } else if (fenced) {
      code += line + "\n";
    }
  }
  return code;
}

TEST(MarkdownMan, EveryProgramPageConverts) {
  // The docs pages the manual is made from: every section is kept, nothing is left as Markdown.
  const char* source_dir = std::getenv("RECHARGE_SOURCE_DIR");
  ASSERT_NE(source_dir, nullptr) << "run by CTest, which names the source tree";
  for (const char* program : {"corvane", "tallisk", "membrelv2", "gridkit"}) {
    const std::string path = std::string(source_dir) + "/docs/" + program + ".md";
    std::ifstream in(path, std::ios::binary);
    ASSERT_TRUE(in) << path;
    const std::string markdown(std::istreambuf_iterator<char>(in), {});
    const std::string page = markdown_to_man(markdown, kHeader);
    std::size_t sections = 0;
    for (std::size_t pos = 0; (pos = markdown.find("\n## ", pos)) != std::string::npos; ++pos) {
      ++sections;
    }
    std::size_t man_sections = 0;
    for (std::size_t pos = 0; (pos = page.find("\n.SH \"", pos)) != std::string::npos; ++pos) {
      ++man_sections;
    }
    EXPECT_EQ(man_sections, sections) << program;
    EXPECT_EQ(page.find("\n|"), std::string::npos) << program;
    EXPECT_EQ(page.find("\n```"), std::string::npos) << program;
    // Every link is converted: a "](" is left only where code shows it as it stands.
    EXPECT_EQ(count_of(page, "]("), count_of(fenced_code(markdown), "](")) << program;
  }
}

}  // namespace
}  // namespace man
