// Test helper: the diagnostic a stopping routine carried.
#pragma once

#include <exception>
#include <string>

namespace testsupport {

// The text of the exception that `action` throws (a fatal stop's diagnostic), or `none` when
// it returns normally.
template <typename Action>
std::string stop_text(Action action, const std::string& none = "") {
  try {
    action();
  } catch (const std::exception& stop) {
    return stop.what();
  }
  return none;
}

}  // namespace testsupport
