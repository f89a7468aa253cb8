// The plant validator: one pass over a loaded plant file that proves every later read stays inside
// the loaded bytes, so the simulation, the geometry and the renderer can read species data and
// nodes without checks of their own. A file that fails any check is refused as a whole.
//
// What it accepts is at least everything growth can make from an accepted file: a plant that
// grew is never refused at the next start.
//
// What it checks: the sizes and counts of the fixed fields against caps and against each other;
// every f64 of the species records, of node 0 and of the fixed fields is finite, except the pot's
// levels and effects, which growth computes; every curve
// reachable from the record, the kinds, slots, types, shape tables, materials and gradients has a
// table inside the record and outside the fixed fields with 1 to kMaxCurvePoints points, ascending
// finite x values, a positive repeat period when it repeats, and a non-zero x scale; every kind,
// type, descriptor, shape table, entry, face, material, gradient and colour stop reachable from a
// node lies inside the record, outside the fixed fields, aligned for in-place reading, with listed
// enum values, vertex numbers below its entry's count and counts within the record's maxima; node
// 0 is the root; every other node has an earlier parent, a slot of its parent's kind, frame and
// tropism references to ancestors, finite states, trends of -1, 0 or 1, local directions that can
// give it a frame, and counters that agree with the array. Its other numbers (age, size factors,
// rates, offset and the derived size, frame and position) may be infinite or no number, as
// growth can make them from extreme curves.
#pragma once

#include <cstdint>
#include <string>

namespace plant {

constexpr uint32_t kMaxRecordSize = 16u << 20;
constexpr uint32_t kMaxNodeSize = 4096;
constexpr int32_t kMaxCapacityIncrement = 1 << 16;
constexpr int32_t kMaxShapeLimit = 1 << 16;
constexpr uint32_t kMaxCurvePoints = 1 << 16;
constexpr int32_t kMaxGradientStops = 1 << 16;

/// Checks the fields that size the rest of the file: recordSize, the signature, nodeSize,
/// nodeCount, nodeCapacityIncrement, secondsPerStep and the shape maxima. head holds the first
/// kFixedFieldsEnd bytes of the file. On failure returns false and says why in *why.
[[nodiscard]] bool CheckRecordHead(const uint8_t* head, std::string* why);

/// Full check of a record (recordSize bytes, head already accepted by CheckRecordHead) and its
/// nodeCount nodes. Borrows both blocks for the call only. On failure returns false and says
/// what and where in *why.
[[nodiscard]] bool ValidatePlant(const uint8_t* record, const uint8_t* nodes, std::string* why);

}  // namespace plant
