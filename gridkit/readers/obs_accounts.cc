// The accounting-point list, read field by field as tallisk reads it, with longer entries.
#include "gridkit/readers/obs_accounts.h"

#include <algorithm>

#include "gridkit/common.h"
#include "gridkit/grid.h"
#include "gridkit/readers/obs_file.h"
#include "utl/fields.h"
#include "utl/textfile.h"

namespace gridkit {
namespace {

ObsEntry parse_entry(std::string_view field, const std::string& path) {
  const std::string_view text = utl::trimmed(field);
  if (text.front() != '+' && text.front() != '-') {
    throw Failure(path + ": the entry '" + std::string(text) + "' begins with neither + nor -");
  }
  if (text.size() - 1 > kObsNameLength) {
    throw Failure(path + ": the entry '" + std::string(text) +
                  "' names an observation longer than 40 characters");
  }
  return ObsEntry{text.front() == '-', upper_cased(text.substr(1))};
}

}  // namespace

std::string upper_cased(std::string_view name) {
  std::string upper(name);
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return upper;
}

ObsAccountList read_obs_accounts(const std::string& path) {
  std::string text;
  const utl::ReadStatus read = utl::read_whole_file(path, text);
  if (read == utl::ReadStatus::kCannotOpen) throw Failure("cannot read " + path);
  if (read == utl::ReadStatus::kTooLong) throw Failure(path + ": a line longer than 16 MiB");
  if (!text.empty() && text.back() == '\r') text += '\n';
  utl::TextFile file;
  file.assign(text);
  ObsAccountList list;
  std::string line;
  while (file.next_record(line, tallisk::kListRecordLength)) {
    if (list.points.count == tallisk::kMaxPoints) {
      throw Failure(path + ": more than 32 accounting points");
    }
    const int j = list.points.count++;
    int ipos = 1;
    int ierr = 0;
    const std::string name = utl::charin(line, 1, ipos, ierr);
    if (ierr != 0) {
      throw Failure(path + ": line " + std::to_string(j + 1) + " has no point name");
    }
    auto& shown = list.points.names[static_cast<std::size_t>(j)];
    shown.fill(' ');
    std::copy_n(name.begin(), std::min<std::size_t>(name.size(), tallisk::kNameLength),
                shown.begin());
    list.points.gages[static_cast<std::size_t>(j)].fill(tallisk::gage_entry(""));
    for (int k = 0; k < tallisk::kSlots; ++k) {
      const std::string field = utl::charin(line, ipos, ipos, ierr);
      if (ierr != 0) break;
      list.entries[static_cast<std::size_t>(j)].push_back(parse_entry(field, path));
    }
  }
  return list;
}

}  // namespace gridkit
