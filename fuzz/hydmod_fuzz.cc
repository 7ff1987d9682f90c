// links: tallisk_lib
// HYDMOD reader on arbitrary run files and gage entries. The input is a small control part,
// then the run file's bytes:
//   byte 0: number of accounting points (0 to 4); byte 1: records to skip (1 to 3);
//   then 2 gage entries of 21 characters per point (slots 1 and 2; the others stay blank).
// A fatal stop is an expected outcome; volumes beyond the points in use must stay untouched.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "fuzz/scratch_file.h"
#include "tallisk/hydmod.h"
#include "utl/fatal.h"

namespace {
constexpr int kFuzzSlots = 2;
constexpr double kUntouched = -12345.0;
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const int npoints = data[0] % 5;
  const int nskip = 1 + data[1] % 3;
  std::size_t used = 2;
  const std::size_t gage_bytes =
      static_cast<std::size_t>(npoints) * kFuzzSlots * tallisk::kGageLength;
  if (size < used + gage_bytes) return 0;

  tallisk::GageTable gages;
  for (auto& point : gages) {
    for (auto& entry : point) entry.fill(' ');
  }
  for (int j = 0; j < npoints; ++j) {
    for (int k = 0; k < kFuzzSlots; ++k) {
      std::memcpy(gages[j][k].data(), data + used, tallisk::kGageLength);
      used += tallisk::kGageLength;
    }
  }
  const std::string path = fuzzing::write_scratch("run.sfi", data + used, size - used);

  tallisk::Volumes volumes;
  volumes.fill(kUntouched);
  try {
    tallisk::readsfi(path, gages, volumes, npoints, nskip);
  } catch (const utl::Fatal&) {
    return 0;
  }
  for (int j = npoints; j < tallisk::kMaxPoints; ++j) {
    if (volumes[j] != kUntouched) std::abort();
  }
  return 0;
}
