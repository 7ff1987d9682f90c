// membrelv2's help: the command line and the working-directory layout it reads and writes.
#include "membrelv2/about.h"

#include "about/version.h"

namespace membrelv2 {

const about::About kAbout{
    "Usage: membrelv2 YEAR\n"
    "       membrelv2 --help | --version\n"
    "\n"
    "Computes one year's surface-water return-flow recharge of the Kansas cells: each group's\n"
    "diversions and acreage are spread over the cells of its 40-acre tracts. YEAR is taken as\n"
    "exactly four characters and may not hold / or \\.\n"
    "\n"
    "Run it in a working directory that holds a directory ks/. It reads, relative to it:\n"
    "  ../data/ks/sw/membrel.par                     return-flow factors by system type\n"
    "  ../static/02.ibound                           the active-cell grid\n"
    "  ../data0/cty.flg                              county numbers by cell\n"
    "  ../data/ks/sw/monthlyfactorsbycountyYEAR.txt  May to October factors by county\n"
    "  ../data/ks/sw/authacresYEAR.txt               authorized acres by group and tract\n"
    "  ../data/ks/40coords.dat                       coordinates of the 40-acre tracts\n"
    "  ../data/ks/sw/membrelYEAR.txt                 the year's diversion records\n"
    "and writes into ks/:\n"
    "  YEAR.05.rcs .. YEAR.10.rcs                    monthly recharge, May to October\n"
    "  YEAR.asw                                      acreage per cell\n"
    "  swretgridYEAR.dat, swacresgridYEAR.dat        plot files\n"
    "  outputYEAR.dat                                tracts off the grid or inactive\n"
    "  checkYEAR.out                                 monthly totals and the year's sums\n"
    "\n"
    "Progress goes to standard output; a stop prints its message on standard error and exits\n"
    "with status 1.\n"
    "\n"
    "The manual: man membrelv2, or docs/membrelv2.md in the sources.\n",
    "membrelv2 " RECHARGE_VERSION " (no optional parts)\n"};

}  // namespace membrelv2
