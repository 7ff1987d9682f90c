// gridkit's inputs read and outputs written whole, their faults turned into one Failure each.
#include "gridkit/common.h"

#include "utl/safe_output.h"
#include "utl/textfile.h"

namespace gridkit {

void read_input_file(const std::string& path, std::string& contents) {
  const utl::ReadStatus read = utl::read_whole_file(path, contents);
  if (read == utl::ReadStatus::kCannotOpen) throw Failure("cannot read " + path);
  if (read == utl::ReadStatus::kTooLong) throw Failure(path + ": a line longer than 16 MiB");
}

void read_binary_input_file(const std::string& path, std::string& contents) {
  const utl::ReadStatus read = utl::read_whole_file(path, contents, utl::kLargestFile);
  if (read == utl::ReadStatus::kCannotOpen) throw Failure("cannot read " + path);
  if (read == utl::ReadStatus::kTooLong) throw Failure(path + ": larger than 256 MiB");
}

void write_output_file(const std::string& path, std::string_view bytes) {
  switch (utl::write_whole_file(path, bytes)) {
    case utl::WholeFileStatus::kWritten:
      return;
    case utl::WholeFileStatus::kCannotOpen:
      throw Failure("cannot create " + path);
    case utl::WholeFileStatus::kCannotWrite:
      throw Failure("cannot write " + path);
  }
}

}  // namespace gridkit
