// Piecewise-linear curves of the plant model: the two reference forms stored in the plant file,
// the table they point at, and their evaluation.
//
// Design: every tunable of a species is a table of (x, y) points inside the plant record, reached by
// a record-relative byte offset and read in place. Evaluation divides x by the reference's x scale,
// folds x back over an optional repeated section, interpolates linearly between the neighbouring
// points (constant beyond either end) and multiplies by the y scale. It is called dozens of times
// per node per step, so it allocates nothing and checks nothing: the plant validator has proved at
// load that every reachable table lies inside the record, holds at least one point, has finite
// ascending x values and a positive repeat period, and that every x scale is non-zero.
#pragma once

#include <cstddef>
#include <cstdint>

namespace plant {

/// 24-byte curve reference inside the record or a record-resident species record.
/// off  size  field
///   0     4  tableOffset, record-relative byte offset of a CurveTable
///   4     4  reserved, not read
///   8     8  xScale, the argument is divided by it
///  16     8  yScale, the table's value is multiplied by it
struct CurveRef {
  int32_t tableOffset;
  uint8_t reserved[4];
  double xScale;
  double yScale;
};

static_assert(sizeof(CurveRef) == 24);
static_assert(offsetof(CurveRef, tableOffset) == 0);
static_assert(offsetof(CurveRef, reserved) == 4);
static_assert(offsetof(CurveRef, xScale) == 8);
static_assert(offsetof(CurveRef, yScale) == 16);

/// 12-byte curve reference used by shape tables, materials and gradients; its scales are integers.
/// off  size  field
///   0     4  tableOffset, record-relative byte offset of a CurveTable
///   4     4  xScale (u32)
///   8     4  yScale (u32)
struct CompactCurveRef {
  int32_t tableOffset;
  uint32_t xScale;
  uint32_t yScale;
};

static_assert(sizeof(CompactCurveRef) == 12);
static_assert(offsetof(CompactCurveRef, tableOffset) == 0);
static_assert(offsetof(CompactCurveRef, xScale) == 4);
static_assert(offsetof(CompactCurveRef, yScale) == 8);

/// Head of a curve table; count point pairs (x, y), all f64, follow it.
/// off  size  field
///   0     8  count, number of points, used truncated
///   8     8  maxRepeats, 0 = no repetition, else the most periods folded back
///  16     8  repeatStart, start of the repeated section (unscaled x)
///  24     8  repeatEnd, end of the repeated section
///  32  16*n  points (x, y), x ascending
struct CurveTableHead {
  double count;
  double maxRepeats;
  double repeatStart;
  double repeatEnd;
};

static_assert(sizeof(CurveTableHead) == 32);
static_assert(offsetof(CurveTableHead, maxRepeats) == 8);
static_assert(offsetof(CurveTableHead, repeatStart) == 16);
static_assert(offsetof(CurveTableHead, repeatEnd) == 24);

constexpr uint32_t kCurvePointSize = 16;

/// Byte size of a table of pointCount points.
[[nodiscard]] constexpr uint64_t CurveTableSize(uint64_t pointCount) {
  return sizeof(CurveTableHead) + pointCount * kCurvePointSize;
}

/// The 24-byte form of a compact reference: the scales converted to doubles.
[[nodiscard]] CurveRef ToCurveRef(const CompactCurveRef& compact);

/// Value at x of the curve ref points at, with ref's table resolved against record.
/// Requires: record holds a validated plant record (see the design note above).
[[nodiscard]] double EvaluateCurve(const uint8_t* record, const CurveRef& ref, double x);

/// EvaluateCurve against the current plant's record.
[[nodiscard]] double EvaluateCurve(const CurveRef& ref, double x);

}  // namespace plant
