// Fatal error reporting: the one way the toolkit and its programs stop on a failure.
//
// Each routine formats its diagnostic line (as a free-format output line) and throws Fatal
// carrying it. A program's main catches Fatal, prints the text on standard output, flushes and
// returns exit status 1, so that destructors run and no temporary output survives.
#pragma once

#include <exception>
#include <string>
#include <string_view>

namespace utl {

// Exit status of a program stopped by a fatal error.
inline constexpr int kExitFatal = 1;

// A fatal stop; what() is the complete diagnostic text, ending in a newline.
class Fatal : public std::exception {
 public:
  explicit Fatal(std::string text) : text_(std::move(text)) {}
  const char* what() const noexcept override { return text_.c_str(); }
  const std::string& text() const noexcept { return text_; }

 private:
  std::string text_;
};

// The line that error2 would print, without stopping: warnings are printed in the same form.
std::string format_error2(std::string_view message, std::string_view name);

// Stops with a line holding the trimmed message.
[[noreturn]] void error(std::string_view message);

// Stops with a line holding the trimmed message, a blank and the trimmed name.
[[noreturn]] void error2(std::string_view message, std::string_view name);

// Stops with a line holding the trimmed message, a blank and the integer as a free-format item.
[[noreturn]] void errorint(std::string_view message, long long value);

// Stops with a line holding the trimmed message, a blank and the real as a free-format item.
[[noreturn]] void errordbl(std::string_view message, double value);

}  // namespace utl
