// A NetCDF-4 file of one corvane run, written through the NetCDF C library: the monthly
// recharge grids as a CF time stack and the yearly area grids, deflated, under a temporary
// name until it is complete.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "utl/safe_output.h"

namespace gridkit {

// What `netcdf` says when gridkit was built without the NetCDF C library.
inline constexpr std::string_view kNoNetcdf =
    "this gridkit was built without the NetCDF C library: the netcdf command is not available";

// Whether gridkit was built with the NetCDF C library.
bool netcdf_built_in();

// Whether the library failed to close a file: it then still holds the file, and its own
// clean-up when the process exits would fail on it (the HDF5 layer crashes there). The run must
// then end without that clean-up, once its temporary file is gone.
bool netcdf_close_failed();

// The value of cells without data: the NetCDF library's default for doubles, which no
// recharge or area value comes near.
inline constexpr double kFillValue = 9.9692099683868690e+36;

// What the file holds besides the grids' values.
struct StackLayout {
  int first_year = 0;
  int last_year = 0;
  bool with_area = false;          // an area(year, y, x) variable
  bool with_fill = false;          // inactive cells hold kFillValue, named by _FillValue
  std::optional<std::string> wkt;  // the coordinate system, as the user gave it
  std::string source;              // where the grids came from, for the global attributes
};

class NetcdfStack {
 public:
  // Creates the file beside `path` and writes its definitions and coordinates. Throws Failure
  // when the file cannot be created or written, or gridkit has no NetCDF library.
  NetcdfStack(const std::string& path, const StackLayout& layout);
  // Removes the temporary file unless commit() succeeded.
  ~NetcdfStack();
  NetcdfStack(const NetcdfStack&) = delete;
  NetcdfStack& operator=(const NetcdfStack&) = delete;

  // Writes the grid of month `index` (0 is January of the first year), row 1 (north) first.
  // REQUIRES: values.size() is the grid's cell count.
  void put_month(int index, const std::vector<double>& values);
  // Writes the area grid of year `index` (0 is the first year).
  void put_year(int index, const std::vector<double>& values);
  // Closes the file and renames it over `path`. Throws Failure when that fails.
  void commit();

 private:
  void put_step(int variable, int index, const std::vector<double>& values);

  std::string target_;
  // The temporary file the library writes, beside the target; removed unless committed.
  std::optional<utl::SafeOutput> out_;
  int ncid_ = -1;
  int recharge_ = -1;
  int area_ = -1;
};

}  // namespace gridkit
