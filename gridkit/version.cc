// gridkit's --version: the release and whether the netcdf command is built in.
#include "about/version.h"

#include "gridkit/run.h"

namespace gridkit {

#ifdef RECHARGE_HAVE_NETCDF
const char* const kVersion = "gridkit " RECHARGE_VERSION " (built with NetCDF)";
#else
const char* const kVersion =
    "gridkit " RECHARGE_VERSION " (built without NetCDF: no netcdf command)";
#endif

}  // namespace gridkit
