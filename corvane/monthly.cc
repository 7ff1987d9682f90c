// Monthly return-flow tables.
#include "corvane/monthly.h"

#include <algorithm>
#include <stdexcept>

#include "utl/fatal.h"
#include "utl/fields.h"
#include "utl/textfile.h"

namespace corvane {

void readmonths(std::string_view file, std::span<double> retaf, std::span<const std::string> names,
                int narea, int first_year, int last_year) {
  const std::size_t values = narea > 0 && last_year >= first_year
                                 ? retaf_index(narea + 1, first_year, 1, first_year, last_year)
                                 : 0;
  if (retaf.size() < values || names.size() < static_cast<std::size_t>(std::max(narea, 0))) {
    throw std::length_error("return-flow table or area names smaller than narea");
  }
  // Values of an earlier table are discarded.
  std::fill_n(retaf.data(), values, 0.0);

  utl::TextFile in;
  const utl::ReadStatus read = in.open(std::string(utl::trimmed(file)));
  if (read == utl::ReadStatus::kCannotOpen) utl::error2("Cannot open file", file);
  if (read == utl::ReadStatus::kTooLong) utl::error2("Invalid data in file", file);
  std::string_view line;
  if (!in.next_line(line)) utl::error2("Cannot read file", file);
  // The header is taken as it stands: not cleaned, and never a comment.
  utl::checkhdr(file, line, names, narea);

  // Records are read whole, however many areas a line holds.
  std::string record;
  while (in.next_line(line)) {
    record.assign(line);
    if (utl::linefix(record) != 0) continue;
    int pos = 1;
    int ierr;
    const int label = utl::intin(record, pos, pos, ierr);
    if (ierr != 0) utl::error2("Invalid year-mo in file", file);
    const int year = label / 100;
    const int month = label - 100 * year;
    if (year < first_year || year > last_year) continue;
    if (month < 1 || month > 12) utl::errorint("Invalid year-month", month);
    for (int n = 1; n <= narea; ++n) {
      const double value = utl::realin(record, pos, pos, ierr);
      if (ierr != 0) utl::error2("Invalid data in file", file);
      retaf[retaf_index(n, year, month, first_year, last_year)] = value;
    }
  }
}

}  // namespace corvane
