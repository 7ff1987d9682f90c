// links: gridkit_lib
// Grid form detection and gridkit's grid readers on arbitrary files, read as `gridkit stats FILE
// [--format FORM]` reads them. The input is one control byte, then the file's bytes:
//   byte 0: 0 to 4 names the form (text, binary, fixed, free, flags) as --format does; anything
//   else leaves the form to detection.
// A Failure or a toolkit stop is an expected outcome. Detection names a form that --format
// takes back, and a file read without --format is read in the form detection tells.
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "fuzz/scratch_file.h"
#include "gridkit/common.h"
#include "gridkit/readers/detect.h"
#include "gridkit/readers/gridfile.h"
#include "utl/fatal.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  std::optional<gridkit::GridFormat> format;
  if (data[0] < 5) format = static_cast<gridkit::GridFormat>(data[0]);
  const std::string_view contents(reinterpret_cast<const char*>(data) + 1, size - 1);

  std::optional<gridkit::GridFormat> detected;
  try {
    detected = gridkit::detect_format(contents);
  } catch (const gridkit::Failure&) {
  }
  if (detected && gridkit::parse_format(gridkit::format_name(*detected)) != detected) std::abort();

  const std::string path = fuzzing::write_scratch("grid", data + 1, size - 1);
  try {
    const gridkit::LoadedGrid loaded = gridkit::read_grid(path, format);
    if (loaded.grid.values.size() != gridkit::kCells) std::abort();
    if (!format && loaded.format != detected) std::abort();
  } catch (const gridkit::Failure&) {
  } catch (const utl::Fatal&) {
  }
  return 0;
}
