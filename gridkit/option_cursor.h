// Walks a command's arguments one at a time, taking an option's value from "--name=value" or
// from the argument that follows it; "--" ends the options.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "gridkit/common.h"

namespace gridkit {

class OptionCursor {
 public:
  // Starts at `args[first]`.
  OptionCursor(const std::vector<std::string>& args, std::size_t first)
      : args_(args), next_(first) {}

  // Whether every argument has been taken. A "--" that ends the options is passed over.
  bool done() {
    pass_end_of_options();
    return next_ >= args_.size();
  }

  // Takes the next argument and returns its name: "--name" of "--name=value", else the
  // argument as it stands; after "--", an empty name, so every argument is an operand, even
  // one that begins with a dash.
  const std::string& take() {
    pass_end_of_options();
    argument_ = args_[next_++];
    inline_value_.reset();
    if (options_ended_) {
      name_.clear();
      return name_;
    }
    name_ = argument_;
    if (const auto eq = name_.find('='); name_.starts_with("--") && eq != std::string::npos) {
      inline_value_ = name_.substr(eq + 1);
      name_.resize(eq);
    }
    return name_;
  }

  // The argument last taken, whole.
  const std::string& argument() const { return argument_; }

  // Whether the option last taken names the output file: -o or --output.
  bool is_output() const { return name_ == "-o" || name_ == "--output"; }

  // Whether the option last taken asks for the command's help: --help or -h.
  bool is_help() const { return name_ == "--help" || name_ == "-h"; }

  // Throws UsageError when the argument last taken has the form of an option (a dash and
  // more), which the command did not know; an operand, or any argument after "--", passes.
  void refuse_unknown_option() const {
    if (name_.size() > 1 && name_.front() == '-') throw UsageError("unknown option " + name_);
  }

  // Takes the argument last taken as the command's one operand of its kind, `what`, into
  // `operand`, marking `given`. Throws UsageError for an unknown option, and Failure naming
  // both when `given` tells that the operand came before.
  void take_single_operand(std::string& operand, bool& given, std::string_view what) {
    refuse_unknown_option();
    if (given) {
      throw Failure("more than one " + std::string(what) + ": " + operand + " and " + argument_);
    }
    operand = argument_;
    given = true;
  }

  // The value of the option last taken. Throws UsageError when it has none.
  std::string value() {
    if (inline_value_) return *inline_value_;
    if (next_ >= args_.size()) throw UsageError("option " + name_ + " needs a value");
    return args_[next_++];
  }

 private:
  void pass_end_of_options() {
    if (!options_ended_ && next_ < args_.size() && args_[next_] == "--") {
      options_ended_ = true;
      ++next_;
    }
  }

  const std::vector<std::string>& args_;
  std::size_t next_;
  std::string argument_;
  std::string name_;
  std::optional<std::string> inline_value_;
  bool options_ended_ = false;
};

// Walks a command's arguments after its name (`args[0]`) through one cursor, giving each to
// `take(cursor, name)` with the name cursor.take() returned; `take` reads an option's value
// from the cursor, or takes the argument as an operand. Stops at the first argument that asks
// for the command's help (--help or -h, before any "--") and then returns true.
template <typename Take>
bool walk_arguments(const std::vector<std::string>& args, Take take) {
  OptionCursor cursor(args, 1);
  while (!cursor.done()) {
    const std::string& name = cursor.take();
    if (cursor.is_help()) return true;
    take(cursor, name);
  }
  return false;
}

}  // namespace gridkit
