// WKT files read and checked as far as their brackets, copied unchanged into .prj sidecars.
#include "gridkit/exports/prj.h"

#include <cctype>
#include <filesystem>

#include "gridkit/common.h"
#include "gridkit/grid.h"
#include "gridkit/readers/gridfile.h"
#include "utl/safe_output.h"

namespace gridkit {
namespace {

bool is_blank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string_view trimmed(std::string_view text) {
  while (!text.empty() && is_blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && is_blank(text.back())) text.remove_suffix(1);
  return text;
}

// Whether `text` is a keyword followed by one bracketed body (square or round brackets, as
// WKT allows both), with brackets outside quoted names balanced.
bool looks_like_wkt(std::string_view text) {
  std::size_t at = 0;
  while (at < text.size() &&
         (std::isalnum(static_cast<unsigned char>(text[at])) || text[at] == '_')) {
    ++at;
  }
  if (at == 0 || at == text.size() || (text[at] != '[' && text[at] != '(')) return false;
  int depth = 0;
  bool quoted = false;
  for (; at < text.size(); ++at) {
    const char c = text[at];
    if (c == '"') quoted = !quoted;
    if (quoted) continue;
    if (c == '[' || c == '(') ++depth;
    if (c == ']' || c == ')') --depth;
    if (depth == 0) return at + 1 == text.size();
  }
  return false;
}

}  // namespace

std::string read_wkt(const std::string& path) {
  std::string contents;
  read_input_file(path, contents);
  const std::string_view wkt = trimmed(contents);
  if (!looks_like_wkt(wkt)) {
    throw Failure(path +
                  " holds no WKT coordinate system (a keyword such as PROJCS or "
                  "PROJCRS and its bracketed definition)");
  }
  return std::string(wkt);
}

std::string prj_path(const std::string& asc_path) {
  return std::filesystem::path(asc_path).replace_extension(".prj").string();
}

void write_asc_files(const std::string& asc_path, std::string_view asc,
                     const std::optional<std::string>& wkt_file) {
  std::optional<std::string> wkt;
  if (wkt_file) wkt = read_wkt(*wkt_file);
  // Both files are written whole before either replaces an earlier one.
  utl::SafeOutput grid(asc_path);
  if (!grid.ok()) throw Failure("cannot create " + asc_path);
  if (!grid.write(asc)) throw Failure("cannot write " + asc_path);
  if (wkt) {
    const std::string sidecar = prj_path(asc_path);
    if (sidecar == asc_path)
      throw Failure("the ASCII grid " + asc_path + " needs another extension");
    utl::SafeOutput prj(sidecar);
    if (!prj.ok()) throw Failure("cannot create " + sidecar);
    if (!prj.write(*wkt) || !prj.commit()) throw Failure("cannot write " + sidecar);
  }
  if (!grid.commit()) throw Failure("cannot write " + asc_path);
}

}  // namespace gridkit
