// How membrelv2 stops on a failure: a diagnostic for standard error and exit status 1.
//
// A failing step throws Stop; run() catches it, prints "membrelv2: " and the text on standard
// error and returns kExitFailure, so destructors remove every unfinished output file.
#pragma once

#include <exception>
#include <string>
#include <string_view>

namespace membrelv2 {

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1;

// A stop of the run; what() is the diagnostic without the program name and newline.
class Stop : public std::exception {
 public:
  explicit Stop(std::string text) : text_(std::move(text)) {}
  const char* what() const noexcept override { return text_.c_str(); }

 private:
  std::string text_;
};

// Stops the run with the diagnostic `text`.
[[noreturn]] void stop(std::string text);

// Stops the run with "FILE line LINE: TEXT".
[[noreturn]] void stop_at(std::string_view file, int line, std::string_view text);

// An input value as it may appear in a diagnostic: quoted, and cut when very long.
std::string quoted(std::string_view value);

}  // namespace membrelv2
