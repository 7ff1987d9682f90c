// links: membrelv2_lib
// membrelv2's free-format records on arbitrary text. Byte 0 picks the reader (low three bits):
// the factor file, the monthly factors, the authorized acreage (first pass, then the second pass
// that spreads acreage to cells), the tract coordinates, the diversion records, or a bare record
// loop; and how the text is read (next three bits): whole, or from a stream in pieces of 1 to 7
// bytes, so that records and fields straddle every piece boundary. The rest is the file's text.
// A stop of the run is an expected outcome. A record loop must read exactly the same values,
// and stop with the same diagnostic, whole and in pieces.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "membrelv2/diversions.h"
#include "membrelv2/freeread.h"
#include "membrelv2/inputs.h"
#include "membrelv2/stop.h"
#include "membrelv2/tables.h"

namespace {

const std::string kPath = "input.txt";

// The tables, allocated once (they are large): every cell active and tract 1-1-1-1 on the grid.
// The tables that a reader fills are cleared before each input; the tract coordinates are not,
// so the coordinate reader gets tables of its own, which no other reader looks at.
membrelv2::Tables& tables_for(int reader) {
  static const auto tables = [] {
    auto made = std::make_unique<membrelv2::Tables>();
    made->year = "1995";
    for (int& flag : made->ibound) flag = 1;
    made->xcoord[0] = 300000;
    made->ycoord[0] = 14900000;
    return made;
  }();
  static const auto coordinates = std::make_unique<membrelv2::Tables>();
  if (reader == 4) return *coordinates;
  membrelv2::Tables& t = *tables;
  std::memset(t.sysfac, 0, sizeof t.sysfac);
  std::memset(t.monfac, 0, sizeof t.monfac);
  std::memset(t.authgrp, 0, sizeof t.authgrp);
  std::memset(t.retgrp, 0, sizeof t.retgrp);
  std::memset(t.acrgrp, 0, sizeof t.acrgrp);
  std::memset(t.swret, 0, sizeof t.swret);
  std::memset(t.acres, 0, sizeof t.acres);
  t.total_authorized = 0;
  return t;
}

// The text as a stream read in pieces of `piece` bytes, or whole when `piece` is 0 or the text
// is empty (a memory stream needs at least one byte).
class Source {
 public:
  Source(std::string_view text, std::size_t piece) : text_(text), piece_(piece) {}
  ~Source() {
    for (std::FILE* file : files_) {
      if (file != nullptr) std::fclose(file);
    }
  }
  membrelv2::FreeReader reader() {
    if (piece_ == 0 || text_.empty() || next_ == kMaxFiles) return {text_, kPath};
    std::FILE* file = fmemopen(text_.data(), text_.size(), "r");
    if (file == nullptr) std::abort();
    files_[next_++] = file;
    return {file, kPath, piece_};
  }

 private:
  static constexpr int kMaxFiles = 2;
  std::string text_;
  std::size_t piece_;
  std::FILE* files_[kMaxFiles] = {};
  int next_ = 0;
};

// Every value of the records of `layout` in the text, then how the reading ended.
std::string record_trace(membrelv2::FreeReader reader, std::string_view layout) {
  std::string trace;
  int ints[8];
  float reals[8];
  try {
    while (reader.read_record(layout, ints, reals)) {
      trace += std::to_string(reader.record_line()) + ':';
      int i = 0;
      int r = 0;
      for (char kind : layout) {
        if (kind == 'i') {
          trace += std::to_string(ints[i++]) + ' ';
        } else {
          std::uint32_t bits;
          std::memcpy(&bits, &reals[r++], sizeof bits);
          trace += std::to_string(bits) + ' ';
        }
      }
      if (trace.size() > (1u << 20)) std::abort();  // every record takes at least one value
    }
    trace += "end";
  } catch (const membrelv2::Stop& stop) {
    trace += std::string("stop ") + stop.what();
  }
  return trace;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);
  const std::size_t piece = (data[0] >> 3) % 8;
  const int reader = data[0] % 8;
  if (reader >= 6) {
    const std::string_view layout = reader == 6 ? "iriir" : "r";
    Source whole(text, 0);
    Source pieces(text, piece == 0 ? 1 : piece);
    if (record_trace(whole.reader(), layout) != record_trace(pieces.reader(), layout)) {
      std::abort();
    }
    return 0;
  }
  Source source(text, piece);
  membrelv2::Tables& tables = tables_for(reader);
  try {
    switch (reader) {
      case 0:
        membrelv2::readpar(source.reader(), tables);
        break;
      case 1:
        membrelv2::readmonfac(source.reader(), tables);
        break;
      case 2:
        membrelv2::readauth(source.reader(), tables);
        break;
      case 3: {
        membrelv2::readauth(source.reader(), tables);
        std::string listing;
        membrelv2::distribute(source.reader(), tables, listing);
        break;
      }
      case 4:
        membrelv2::readcoords(source.reader(), tables);
        break;
      default:
        membrelv2::readdiv(source.reader(), tables);
        break;
    }
  } catch (const membrelv2::Stop&) {
  }
  return 0;
}
