// The plant record: the fixed fields every plant file carries at byte offsets 9064 to 10671, and
// the flags and constants that go with them. The species data lies elsewhere in the same record
// and is reached through record-relative offsets (curve.h, species.h, shape_data.h).
//
// A plant file is the record's bytes (recordSize of them) followed by nodeCount nodes of nodeSize
// bytes, little-endian, with no other header. The loaded record is one heap block, and the
// structures below are laid over it in place once the validator has accepted it; offsets in the
// table equal file offsets.
#pragma once

#include <cstddef>
#include <cstdint>

#include "plant/curve.h"
#include "plant/vec3.h"

namespace plant {

/// First byte of the fixed fields; everything before it is free for species data.
constexpr uint32_t kFixedFieldsStart = 9064;
/// First byte after the fixed fields: the smallest possible recordSize.
constexpr uint32_t kFixedFieldsEnd = 10672;
/// Record offset of the four colour slots that gradient stops 0x80..0x83 refer to
/// (slot address = kColourSlotBase + 4 x stop byte 0).
constexpr uint32_t kColourSlotBase = 10112;
/// Bytes of the signature field and the text it must start with, NUL included.
constexpr size_t kSignatureSize = 32;
constexpr char kSignature[] = "Brambeck";
constexpr size_t kCareTipsSize = 512;

/// Bits of PlantRecord::flags; other bits are written back unchanged.
enum PlantFlags : int32_t {
  kShowSnapshot = 0x2,    ///< paint the snapshot into the first picture
  kAutoCare = 0x4,        ///< every step sets the care levels to their optima
  kGrowWhileOff = 0x10,   ///< catch up on the time the program was not running
  kCleanShutdown = 0x20,  ///< set just before the final save of an orderly shutdown
  kDialogShown = 0x40,    ///< the welcome dialog has been dealt with
  kHasLived = 0x80,       ///< a node whose health counts has grown: without one now, the plant is dead
};

/// A colour as stored in the record: weight or palette byte, blue, green, red.
struct StoredColour {
  uint8_t weight;
  uint8_t blue;
  uint8_t green;
  uint8_t red;
};
static_assert(sizeof(StoredColour) == 4);

/// The plant record up to the end of its fixed fields (little-endian; f64 = IEEE double).
/// off    size  field
///     0  9064  speciesArea: free bytes, usable for species data
///  9064     4  recordSize, bytes of the whole record
///  9068     4  nodeSize, bytes of one node
///  9072     4  maxShapeFaces, most faces of any shape entry
///  9076     4  maxShapeVertices, most vertices of any shape entry or face
///  9080     4  nodeCapacity, node slots allocated (set to nodeCount on load)
///  9084     4  nodeCapacityIncrement, slots added when the node array is full
///  9088     8  pixelScale, pixels per plant unit per pixel of screen height
///  9096     8  sizeFactor, size factor of the picture
///  9104     8  anchorX, screen x of the plant's origin, fraction of the screen width
///  9112     8  anchorY, the same, fraction of the screen height
///  9120     4  nodeCount, nodes in the array, node 0 included
///  9124     4  clock, simulated seconds since 1970 (stored 32 bits, read as unsigned)
///  9128     4  secondsPerStep
///  9132     4  dayOfYear, 0-based, 29 February folded onto 28 February
///  9136     4  stepCount (u32)
///  9140     4  reserved
///  9144     8  waterEffect, waterEffectCurve(waterLevel)
///  9152    24  waterUseByCount, x = nodeCount
///  9176    24  waterUseByTemperature, x = temperature
///  9200     8  fertiliserEffect, fertiliserEffectCurve(fertiliserLevel)
///  9208    24  fertiliserUseByCount, x = nodeCount
///  9232    24  seasonCurve, x = dayOfYear
///  9256     8  temperature
///  9264    24  temperatureEffectCurve, x = temperature
///  9288     8  light, 0 to 1
///  9296    24  lightEffectCurve, x = light
///  9320    24  lightDirection (Vec3)
///  9344     8  waterLevel
///  9352     8  fertiliserLevel
///  9360    24  waterEffectCurve, x = water level
///  9384    24  fertiliserEffectCurve, x = fertiliser level
///  9408     8  optimalWater
///  9416     8  optimalFertiliser
///  9424     8  optimalTemperature
///  9432     8  optimalLight
///  9440     8  reserved
///  9448    24  trendChanceByStep, x = stepCount
///  9472     8  brightness, percent / 100 - 1
///  9480     4  flags (PlantFlags)
///  9484    20  reserved
///  9504     8  rectLeft, left / screen width
///  9512     8  rectTop, top / screen height
///  9520     8  rectRight, right / screen width
///  9528     8  rectBottom, bottom / screen height
///  9536     8  minWidth, units of 1024 pixels
///  9544     8  maxWidth
///  9552     8  minHeight, units of 768 pixels
///  9560     8  maxHeight
///  9568    32  reserved
///  9600   512  careTips, NUL-terminated
/// 10112   512  reserved
/// 10624     4  potColour
/// 10628     4  saucerColour
/// 10632     4  defaultPotColour
/// 10636     4  defaultSaucerColour
/// 10640    32  signature, "Brambeck" and a NUL, the rest unspecified
struct PlantRecord {
  uint8_t speciesArea[9064];
  int32_t recordSize;
  int32_t nodeSize;
  int32_t maxShapeFaces;
  int32_t maxShapeVertices;
  int32_t nodeCapacity;
  int32_t nodeCapacityIncrement;
  double pixelScale;
  double sizeFactor;
  double anchorX;
  double anchorY;
  int32_t nodeCount;
  int32_t clock;
  int32_t secondsPerStep;
  int32_t dayOfYear;
  uint32_t stepCount;
  uint8_t reserved9140[4];
  double waterEffect;
  CurveRef waterUseByCount;
  CurveRef waterUseByTemperature;
  double fertiliserEffect;
  CurveRef fertiliserUseByCount;
  CurveRef seasonCurve;
  double temperature;
  CurveRef temperatureEffectCurve;
  double light;
  CurveRef lightEffectCurve;
  Vec3 lightDirection;
  double waterLevel;
  double fertiliserLevel;
  CurveRef waterEffectCurve;
  CurveRef fertiliserEffectCurve;
  double optimalWater;
  double optimalFertiliser;
  double optimalTemperature;
  double optimalLight;
  uint8_t reserved9440[8];
  CurveRef trendChanceByStep;
  double brightness;
  int32_t flags;
  uint8_t reserved9484[20];
  double rectLeft;
  double rectTop;
  double rectRight;
  double rectBottom;
  double minWidth;
  double maxWidth;
  double minHeight;
  double maxHeight;
  uint8_t reserved9568[32];
  char careTips[512];
  uint8_t reserved10112[512];
  StoredColour potColour;
  StoredColour saucerColour;
  StoredColour defaultPotColour;
  StoredColour defaultSaucerColour;
  char signature[32];
};

static_assert(sizeof(PlantRecord) == kFixedFieldsEnd);
static_assert(offsetof(PlantRecord, recordSize) == 9064);
static_assert(offsetof(PlantRecord, nodeSize) == 9068);
static_assert(offsetof(PlantRecord, maxShapeFaces) == 9072);
static_assert(offsetof(PlantRecord, maxShapeVertices) == 9076);
static_assert(offsetof(PlantRecord, nodeCapacity) == 9080);
static_assert(offsetof(PlantRecord, nodeCapacityIncrement) == 9084);
static_assert(offsetof(PlantRecord, pixelScale) == 9088);
static_assert(offsetof(PlantRecord, sizeFactor) == 9096);
static_assert(offsetof(PlantRecord, anchorX) == 9104);
static_assert(offsetof(PlantRecord, anchorY) == 9112);
static_assert(offsetof(PlantRecord, nodeCount) == 9120);
static_assert(offsetof(PlantRecord, clock) == 9124);
static_assert(offsetof(PlantRecord, secondsPerStep) == 9128);
static_assert(offsetof(PlantRecord, dayOfYear) == 9132);
static_assert(offsetof(PlantRecord, stepCount) == 9136);
static_assert(offsetof(PlantRecord, reserved9140) == 9140);
static_assert(offsetof(PlantRecord, waterEffect) == 9144);
static_assert(offsetof(PlantRecord, waterUseByCount) == 9152);
static_assert(offsetof(PlantRecord, waterUseByTemperature) == 9176);
static_assert(offsetof(PlantRecord, fertiliserEffect) == 9200);
static_assert(offsetof(PlantRecord, fertiliserUseByCount) == 9208);
static_assert(offsetof(PlantRecord, seasonCurve) == 9232);
static_assert(offsetof(PlantRecord, temperature) == 9256);
static_assert(offsetof(PlantRecord, temperatureEffectCurve) == 9264);
static_assert(offsetof(PlantRecord, light) == 9288);
static_assert(offsetof(PlantRecord, lightEffectCurve) == 9296);
static_assert(offsetof(PlantRecord, lightDirection) == 9320);
static_assert(offsetof(PlantRecord, waterLevel) == 9344);
static_assert(offsetof(PlantRecord, fertiliserLevel) == 9352);
static_assert(offsetof(PlantRecord, waterEffectCurve) == 9360);
static_assert(offsetof(PlantRecord, fertiliserEffectCurve) == 9384);
static_assert(offsetof(PlantRecord, optimalWater) == 9408);
static_assert(offsetof(PlantRecord, optimalFertiliser) == 9416);
static_assert(offsetof(PlantRecord, optimalTemperature) == 9424);
static_assert(offsetof(PlantRecord, optimalLight) == 9432);
static_assert(offsetof(PlantRecord, reserved9440) == 9440);
static_assert(offsetof(PlantRecord, trendChanceByStep) == 9448);
static_assert(offsetof(PlantRecord, brightness) == 9472);
static_assert(offsetof(PlantRecord, flags) == 9480);
static_assert(offsetof(PlantRecord, reserved9484) == 9484);
static_assert(offsetof(PlantRecord, rectLeft) == 9504);
static_assert(offsetof(PlantRecord, rectTop) == 9512);
static_assert(offsetof(PlantRecord, rectRight) == 9520);
static_assert(offsetof(PlantRecord, rectBottom) == 9528);
static_assert(offsetof(PlantRecord, minWidth) == 9536);
static_assert(offsetof(PlantRecord, maxWidth) == 9544);
static_assert(offsetof(PlantRecord, minHeight) == 9552);
static_assert(offsetof(PlantRecord, maxHeight) == 9560);
static_assert(offsetof(PlantRecord, reserved9568) == 9568);
static_assert(offsetof(PlantRecord, careTips) == 9600);
static_assert(offsetof(PlantRecord, reserved10112) == kColourSlotBase);
static_assert(offsetof(PlantRecord, potColour) == 10624);
static_assert(offsetof(PlantRecord, saucerColour) == 10628);
static_assert(offsetof(PlantRecord, defaultPotColour) == 10632);
static_assert(offsetof(PlantRecord, defaultSaucerColour) == 10636);
static_assert(offsetof(PlantRecord, signature) == 10640);
static_assert(kColourSlotBase + 4 * 0x80 == offsetof(PlantRecord, potColour));
static_assert(kColourSlotBase + 4 * 0x83 == offsetof(PlantRecord, defaultSaucerColour));

}  // namespace plant
