// Stop of a membrelv2 run.
#include "membrelv2/stop.h"

namespace membrelv2 {

void stop(std::string text) { throw Stop(std::move(text)); }

void stop_at(std::string_view file, int line, std::string_view text) {
  std::string message(file);
  message += " line ";
  message += std::to_string(line);
  message += ": ";
  message += text;
  stop(std::move(message));
}

std::string quoted(std::string_view value) {
  constexpr std::size_t kShown = 40;
  std::string text = "\"";
  text += value.substr(0, kShown);
  if (value.size() > kShown) text += "...";
  text += '"';
  return text;
}

}  // namespace membrelv2
