// One run of membrelv2: inputs, diversions and distribution, outputs.
#include "membrelv2/run.h"

#include <cstdio>
#include <memory>
#include <new>

#include "membrelv2/diversions.h"
#include "membrelv2/freeline.h"
#include "membrelv2/inputs.h"
#include "membrelv2/outputs.h"
#include "membrelv2/signal_cleanup.h"
#include "membrelv2/stop.h"
#include "membrelv2/tables.h"

namespace membrelv2 {
namespace {

void say(const FreeLine& line) { std::fputs(line.str().c_str(), stdout); }

void say(std::string_view text) { say(FreeLine().text(text)); }

FreeReader records_of(const InputFile& file) { return FreeReader(file.get(), file.path()); }

// After a product failed, puts both listings in place as far as they go, so that they say what
// the run wrote: the exceptions whole, the check listing up to the file that failed. Then stops
// with the failure, and with the listing's own where one cannot be put in place either.
[[noreturn]] void stop_with_listings(const Stop& failure, Listing& exceptions, Listing& check) {
  std::string text = failure.what();
  for (Listing* listing : {&exceptions, &check}) {
    try {
      listing->close();
    } catch (const Stop& also) {
      text += "; ";
      text += also.what();
    }
  }
  stop(std::move(text));
}

void process(const std::string& year) {
  const auto tables = std::make_unique<Tables>();
  Tables& t = *tables;
  t.year = year;

  InputFile parameters(kParameterFile);
  say(FreeLine()
          .integer(kNrow)
          .integer(kNcol)
          .real(kCellWidth)
          .real(kCellHeight)
          .real(kWestEdge)
          .real(kSouthEdge));
  readpar(records_of(parameters), t);

  say(FreeLine().text("..Processing year ").text(year));
  say("..reading ibound array");
  readibound(read_input(kIboundFile), kIboundFile, t);
  say("..reading county flags");
  readcty(read_input(kCountyFile), kCountyFile, t);
  say("..reading monthly factors by county");
  readmonfac(records_of(InputFile(monthly_factor_file(year))), t);

  say("..reading authorized acreage by group");
  // Read twice: for the groups' totals now, and tract by tract in the distribution.
  InputFile authorized(authorized_acreage_file(year));
  readauth(records_of(authorized), t);
  say(FreeLine().text(year).real(t.total_authorized));
  for (int group = 1; group <= kListedGroups; ++group) {
    if (t.authgrp[group] <= 0) say(FreeLine().integer(group).real(t.authgrp[group]));
  }

  say("..reading coordinates of 40-acre tracts");
  readcoords(records_of(InputFile(kCoordinateFile)), t);

  say("..reading diversion, acreage, and system type data");
  const std::string diversion_path = diversion_file(year);
  const DiversionTotals diversions = readdiv(records_of(InputFile(diversion_path)), t);
  if (diversions.over_limit) {
    std::fprintf(stderr,
                 "membrelv2: warning: %s holds more than %d diversion records; the rest are not "
                 "read\n",
                 diversion_path.c_str(), kDiversions);
  }

  Listing exceptions("ks/output" + year + ".dat");
  Listing check("ks/check" + year + ".out");
  std::string listing;
  authorized.rewind();
  const Distribution distribution = distribute(records_of(authorized), t, listing);
  exceptions.write(listing);

  try {
    writeoutputs(t, diversions, distribution, check, stdout);
  } catch (const Stop& failure) {
    stop_with_listings(failure, exceptions, check);
  }
  exceptions.close();
  check.close();
}

}  // namespace

int run(const std::vector<std::string>& args) {
  // The year only enters file names under ks/ and ../data/: it may not lead elsewhere.
  if (args.size() != 1 || args[0].find_first_of("/\\") != std::string::npos) {
    std::fputs("Usage: membrelv2 <year>\n", stderr);
    return kExitFailure;
  }
  treat_file_size_limit_as_full_disk();
  int status = kExitSuccess;
  try {
    process(year_text(args[0]));
  } catch (const Stop& failure) {
    std::fflush(stdout);
    std::fprintf(stderr, "membrelv2: %s\n", failure.what());
    status = kExitFailure;
  } catch (const std::bad_alloc&) {
    std::fflush(stdout);
    std::fputs("membrelv2: out of memory\n", stderr);
    status = kExitFailure;
  }
  if ((std::fflush(stdout) != 0 || std::ferror(stdout)) && status == kExitSuccess) {
    std::fputs("membrelv2: cannot write standard output\n", stderr);
    status = kExitFailure;
  }
  return status;
}

}  // namespace membrelv2
