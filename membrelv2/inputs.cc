// Readers of membrelv2's factor, grid, county, monthly factor, acreage and coordinate files.
#include "membrelv2/inputs.h"

#include "membrelv2/stop.h"

namespace membrelv2 {
namespace {

// Reads 165 grid lines from `lines` into `grid`; stops when the file ends before.
void read_grid(LineReader& lines, int* grid, const std::string& path) {
  for (int row = 1; row <= kNrow; ++row) {
    std::string_view line;
    if (!lines.next(line)) {
      stop(path + ": file ends after " + std::to_string(lines.count()) + " lines, before row " +
           std::to_string(row) + " of the grid");
    }
    read_grid_line(line, grid + cell_index(1, row), path, lines.count());
  }
}

}  // namespace

std::string year_text(std::string_view argument) {
  std::string year(argument.substr(0, 4));
  year.resize(4, ' ');
  return year;
}

std::string monthly_factor_file(const std::string& year) {
  return "../data/ks/sw/monthlyfactorsbycounty" + year + ".txt";
}

std::string authorized_acreage_file(const std::string& year) {
  return "../data/ks/sw/authacres" + year + ".txt";
}

std::string diversion_file(const std::string& year) {
  return "../data/ks/sw/membrel" + year + ".txt";
}

void readpar(FreeReader reader, Tables& tables) {
  const std::string& path = reader.path();
  int count = 0;
  if (!reader.read_record("i", &count, nullptr)) {
    stop(path + ": file ends before the number of system types");
  }
  if (count > kSystemTypes) {
    stop_at(path, reader.record_line(),
            std::to_string(count) + " system types, at most " + std::to_string(kSystemTypes));
  }
  for (int k = 1; k <= count; ++k) {
    if (!reader.read_record("r", nullptr, &tables.sysfac[k])) {
      stop(path + ": file ends before the factor of system type " + std::to_string(k - 1) + " (" +
           std::to_string(k) + " of " + std::to_string(count) + ")");
    }
  }
}

void readibound(std::string_view text, const std::string& path, Tables& tables) {
  LineReader lines(text);
  read_grid(lines, tables.ibound, path);
}

void readcty(std::string_view text, const std::string& path, Tables& tables) {
  LineReader lines(text);
  std::string_view header;
  if (!lines.next(header)) stop(path + ": file ends before its header line");
  read_grid(lines, tables.icty, path);
  for (int row = 1; row <= kNrow; ++row) {
    for (int column = 1; column <= kNcol; ++column) {
      const int county = tables.icty[cell_index(column, row)];
      if (county < 0 || county > kCounties) {
        stop_at(path, row + 1,
                "column " + std::to_string(column) + ": county " + std::to_string(county) +
                    " outside 0 to " + std::to_string(kCounties));
      }
    }
  }
}

void readmonfac(FreeReader reader, Tables& tables) {
  const std::string& path = reader.path();
  for (int county = 1; county <= kCounties; ++county) {
    int number = 0;  // the county's own number, not used: record i is county i
    if (!reader.read_record("irrrrrr", &number, &tables.monfac[county][kFirstMonth])) {
      stop(path + ": file ends before the record of county " + std::to_string(county) + " of " +
           std::to_string(kCounties));
    }
  }
}

bool next_authorized(FreeReader& reader, AuthRecord& record) {
  int numbers[5];
  if (!reader.read_record("iiiiir", numbers, &record.acres)) return false;
  record.group = numbers[0];
  record.township = numbers[1];
  record.range = numbers[2];
  record.section = numbers[3];
  record.tract = numbers[4];
  reader.check_range("group", record.group, 1, kGroups);
  reader.check_range("township", record.township, 1, kTownships);
  reader.check_range("range", record.range, 1, kRanges);
  reader.check_range("section", record.section, 1, kSections);
  reader.check_range("tract", record.tract, 1, kTractsPerSection);
  return true;
}

void readauth(FreeReader reader, Tables& tables) {
  tables.total_authorized = 0;
  AuthRecord record;
  while (next_authorized(reader, record)) {
    tables.authgrp[record.group] += record.acres;
    tables.total_authorized += record.acres;
  }
}

void readcoords(FreeReader reader, Tables& tables) {
  int n[4];
  float xy[2];
  while (reader.read_record("iiiirr", n, xy)) {
    reader.check_range("township", n[0], 1, kTownships);
    reader.check_range("range", n[1], 1, kRanges);
    reader.check_range("section", n[2], 1, kSections);
    reader.check_range("tract", n[3], 1, kTractsPerSection);
    const int tract = tract_index(n[0], n[1], n[2], n[3]);
    tables.xcoord[tract] = xy[0];
    tables.ycoord[tract] = xy[1];
  }
}

}  // namespace membrelv2
