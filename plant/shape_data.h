// Renderer data inside the plant record: shape tables, shape entries with their vertices and
// faces, materials, colour gradients and colour stops. All of it is read in place through
// record-relative offsets; the validator has checked every reachable record before use (inside
// the record and outside the fixed fields, 4-aligned, counts within the record's maxima, vertex
// numbers below the entry's vertex count, palette bytes at most 0x83).
#pragma once

#include <cstddef>
#include <cstdint>

#include "plant/curve.h"

namespace plant {

/// ShapeTable head (72 bytes), followed by stageCount x variantCount i32 entry offsets (entry of
/// (stage, variant) at stage + variant x stageCount) and then the colour grid: u32 cells, row after
/// row, gridRowLength cells per row; cell >> 8 is the first weight, cell & 0xFF the second.
/// off  size  field
///   0     4  stageCount S (columns); 0 = nodes of this type are not drawn
///   4     4  variantCount V (rows)
///   8     4  gridRowLength G
///  12     4  gridRowCount: not read by the renderer; the species builder stores the row count here
///  16     4  thresholdA TA
///  20     4  thresholdB TB
///  24    12  stageCurve, age -> stage
///  36    12  variantCurve, waterState -> variant
///  48    12  facingLightCurve, facing value -> light term
///  60    12  edgeLightCurve, s x the node's length -> edge light term
struct ShapeTable {
  uint32_t stageCount;
  uint32_t variantCount;
  uint32_t gridRowLength;
  uint32_t gridRowCount;
  uint32_t thresholdA;
  uint32_t thresholdB;
  CompactCurveRef stageCurve;
  CompactCurveRef variantCurve;
  CompactCurveRef facingLightCurve;
  CompactCurveRef edgeLightCurve;
};

static_assert(sizeof(ShapeTable) == 72);
static_assert(offsetof(ShapeTable, stageCount) == 0);
static_assert(offsetof(ShapeTable, variantCount) == 4);
static_assert(offsetof(ShapeTable, gridRowLength) == 8);
static_assert(offsetof(ShapeTable, gridRowCount) == 12);
static_assert(offsetof(ShapeTable, thresholdA) == 16);
static_assert(offsetof(ShapeTable, thresholdB) == 20);
static_assert(offsetof(ShapeTable, stageCurve) == 24);
static_assert(offsetof(ShapeTable, variantCurve) == 36);
static_assert(offsetof(ShapeTable, facingLightCurve) == 48);
static_assert(offsetof(ShapeTable, edgeLightCurve) == 60);

/// ShapeEntry head (16 bytes), followed by faceCount faces one after another.
/// off  size  field
///   0     4  denominator D; a vertex coordinate is multiplied by the node's size / D
///   4     4  vertexCount NV
///   8     4  vertexListOffset, record offset of NV ShapeVertex records
///  12     4  faceCount NF
struct ShapeEntry {
  uint32_t denominator;
  uint32_t vertexCount;
  int32_t vertexListOffset;
  uint32_t faceCount;
};

static_assert(sizeof(ShapeEntry) == 16);
static_assert(offsetof(ShapeEntry, vertexCount) == 4);
static_assert(offsetof(ShapeEntry, vertexListOffset) == 8);
static_assert(offsetof(ShapeEntry, faceCount) == 12);

/// Face head (8 bytes), followed by indexCount u32 index words: bits 0-27 a vertex number of the
/// entry, bits 28-31 the flag of the edge ending at this corner (1 line, 2 corner pixel).
/// off  size  field
///   0     4  materialOffset, record offset of the face's Material
///   4     4  indexCount NI
struct ShapeFace {
  int32_t materialOffset;
  uint32_t indexCount;
};

static_assert(sizeof(ShapeFace) == 8);
static_assert(offsetof(ShapeFace, indexCount) == 4);

constexpr uint32_t kVertexIndexMask = 0x0FFFFFFF;
constexpr uint32_t kEdgeFlagShift = 28;
constexpr uint32_t kEdgeLine = 1;
constexpr uint32_t kEdgePixel = 2;

/// Vertex of a shape entry (12 bytes): x, y, z as i32, in units of size / D along X, Y, Z.
struct ShapeVertex {
  int32_t x;
  int32_t y;
  int32_t z;
};

static_assert(sizeof(ShapeVertex) == 12);

/// Material (72 bytes); every gradient field is a record offset of a ColorGradient.
/// off  size  field
///   0     4  fillFront          4  4  fillBack
///   8     4  fillBelowA        12  4  fillAtOrAboveA
///  16     4  fillBelowB        20  4  fillAtOrAboveB
///  24     4  edgeFront         28  4  edgeBack
///  32     4  edgeBelowA        36  4  edgeAtOrAboveA
///  40     4  edgeBelowB        44  4  edgeAtOrAboveB
///  48    12  curveA, waterState -> grid column coordinate
///  60    12  curveB, fertiliserState -> grid row coordinate
struct Material {
  int32_t gradients[12];
  CompactCurveRef curveA;
  CompactCurveRef curveB;
};

constexpr uint32_t kMaterialGradientCount = 12;

static_assert(sizeof(Material) == 72);
static_assert(offsetof(Material, curveA) == 48);
static_assert(offsetof(Material, curveB) == 60);

/// ColorGradient head (16 bytes), followed by stopCount i32 record offsets of ColourStops.
/// off  size  field
///   0     4  stopCount n (at least 1)
///   4    12  positionCurve, position -> fractional stop index
struct ColorGradient {
  int32_t stopCount;
  CompactCurveRef positionCurve;
};

static_assert(sizeof(ColorGradient) == 16);
static_assert(offsetof(ColorGradient, positionCurve) == 4);

/// Colour stop (4 bytes): weight, blue, green, red. A byte 0 of kPaletteFirst..kPaletteLast
/// takes the colour from the record's slot at kColourSlotBase + 4 x byte 0.
struct ColourStop {
  uint8_t weight;
  uint8_t blue;
  uint8_t green;
  uint8_t red;
};

static_assert(sizeof(ColourStop) == 4);

constexpr uint8_t kPaletteFirst = 0x80;
constexpr uint8_t kPaletteLast = 0x83;

}  // namespace plant
