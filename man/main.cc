// Writes the manual page of a docs page:
//   markdown_man NAME SECTION SUMMARY SOURCE MANUAL SEE_ALSO PAGE.md OUT
// Status 1, with a message on standard error, when the page cannot be read or OUT written.
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

#include "man/markdown_man.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (args.size() != 8) {
    std::cerr << "Usage: markdown_man NAME SECTION SUMMARY SOURCE MANUAL SEE_ALSO PAGE.md OUT\n";
    return 1;
  }
  std::ifstream in(args[6], std::ios::binary);
  if (!in.is_open()) {
    std::cerr << "markdown_man: cannot open " << args[6] << "\n";
    return 1;
  }
  const std::string markdown(std::istreambuf_iterator<char>(in), {});
  if (in.bad()) {
    std::cerr << "markdown_man: cannot read " << args[6] << "\n";
    return 1;
  }
  const man::PageHeader header{args[0], args[1], args[2], args[3], args[4], args[5]};
  std::ofstream out(args[7], std::ios::binary);
  out << man::markdown_to_man(markdown, header);
  out.close();
  if (!out) {
    std::cerr << "markdown_man: cannot write " << args[7] << "\n";
    return 1;
  }
  return 0;
}
