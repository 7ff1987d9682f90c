// Grid array file readers: integer flag and zone grids, and free-format real grids.
//
// Grids are stored column index fastest: cell (column c, row r), counted from 1, is element
// (r - 1) * ncol + c - 1 of the span. Every failure stops through error2 with the file name.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace utl {

// Reads an integer grid of `nrow` rows and `ncol` columns from `file`. With `maxzone` <= 0 the
// file is a flag grid (two columns per value, no header); with `maxzone` > 0 a zone grid (one
// column per value) whose first record names the zones, written to `names` (each cut or padded
// to the length of its existing text) with their count in `nzone`. The name "*" reads no file
// and gives an all-ones grid, `nzone` 1 and zone name "*".
// REQUIRES: grid.size() >= nrow * ncol; names.size() >= maxzone when maxzone > 0, and >= 1.
void readflags(std::string_view file, std::span<int> grid, int nrow, int ncol,
               std::span<std::string> names, int& nzone, int maxzone);

// Reads a free-format real grid from `file` after skipping `nskip` header records. Each row
// starts on a new record; null values and a slash leave cells as the caller had them.
// REQUIRES: grid.size() >= nrow * ncol.
void readreal(std::string_view file, std::span<double> grid, int nrow, int ncol, int nskip);

}  // namespace utl
