// Fatal error reporting: format the diagnostic as one free-format write, then stop.
#include "utl/fatal.h"

#include "utl/fields.h"
#include "utl/freeline.h"

namespace utl {

std::string format_error2(std::string_view message, std::string_view name) {
  FreeLine line;
  line.text(trimmed(message));
  line.text(" ");
  line.text(trimmed(name));
  return line.finish();
}

void error(std::string_view message) {
  FreeLine line;
  line.text(trimmed(message));
  throw Fatal(line.finish());
}

void error2(std::string_view message, std::string_view name) {
  throw Fatal(format_error2(message, name));
}

void errorint(std::string_view message, long long value) {
  FreeLine line;
  line.text(trimmed(message));
  line.text(" ");
  line.integer(value);
  throw Fatal(line.finish());
}

void errordbl(std::string_view message, double value) {
  FreeLine line;
  line.text(trimmed(message));
  line.text(" ");
  line.real(value);
  throw Fatal(line.finish());
}

}  // namespace utl
