// Annual tables: one record per year, one column per named series, read by series label.
#include "utl/annual.h"

#include <algorithm>
#include <stdexcept>
#include <string>

#include "utl/fatal.h"
#include "utl/fields.h"
#include "utl/textfile.h"

namespace utl {

void readyears(std::string_view file, std::span<double> table, std::span<const std::string> labels,
               int nseries, int year1, int year2) {
  // Counts in 64 bits, so that no range of years can wrap around into a small table.
  const long long years = std::max(0LL, static_cast<long long>(year2) - year1 + 1);
  const long long series = std::max(0, nseries);
  const auto cells = static_cast<unsigned long long>(years * series);
  if (labels.size() < static_cast<unsigned long long>(series) || table.size() < cells) {
    throw std::invalid_argument("readyears: table or labels smaller than the series");
  }
  std::fill_n(table.begin(), cells, 0.0);

  TextFile text;
  const ReadStatus read = text.open(std::string(trimmed(file)));
  if (read == ReadStatus::kCannotOpen) error2("Cannot open file", file);
  if (read == ReadStatus::kTooLong) error2("Invalid data in file", file);
  std::string_view line;
  if (!text.next_line(line)) error2("Cannot read file", file);
  // The header is checked as it stands: a comment or blank first record is not skipped.
  checkhdr(file, line, labels, nseries);

  // Records are taken whole, however long, so that no value is cut short.
  std::string record;
  while (text.next_line(line)) {
    record.assign(line);
    if (linefix(record) != 0) continue;

    int ipos = 1;
    int ierr = 0;
    const int year = intin(record, 1, ipos, ierr);
    if (ierr != 0) error2("Invalid year in file", file);
    if (year < year1 || year > year2) continue;

    for (int k = 1; k <= nseries; ++k) {
      const double value = realin(record, ipos, ipos, ierr);
      if (ierr != 0) error2("Invalid data in file", file);
      table[annual_index(year, k, year1, year2)] = value;
    }
  }
}

}  // namespace utl
