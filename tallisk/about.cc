// tallisk's help: the command line and the working-directory layout it reads and writes.
#include "tallisk/about.h"

#include "about/version.h"

namespace tallisk {

const about::About kAbout{
    "Usage: tallisk [-12p] YEAR\n"
    "       tallisk --help | --version\n"
    "\n"
    "Compares four variant model runs of YEAR with the base run at every accounting point and\n"
    "writes the streamflow impacts, in acre-feet, as an HTML table. Prints nothing when it\n"
    "succeeds. YEAR is taken as exactly 4 characters and may not hold / or \\.\n"
    "\n"
    "Run it in the directory that holds the year's HYDMOD run files; paths are relative to it:\n"
    "  ../data0/tallisk.12s    the accounting-point list (../data0/tallisk.12p with -12p):\n"
    "                          one point per line, at most 32: its name, then up to 16\n"
    "                          entries of + or - and a HYDMOD item label\n"
    "  YEAR.sfi                HYDMOD run file of the base run\n"
    "  YEARa.sfi .. YEARd.sfi  HYDMOD run files of runs a to d (Colorado, Kansas and\n"
    "                          Nebraska Pumping, Nebraska Mound)\n"
    "  YEAR.htm                the impact page, written\n"
    "\n"
    "A stop prints its message on standard output and exits with status 1.\n"
    "\n"
    "The manual: man tallisk, or docs/tallisk.md in the sources.\n",
    "tallisk " RECHARGE_VERSION " (no optional parts)\n"};

}  // namespace tallisk
