// links: membrelv2_lib
// membrelv2's free-format records on arbitrary text. Byte 0 picks the reader: the factor file,
// the monthly factors, the authorized acreage (first pass, then the second pass that spreads
// acreage to cells), the tract coordinates, the diversion records, or a bare record loop of
// mixed integers and reals. The rest is the file's text. A stop of the run is an expected
// outcome; a record loop must always move on or end.
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

#include "membrelv2/diversions.h"
#include "membrelv2/freeread.h"
#include "membrelv2/inputs.h"
#include "membrelv2/stop.h"
#include "membrelv2/tables.h"

namespace {

// A fresh set of tables, every cell active and tract 1-1-1-1 on the grid.
std::unique_ptr<membrelv2::Tables> fresh_tables() {
  auto tables = std::make_unique<membrelv2::Tables>();
  tables->year = "1995";
  for (int& flag : tables->ibound) flag = 1;
  tables->xcoord[0] = 300000;
  tables->ycoord[0] = 14900000;
  return tables;
}

void record_loop(std::string_view text, const std::string& path, std::string_view layout) {
  membrelv2::FreeReader reader(text, path);
  int ints[8];
  float reals[8];
  for (int records = 0; reader.read_record(layout, ints, reals); ++records) {
    if (records > static_cast<int>(text.size())) std::abort();  // a record takes a value
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);
  const std::string path = "input.txt";
  const auto fresh = fresh_tables();
  membrelv2::Tables& tables = *fresh;
  try {
    switch (data[0] % 8) {
      case 0:
        membrelv2::readpar(text, path, tables);
        break;
      case 1:
        membrelv2::readmonfac(text, path, tables);
        break;
      case 2:
        membrelv2::readauth(text, path, tables);
        break;
      case 3: {
        membrelv2::readauth(text, path, tables);
        std::string listing;
        membrelv2::distribute(text, path, tables, listing);
        break;
      }
      case 4:
        membrelv2::readcoords(text, path, tables);
        break;
      case 5:
        membrelv2::readdiv(text, path, tables);
        break;
      case 6:
        record_loop(text, path, "iriir");
        break;
      default:
        record_loop(text, path, "r");
        break;
    }
  } catch (const membrelv2::Stop&) {
  }
  return 0;
}
