// Curve evaluation against values worked out by hand: interpolation, the ends of the table,
// vertical steps, repetition and the two scales. Points are dyadic, so results are exact.
#include "plant/curve.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

struct Table {
  std::vector<double> points;  // x0, y0, x1, y1, ...
  double maxRepeats = 0.0;
  double repeatStart = 0.0;
  double repeatEnd = 0.0;
};

// Lays tables out one after another in a record-like block and hands out references to them.
class CurveBlock {
 public:
  plant::CurveRef Add(const Table& table, double xScale = 1.0, double yScale = 1.0) {
    const int32_t offset = static_cast<int32_t>(bytes_.size());
    std::vector<double> values{static_cast<double>(table.points.size() / 2), table.maxRepeats,
                               table.repeatStart, table.repeatEnd};
    values.insert(values.end(), table.points.begin(), table.points.end());
    bytes_.resize(bytes_.size() + values.size() * sizeof(double));
    std::memcpy(bytes_.data() + offset, values.data(), values.size() * sizeof(double));
    plant::CurveRef ref{};
    ref.tableOffset = offset;
    ref.xScale = xScale;
    ref.yScale = yScale;
    return ref;
  }
  double At(const plant::CurveRef& ref, double x) const {
    return plant::EvaluateCurve(bytes_.data(), ref, x);
  }

 private:
  std::vector<uint8_t> bytes_ = std::vector<uint8_t>(64, 0);  // offset 0 is never a table here
};

TEST(CurveInterpolation, LinearBetweenPointsAndFlatBeyondTheEnds) {
  CurveBlock block;
  const auto ramp = block.Add({{0.0, 0.0, 10.0, 100.0}});
  EXPECT_EQ(block.At(ramp, 2.5), 25.0);
  EXPECT_EQ(block.At(ramp, -3.0), 0.0);
  EXPECT_EQ(block.At(ramp, 12.0), 100.0);
  const auto bend = block.Add({{1.0, 4.0, 3.0, 0.0, 7.0, 2.0}});
  EXPECT_EQ(block.At(bend, 2.0), 2.0);
  EXPECT_EQ(block.At(bend, 5.0), 1.0);
  EXPECT_EQ(block.At(bend, 0.0), 4.0);  // before the first point: the first y
  EXPECT_EQ(block.At(bend, 9.0), 2.0);  // after the last point: the last y
}

TEST(CurveInterpolation, ExactlyOnAPointGivesItsY) {
  CurveBlock block;
  const auto bend = block.Add({{1.0, 4.0, 3.0, 0.0, 7.0, 2.0}});
  EXPECT_EQ(block.At(bend, 1.0), 4.0);
  EXPECT_EQ(block.At(bend, 3.0), 0.0);
  EXPECT_EQ(block.At(bend, 7.0), 2.0);
}

TEST(CurveInterpolation, OnePointIsAConstant) {
  CurveBlock block;
  const auto constant = block.Add({{5.0, 0.75}});
  for (const double x : {-1e9, 0.0, 5.0, 6.0, 1e9}) {
    EXPECT_EQ(block.At(constant, x), 0.75) << x;
  }
}

TEST(CurveInterpolation, VerticalStepTakesTheEarlierYOnTheStep) {
  CurveBlock block;
  const auto step = block.Add({{0.0, 0.0, 4.0, 1.0, 4.0, 2.0, 8.0, 2.0}});
  EXPECT_EQ(block.At(step, 4.0), 1.0);
  EXPECT_EQ(block.At(step, 4.5), 2.0);
  EXPECT_EQ(block.At(step, 2.0), 0.5);
}

TEST(CurveRepetition, FoldsAtMostMaxRepeatsPeriods) {
  CurveBlock block;
  // Identity on 0..40, period 10 from 0: the value shows where x was folded to.
  const auto twice = block.Add({{0.0, 0.0, 40.0, 40.0}, 2.0, 0.0, 10.0});
  EXPECT_EQ(block.At(twice, 25.0), 5.0);   // two periods back
  EXPECT_EQ(block.At(twice, 35.0), 15.0);  // k = 3 is clamped to 2
  EXPECT_EQ(block.At(twice, 7.0), 7.0);
  EXPECT_EQ(block.At(twice, 0.0), 0.0);  // not above repeatStart: no fold
  const auto never = block.Add({{0.0, 0.0, 40.0, 40.0}, 0.0, 0.0, 10.0});
  EXPECT_EQ(block.At(never, 35.0), 35.0);  // maxRepeats 0 ignores the section
}

TEST(CurveRepetition, SeasonalTableRepeatsEveryYear) {
  CurveBlock block;
  const auto season = block.Add({{0.0, 0.5, 182.5, 1.0, 365.0, 0.5}, 1000.0, 0.0, 365.0});
  for (const double day : {1.0, 100.0, 182.5, 300.0}) {
    EXPECT_EQ(block.At(season, day), block.At(season, day + 365.0)) << day;
    EXPECT_EQ(block.At(season, day), block.At(season, day + 10 * 365.0)) << day;
  }
  EXPECT_DOUBLE_EQ(block.At(season, 365.0 + 91.25), 0.75);
}

TEST(CurveRepetition, HugeArgumentSaturatesInsteadOfOverflowing) {
  CurveBlock block;
  const auto twice = block.Add({{0.0, 0.0, 40.0, 40.0}, 2.0, 0.0, 10.0});
  // (x - 0) / 10 is far beyond 32 bits; the count saturates and is clamped to 2 periods.
  EXPECT_EQ(block.At(twice, 1e300), 40.0);
}

TEST(CurveScales, XScaleWidensAndYScaleMultiplies) {
  CurveBlock block;
  const auto wide = block.Add({{0.0, 0.0, 10.0, 100.0}}, 2.0, 1.0);
  EXPECT_EQ(block.At(wide, 5.0), 25.0);
  EXPECT_EQ(block.At(wide, 20.0), 100.0);
  const auto zero = block.Add({{0.0, 0.0, 10.0, 100.0}}, 1.0, 0.0);
  EXPECT_EQ(block.At(zero, 5.0), 0.0);
  const auto half = block.Add({{0.0, 0.0, 10.0, 100.0}}, 1.0, 0.5);
  EXPECT_EQ(block.At(half, 5.0), 25.0);
  const auto repeatedWide = block.Add({{0.0, 0.0, 40.0, 40.0}, 2.0, 0.0, 10.0}, 2.0, 1.0);
  EXPECT_EQ(block.At(repeatedWide, 50.0), 5.0);  // x / 2 = 25, folded twice
}

TEST(CurveScales, CompactReferenceEqualsItsWideForm) {
  CurveBlock block;
  const auto wide = block.Add({{0.0, 0.0, 10.0, 100.0}}, 4.0, 3.0);
  const plant::CompactCurveRef compact{wide.tableOffset, 4u, 3u};
  const plant::CurveRef converted = plant::ToCurveRef(compact);
  EXPECT_EQ(converted.xScale, 4.0);
  EXPECT_EQ(converted.yScale, 3.0);
  for (const double x : {-1.0, 6.0, 20.0, 50.0}) {
    EXPECT_EQ(block.At(converted, x), block.At(wide, x)) << x;
  }
  EXPECT_EQ(block.At(converted, 20.0), 150.0);
}

}  // namespace
