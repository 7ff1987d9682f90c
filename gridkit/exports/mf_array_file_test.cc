// Grids as the model's binary array files: the header record and the array, in both widths.
#include "gridkit/exports/mf_array_file.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "gridkit/grid.h"
#include "utl/records.h"

namespace gridkit {
namespace {

Grid sample_grid() {
  Grid grid;
  grid.values.front() = 1.0 / 3.0;  // column 1, row 1
  grid.values[kNcol] = 2.5;         // column 1, row 2
  grid.values.back() = -7.25;       // column 326, row 165
  return grid;
}

float single_at(const char* in) {
  const std::uint32_t bits = utl::get_u32le(in);
  float value = 0.0F;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

TEST(MfArray, DoublePrecisionHeaderThenRowsNorthFirst) {
  ArrayHeader header;
  header.kper = 4;
  const std::string file = encode_array_file(sample_grid(), header, RealWidth::kDouble);
  utl::RecordReader reader(file);
  std::string_view head;
  std::string_view array;
  ASSERT_EQ(reader.next(head), utl::RecordReader::Status::kRecord);
  ASSERT_EQ(reader.next(array), utl::RecordReader::Status::kRecord);
  EXPECT_EQ(reader.remaining(), 0U);
  // KSTP, KPER, PERTIM, TOTIM (8 bytes each), TEXT (16), NCOL, NROW, ILAY.
  ASSERT_EQ(head.size(), 4U + 4U + 8U + 8U + 16U + 12U);
  EXPECT_EQ(utl::get_i32le(head.data()), 1);
  EXPECT_EQ(utl::get_i32le(head.data() + 4), 4);
  EXPECT_EQ(utl::get_f64le(head.data() + 8), 0.0);
  EXPECT_EQ(head.substr(24, 16), "        RECHARGE");
  EXPECT_EQ(utl::get_i32le(head.data() + 40), 326);
  EXPECT_EQ(utl::get_i32le(head.data() + 44), 165);
  EXPECT_EQ(utl::get_i32le(head.data() + 48), 1);
  ASSERT_EQ(array.size(), kCells * 8);
  // Values as they stand, bit for bit.
  EXPECT_EQ(utl::get_f64le(array.data()), 1.0 / 3.0);
  EXPECT_EQ(utl::get_f64le(array.data() + 8 * kNcol), 2.5);
  EXPECT_EQ(utl::get_f64le(array.data() + 8 * (kCells - 1)), -7.25);
  // The model's input of this grid, with its header, has a fixed size.
  EXPECT_EQ(file.size(), 8U + 52U + 8U + 430320U);
}

TEST(MfArray, SinglePrecisionForASingleBuild) {
  const std::string file = encode_array_file(sample_grid(), ArrayHeader{}, RealWidth::kSingle);
  utl::RecordReader reader(file);
  std::string_view head;
  std::string_view array;
  ASSERT_EQ(reader.next(head), utl::RecordReader::Status::kRecord);
  ASSERT_EQ(reader.next(array), utl::RecordReader::Status::kRecord);
  EXPECT_EQ(head.size(), 4U + 4U + 4U + 4U + 16U + 12U);
  EXPECT_EQ(utl::get_i32le(head.data() + 32), 326);
  ASSERT_EQ(array.size(), kCells * 4);
  EXPECT_EQ(single_at(array.data()), static_cast<float>(1.0 / 3.0));
  EXPECT_EQ(single_at(array.data() + 4 * (kCells - 1)), -7.25F);
}

}  // namespace
}  // namespace gridkit
