// links: corvane_lib
// corvane's parameter file on arbitrary text, read with every command carried out: the grids
// and tables it names are loaded from a private scratch directory that holds a flag grid "ib",
// an acreage grid "ac" and a return-flow table "rt" for the areas A and B. Inputs that hold a
// slash are passed over, so that no command reaches outside that directory (a device such as
// /dev/zero is not a parameter file's business). A fatal stop is an expected outcome.
#include <fcntl.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <string>

#include "corvane/params.h"
#include "fuzz/scratch_file.h"
#include "utl/fatal.h"

namespace {

void write_text(const std::string& name, const std::string& text) {
  fuzzing::write_scratch(name, reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
}

// Puts the inputs that seeds and mutations name into the scratch directory, once.
void prepare_inputs() {
  static const bool done = [] {
    std::string flags;
    for (int r = 0; r < corvane::kNrow; ++r) {
      for (int c = 0; c < corvane::kNcol; ++c) flags += (r + c) % 7 == 0 ? " 0" : " 1";
      flags += '\n';
    }
    write_text("ib", flags);
    std::string acres = "acreage of area A\n";
    for (int r = 0; r < corvane::kNrow; ++r) acres += r % 9 == 0 ? "10*2.5 316*0\n" : "326*0.0\n";
    write_text("ac", acres);
    write_text("rt", "YrMo A B\n195001 1.5 2\n# note\n195112 3 4.5\n193913 9 9\n");
    return true;
  }();
  (void)done;
}

// Works in the scratch directory for the life of one input, then goes back, so that the
// fuzzer's own relative paths (corpus, artifacts) keep their meaning between inputs.
class InScratch {
 public:
  InScratch() : home_(open(".", O_RDONLY | O_DIRECTORY)) {
    if (home_ < 0 || chdir(fuzzing::scratch_dir().c_str()) != 0) std::abort();
  }
  ~InScratch() {
    if (fchdir(home_) != 0) std::abort();
    close(home_);
  }
  InScratch(const InScratch&) = delete;
  InScratch& operator=(const InScratch&) = delete;

 private:
  int home_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (std::memchr(data, '/', size) != nullptr) return 0;
  prepare_inputs();
  fuzzing::write_scratch("params.txt", data, size);
  const InScratch here;
  std::ostringstream warnings;
  try {
    const corvane::Params params = corvane::read_params("params.txt", warnings);
    corvane::final_checks(params);
    if (params.narea < 1 || params.narea > corvane::kMaxArea) std::abort();
    if (static_cast<int>(params.areaname.size()) < params.narea) std::abort();
    if (params.ibound.size() != static_cast<std::size_t>(corvane::kNcell)) std::abort();
  } catch (const utl::Fatal&) {
  }
  return 0;
}
