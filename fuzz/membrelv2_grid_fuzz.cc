// links: membrelv2_lib
// membrelv2's "(326i2)" grid lines on arbitrary text. Byte 0 picks the reader: the activity
// grid, the county flag grid (a header line, then counties 0 to 44), or single lines read one
// after another. The rest is the file's text. A stop of the run is an expected outcome; a line
// that reads fills exactly its 326 values with numbers of two characters.
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

#include "membrelv2/freeread.h"
#include "membrelv2/inputs.h"
#include "membrelv2/stop.h"
#include "membrelv2/tables.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);
  const std::string path = "grid.txt";
  static const auto tables = std::make_unique<membrelv2::Tables>();
  try {
    switch (data[0] % 3) {
      case 0:
        membrelv2::readibound(text, path, *tables);
        break;
      case 1:
        membrelv2::readcty(text, path, *tables);
        for (int county : tables->icty) {
          if (county < 0 || county > membrelv2::kCounties) std::abort();
        }
        break;
      default: {
        membrelv2::LineReader lines(text);
        std::string_view line;
        constexpr int kGuard = -555;
        int values[membrelv2::kNcol + 4];
        while (lines.next(line)) {
          for (int& v : values) v = kGuard;
          membrelv2::read_grid_line(line, values, path, lines.count());
          for (int k = 0; k < membrelv2::kNcol; ++k) {
            if (values[k] < -9 || values[k] > 99) std::abort();
          }
          for (int k = membrelv2::kNcol; k < membrelv2::kNcol + 4; ++k) {
            if (values[k] != kGuard) std::abort();
          }
        }
        break;
      }
    }
  } catch (const membrelv2::Stop&) {
  }
  return 0;
}
