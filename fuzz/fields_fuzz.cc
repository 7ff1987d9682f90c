// links: utl
// Record tokenizer and numeric conversions on arbitrary records: every field reader is walked
// over the record to its end, and the cursor must always move forward and stay in bounds.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "utl/fatal.h"
#include "utl/fields.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string record(reinterpret_cast<const char*>(data), size);
  const int len = static_cast<int>(record.size());
  for (int reader = 0; reader < 3; ++reader) {
    int pos = 1;
    int ierr = 0;
    for (;;) {
      const int before = pos;
      if (reader == 0) utl::charin(record, pos, pos, ierr);
      if (reader == 1) utl::intin(record, pos, pos, ierr);
      if (reader == 2) utl::realin(record, pos, pos, ierr);
      if (pos < before || pos > len + 1) std::abort();
      if (ierr == -1) break;
      if (pos == before) std::abort();
    }
  }
  int pos = 1;
  utl::eol(record, pos);
  utl::length(record);
  std::string cleaned = record;
  utl::linefix(cleaned);
  for (char c : cleaned) {
    if (c < 32 || c > 126) std::abort();
  }
  const std::vector<std::string> labels{std::string(32, 'A'), std::string(32, 'B')};
  try {
    utl::checkhdr("fuzz", record, labels, 2);
  } catch (const utl::Fatal&) {
  }
  return 0;
}
