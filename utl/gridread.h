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
// REQUIRES: grid.size() >= nrow * ncol; names.size() >= maxzone when maxzone > 0 (the name "*"
// is stored only when `names` has an entry).
void readflags(std::string_view file, std::span<int> grid, int nrow, int ncol,
               std::span<std::string> names, int& nzone, int maxzone);

// Reads a free-format real grid from `file` after skipping `nskip` header records. Each row
// starts on a new record; null values and a slash leave cells as the caller had them.
// REQUIRES: grid.size() >= nrow * ncol.
void readreal(std::string_view file, std::span<double> grid, int nrow, int ncol, int nskip);

// What read_free_grid found: the whole grid, a file that ends within its header records, or a
// row that is incomplete at the end of the text or holds an item that is not a value.
enum class FreeGridStatus { kOk, kShortHeader, kBadValue };

// The reading of readreal on the text of a whole file, without stopping: cells read so far stay
// written. REQUIRES: grid.size() >= nrow * ncol.
FreeGridStatus read_free_grid(std::string_view text, std::span<double> grid, int nrow, int ncol,
                              int nskip);

}  // namespace utl
