// Evaluation of piecewise-linear curves; see curve.h for the design note.
#include "plant/curve.h"

#include <cstring>

#include "plant/plant_state.h"
#include "plant/saturate.h"

namespace plant {
namespace {

double ReadF64(const uint8_t* at) {
  double value;
  std::memcpy(&value, at, sizeof value);
  return value;
}

// Folds x back over the repeated section. The count of periods is clamped in double arithmetic
// before it becomes an integer, so a huge or NaN quotient saturates instead of being undefined;
// for every quotient that fits 32 bits the result is the plain truncation clamped to maxRepeats.
double FoldRepeats(const CurveTableHead& head, double x) {
  if (head.maxRepeats == 0.0 || !(x > head.repeatStart)) {
    return x;
  }
  const double period = head.repeatEnd - head.repeatStart;
  uint32_t periods = SaturateToU32((x - head.repeatStart) / period);
  if (periods > head.maxRepeats) {
    periods = SaturateToU32(head.maxRepeats);
  }
  return x - periods * period;
}

}  // namespace

CurveRef ToCurveRef(const CompactCurveRef& compact) {
  CurveRef ref{};
  ref.tableOffset = compact.tableOffset;
  ref.xScale = static_cast<double>(compact.xScale);
  ref.yScale = static_cast<double>(compact.yScale);
  return ref;
}

double EvaluateCurve(const uint8_t* record, const CurveRef& ref, double x) {
  const uint8_t* table = record + ref.tableOffset;
  CurveTableHead head;
  std::memcpy(&head, table, sizeof head);
  const uint8_t* points = table + sizeof(CurveTableHead);
  const uint32_t count = SaturateToU32(head.count);

  x = FoldRepeats(head, x / ref.xScale);

  uint32_t i = 0;
  while (i < count && !(ReadF64(points + i * kCurvePointSize) >= x)) {
    ++i;
  }
  uint32_t lo = 0;
  uint32_t hi = 0;
  if (i == count) {
    lo = hi = count - 1;
  } else if (i != 0) {
    lo = i - 1;
    hi = i;
  }
  const double xLo = ReadF64(points + lo * kCurvePointSize);
  const double yLo = ReadF64(points + lo * kCurvePointSize + 8);
  const double xHi = ReadF64(points + hi * kCurvePointSize);
  const double yHi = ReadF64(points + hi * kCurvePointSize + 8);
  const double slope = (xLo == xHi) ? 0.0 : (yHi - yLo) / (xHi - xLo);
  return ((x - xLo) * slope + yLo) * ref.yScale;
}

double EvaluateCurve(const CurveRef& ref, double x) {
  return EvaluateCurve(CurrentPlant().record.get(), ref, x);
}

}  // namespace plant
