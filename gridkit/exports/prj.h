// The grid's coordinate system as the user gives it, a WKT text in a file, and the .prj sidecar
// beside an ASCII grid where GIS programs look for it. gridkit knows no coordinate system of
// its own and never guesses one.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace gridkit {

// The message for --epsg: a code names a coordinate system, but its WKT needs a database.
inline constexpr std::string_view kNoEpsg =
    "--epsg is not supported: gridkit holds no coordinate-system database to turn a code into "
    "WKT; pass the coordinate system's WKT with --prj FILE (a .prj file from your GIS)";

// The WKT text of the file at `path`, without leading and trailing blanks and line ends. Throws
// Failure when the file cannot be read or does not hold one WKT text: a keyword, then a
// bracketed body whose brackets balance, and nothing after it.
std::string read_wkt(const std::string& path);

// Where the .prj sidecar of the ASCII grid `asc_path` lies: the same name with extension .prj.
std::string prj_path(const std::string& asc_path);

// Writes the ASCII grid text `asc` to `asc_path` and, given a WKT file, its .prj sidecar, each
// through a temporary file; the WKT is read and checked before anything is written. Throws
// Failure when a file cannot be read, created or written.
void write_asc_files(const std::string& asc_path, std::string_view asc,
                     const std::optional<std::string>& wkt_file);

}  // namespace gridkit
