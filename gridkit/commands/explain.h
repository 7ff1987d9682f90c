// `gridkit explain FILE [--list LIST]`: why a HYDMOD run file does or does not fit tallisk's
// accounting, in the modeller's terms: a file of a single-precision model build, too few time
// records for the 24 integrated ones, more records than the accounting covers (and the times it
// does cover), and accounting labels that the file does not have (with the nearest it has).
// Exit status 0 when the file fits, 1 when it does not, 2 when it cannot be read.
#pragma once

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace gridkit {

// An accounting point's label that the file should hold.
struct WantedLabel {
  std::string point;  // the accounting point's name as the list gives it
  std::string entry;  // the gage entry: a sign and the label
};

// The findings on the HYDMOD file whose bytes are `contents`, one paragraph per finding; the
// first line says whether the file fits. `fits` is set accordingly.
std::string explain_hydmod(std::string_view contents, const std::string& path,
                           const std::vector<WantedLabel>& wanted, bool list_given, bool& fits);

// The labels of `candidates` nearest to `label` by edit distance, at most `count`, nearest first.
std::vector<std::string> nearest_labels(std::string_view label,
                                        const std::vector<std::string>& candidates,
                                        std::size_t count);

// Runs the command: the explanation on `out`; returns 0 when the file fits the accounting, 1 when
// not; throws Failure on trouble, which gridkit's run() reports with status 2.
int run_explain(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace gridkit
