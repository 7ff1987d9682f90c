// links: utl
// Record tokenizer and numeric conversions on arbitrary records: every field reader is walked
// over the record to its end, and the cursor must always move forward and stay in bounds; text
// results keep their declared lengths, and a number that converts is a finite one.
#include <cmath>
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
      if (reader == 0) {
        const std::string text = utl::charin(record, pos, pos, ierr);
        if (text.size() != static_cast<std::size_t>(utl::kFieldLength)) std::abort();
        if (ierr == -1 && utl::length0(text) != 0) std::abort();
      }
      if (reader == 1) {
        const int value = utl::intin(record, pos, pos, ierr);
        if (ierr == -1 && value != 0) std::abort();
      }
      if (reader == 2) {
        const double value = utl::realin(record, pos, pos, ierr);
        if (ierr == 0 && !std::isfinite(value)) std::abort();
        if (ierr == -1 && value != 0.0) std::abort();
      }
      if (ierr < -1) std::abort();
      if (pos < before || pos > len + 1) std::abort();
      if (ierr == -1) break;
      if (pos == before) std::abort();
    }
  }
  // A cursor beyond the record finds nothing and stays where it was.
  int beyond = len + 5;
  int ierr = 0;
  utl::realin(record, beyond, beyond, ierr);
  if (ierr != -1 || beyond != len + 5) std::abort();

  // The whole record as one numeric field: the two conversions agree on what is an integer.
  int as_int = 0;
  double as_real = 0.0;
  if (utl::convert_int(record, as_int) == 0) {
    if (utl::convert_real(record, as_real) != 0 || as_real != as_int) std::abort();
  }

  int pos = 1;
  const bool at_end = utl::eol(record, pos);
  if (pos < 1 || pos > len + 1 || at_end != (pos == len + 1)) std::abort();
  const int last = utl::length0(record);
  if (last < 0 || last > len || utl::length(record) != (last == 0 ? 1 : last)) std::abort();
  if (utl::trimmed(record).size() != static_cast<std::size_t>(last == 0 ? 1 : last) && len > 0)
    std::abort();
  if (utl::padded(record, 40).size() != 40) std::abort();

  std::string upper = record;
  utl::uppercase(upper);
  for (std::size_t i = 0; i < upper.size(); ++i) {
    const char c = record[i];
    if (upper[i] != (c >= 'a' && c <= 'z' ? c - 32 : c)) std::abort();
  }

  std::string cleaned = record;
  const int kind = utl::linefix(cleaned);
  for (char c : cleaned) {
    if (c < 32 || c > 126) std::abort();
  }
  std::string again = cleaned;
  if (utl::linefix(again) != kind || again != cleaned) std::abort();

  const std::vector<std::string> labels{std::string(32, 'A'), std::string(32, 'B')};
  try {
    utl::checkhdr("fuzz", record, labels, 2);
  } catch (const utl::Fatal&) {
  }
  return 0;
}
