// The accounting-point list, read field by field as it stands (no cleaning, no comments).
#include "tallisk/accounts.h"

#include <algorithm>
#include <string_view>

#include "utl/fatal.h"
#include "utl/fields.h"
#include "utl/textfile.h"

namespace tallisk {

void read_accounts(const std::string& path, AccountList& list) {
  std::string text;
  const utl::ReadStatus read = utl::read_whole_file(path, text);
  if (read == utl::ReadStatus::kCannotOpen) utl::error("Cannot open file " + path);
  if (read == utl::ReadStatus::kTooLong) utl::error2("Error reading file", path);
  // A list edited on another system: CR-LF ends a line as a line feed does, and so does a
  // carriage return alone at the very end of the file.
  if (!text.empty() && text.back() == '\r') text += '\n';
  utl::TextFile file;
  file.assign(text);
  list.count = 0;
  std::string line;
  while (file.next_record(line, kListRecordLength)) {
    // The 33rd line stops the run whatever it holds.
    if (list.count == kMaxPoints) utl::error("Too many accounting points");
    const int j = list.count++;
    int ipos = 1;
    int ierr = 0;
    const std::string name = utl::charin(line, 1, ipos, ierr);
    if (ierr != 0) utl::error("Error reading account name " + line);
    list.names[j].fill(' ');
    std::copy_n(name.begin(), std::min<std::size_t>(name.size(), kNameLength),
                list.names[j].begin());
    // A missing field reads as blanks: an empty slot.
    for (int k = 0; k < kSlots; ++k) {
      list.gages[j][k] = gage_entry(utl::charin(line, ipos, ipos, ierr));
    }
  }
}

}  // namespace tallisk
