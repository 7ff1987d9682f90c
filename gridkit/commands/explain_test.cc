// HYDMOD files held against the accounting: what fits, and the explanation of what does not.
#include "gridkit/commands/explain.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "utl/records.h"

namespace gridkit {
namespace {

const std::vector<std::string> kLabels = {"SO001060CO_STATELINE", "SO001274LOWER_END",
                                          "HDC001CO_WELL_FIELD"};

// A HYDMOD file of `records` time records a day apart, with the reals `width` bytes wide and
// the count written as a double-precision build writes it (-N) or a single one (N).
std::string hydmod_file(std::size_t records, std::size_t width) {
  std::string out;
  std::string data;
  const auto items = static_cast<std::int32_t>(kLabels.size());
  utl::put_i32le(data, width == 8 ? -items : items);
  utl::put_i32le(data, 4);
  utl::append_record(out, data);
  data = "TIME";
  for (const std::string& label : kLabels) data += (label + std::string(20, ' ')).substr(0, 20);
  utl::append_record(out, data);
  for (std::size_t n = 0; n < records; ++n) {
    data.clear();
    for (std::size_t value = 0; value <= kLabels.size(); ++value) {
      const double real = value == 0 ? static_cast<double>(n) : 1000000.0;
      if (width == 8) {
        utl::put_f64le(data, real);
      } else {
        const auto single = static_cast<float>(real);
        std::uint32_t bits = 0;
        std::memcpy(&bits, &single, sizeof bits);
        utl::put_u32le(data, bits);
      }
    }
    utl::append_record(out, data);
  }
  return out;
}

std::string explain(const std::string& file, const std::vector<WantedLabel>& wanted, bool& fits) {
  return explain_hydmod(file, "1998.sfi", wanted, true, fits);
}

bool has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

TEST(HydmodExplain, TwentyFiveDoubleRecordsWithTheListsLabelsFit) {
  bool fits = false;
  const std::string text =
      explain(hydmod_file(25, 8), {{"Stateline", "+SO001060CO_STATELINE"}}, fits);
  EXPECT_TRUE(fits) << text;
  EXPECT_TRUE(has(text, "1998.sfi: fits the accounting\n")) << text;
  EXPECT_TRUE(has(text, "time records: 25, times 0 to 24\n")) << text;
}

TEST(HydmodExplain, SinglePrecisionSaysWhatToRebuild) {
  bool fits = true;
  const std::string text = explain(hydmod_file(25, 4), {}, fits);
  EXPECT_FALSE(fits);
  EXPECT_TRUE(has(text, "- single precision: the item count is 3")) << text;
  EXPECT_TRUE(has(text, "-fdefault-real-8")) << text;
  // The times still read, in the file's own width.
  EXPECT_TRUE(has(text, "time records: 25, times 0 to 24\n")) << text;
}

TEST(HydmodExplain, TooFewRecordsForTheWindow) {
  bool fits = true;
  // One time step a month: the record at time 0 and 12 more.
  const std::string text = explain(hydmod_file(13, 8), {}, fits);
  EXPECT_FALSE(fits);
  EXPECT_TRUE(has(text, "- too few records: 13 time records (times 0 to 12)")) << text;
}

TEST(HydmodExplain, MoreRecordsThanTheWindowNamesTheTimesCovered) {
  bool fits = true;
  // Three time steps a month: tallisk would integrate January to August only.
  const std::string text = explain(hydmod_file(37, 8), {}, fits);
  EXPECT_FALSE(fits);
  EXPECT_TRUE(has(text, "- more records than the accounting window: 37 time records")) << text;
  EXPECT_TRUE(has(text,
                  "integrates only the first 25, times 0 to 24, and leaves out the rest, "
                  "up to 36"))
      << text;
}

TEST(HydmodExplain, LabelsNotInTheFileWithTheNearestItHas) {
  bool fits = true;
  const std::string text =
      explain(hydmod_file(25, 8),
              {{"Lower end", "+SO005142LOWER_END"}, {"Odd", "*SO001060CO_STATELINE"}}, fits);
  EXPECT_FALSE(fits);
  EXPECT_TRUE(has(text,
                  "- label not in the file: +SO005142LOWER_END of the accounting point "
                  "'Lower end'; nearest labels in the file: SO001274LOWER_END"))
      << text;
  EXPECT_TRUE(has(text, "- not a gage entry: *SO001060CO_STATELINE")) << text;
}

TEST(HydmodExplain, ABrokenFileIsNamedAsSuch) {
  bool fits = true;
  const std::string whole = hydmod_file(25, 8);
  const std::string text = explain(whole.substr(0, whole.size() - 3), {}, fits);
  EXPECT_FALSE(fits);
  EXPECT_TRUE(has(text, "- unreadable: time record 25 is cut short")) << text;
  EXPECT_TRUE(has(explain("", {}, fits), "- unreadable: no count record"));
}

TEST(NearestLabels, ClosestFirstWithoutRepeats) {
  const std::vector<std::string> candidates = {"SO001274LOWER_END", "SO001060CO_STATELINE",
                                               "SO001274LOWER_END", "HDC001CO_WELL_FIELD"};
  const auto nearest = nearest_labels("SO001275LOWER_END", candidates, 2);
  ASSERT_EQ(nearest.size(), 2U);
  EXPECT_EQ(nearest[0], "SO001274LOWER_END");
  EXPECT_EQ(nearest[1], "SO001060CO_STATELINE");
}

}  // namespace
}  // namespace gridkit
