// The impact report page, built line by line in memory.
#include "tallisk/report.h"

#include <charconv>
#include <cmath>

#include "utl/fields.h"

namespace tallisk {
namespace {

// Impact of column k (0 to 3) at point j; the mound column counts what run d lacks.
double impact(const std::array<Volumes, kRuns>& runs, int j, int k) {
  if (k == 3) return runs[kBase][j] - runs[kRunD][j];
  return runs[kRunA + k][j] - runs[kBase][j];
}

void add_number_line(std::string& page, const char* open, double x, const char* close) {
  page += open;
  page += number_field(x);
  page += close;
  page += '\n';
}

void add_row(std::string& page, const ImpactRow& row, const char* open, const char* close) {
  for (const double x : row) add_number_line(page, open, x, close);
}

}  // namespace

Impacts compute_impacts(const AccountList& list, const std::array<Volumes, kRuns>& runs) {
  // Sums of the exact impacts, rounded only when written.
  Impacts impacts;
  for (int j = 0; j < list.count; ++j) {
    const bool mainstem = is_mainstem(list.names[j]);
    for (int k = 0; k < kImpacts; ++k) {
      const double x = impact(runs, j, k);
      impacts.points[j][k] = x;
      if (mainstem) impacts.mainstem[k] = impacts.mainstem[k] + x;
      impacts.total[k] = impacts.total[k] + x;
    }
  }
  return impacts;
}

bool is_mainstem(const std::array<char, kNameLength>& name) { return name[0] == '*'; }

std::string_view shown_name(const std::array<char, kNameLength>& name) {
  const std::string_view text(name.data(), name.size());
  return text.substr(1, static_cast<std::size_t>(utl::length(text)) - 1);
}

std::optional<std::int32_t> irep(double x) {
  if (std::fabs(x) < 10.0) return 0;
  const double whole = x > 0.0 ? std::trunc(x + 0.5) : std::trunc(x - 0.5);
  // NaN fails both comparisons.
  if (!(whole >= -2147483648.0 && whole <= 2147483647.0)) return std::nullopt;
  return static_cast<std::int32_t>(whole);
}

std::string number_field(double x) {
  const std::optional<std::int32_t> value = irep(x);
  std::string field(kNumberWidth, '*');
  if (!value) return field;
  char digits[16];
  const auto [end, ec] = std::to_chars(digits, digits + sizeof digits, *value);
  const std::size_t size = static_cast<std::size_t>(end - digits);
  if (ec != std::errc() || size > field.size()) return field;
  field.assign(field.size() - size, ' ');
  field.append(digits, size);
  return field;
}

std::string report_page(std::string_view year, const AccountList& list,
                        const std::array<Volumes, kRuns>& runs) {
  std::string page;
  page += "<html>\n";
  page += "<head><title>Impacts ";
  page += year;
  page += "</title></head>\n";
  page += "<body bgcolor=\"#FFFFFF\">\n";
  page += "<table border>\n";
  page += "<tr><th align=center colspan=5><font size=\"+4\">Impacts ";
  page += year;
  page += " (acre-feet)</font></th></tr>\n";
  page +=
      "<tr align=\"center\"><th>Location</th><th>Colorado<br>Pumping</th>"
      "<th>Kansas<br>Pumping</th><th>Nebraska<br>Pumping</th><th>Nebraska<br>Mound</th></tr>\n";

  const Impacts impacts = compute_impacts(list, runs);
  for (int j = 0; j < list.count; ++j) {
    page += "<tr align=\"right\"><td align=left>";
    page += shown_name(list.names[j]);
    page += "</td>\n";
    add_row(page, impacts.points[j], "<td>", "</td>");
    page += "</tr>\n";
  }
  page += "<tr align=\"right\"><th align=left>Mainstem</th>\n";
  add_row(page, impacts.mainstem, "<th>", "</th>");
  page += "</tr>\n";
  page += "<tr align=\"right\"><th align=left>Total</th>\n";
  add_row(page, impacts.total, "<th>", "</th>");
  page += "</tr>\n";
  page += "</table>\n";
  page += "</body>\n";
  page += "</html>\n";
  return page;
}

}  // namespace tallisk
