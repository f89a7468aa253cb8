// Making a child node; see child_spawn.h.
#include "plant/child_spawn.h"

#include <cmath>

#include "plant/curve.h"
#include "plant/node_array.h"
#include "plant/node_geometry.h"
#include "plant/random.h"
#include "plant/vec3_math.h"

namespace plant {
namespace {

constexpr double kDegenerateLength = 1e-10;
// The roll's quarter turn, as this decimal and not the exact half of pi: stored species were
// shaped with it.
constexpr double kRollQuarterTurn = 1.570796326795;

double RangeDraw(const double (&range)[2]) { return RandomRange(range[0], range[1]); }

// A birth rate: base spread by a random relative amount within +-spread.
double SpreadRate(double base, double spread) { return (1.0 + RandomRange(-spread, spread)) * base; }

// The child's up direction before its roll: perpendicular to w, from the up reference's Z axis,
// else (w along that Z) from the line between the up reference and the child's would-be
// position, else the up reference's Y axis, which is then perpendicular to w.
Vec3 UpBeforeRoll(const Plant& plant, int32_t parentIndex, const PlantNode& child, const PlantNode& up,
                  const Vec3& w) {
  Vec3 v;
  Vec3Cross(&v, up.axisZ, w);
  if (Vec3Length(v) >= kDegenerateLength) {
    return v;
  }
  const PlantNode& parent = plant.Node(parentIndex);
  Vec3 position;
  Vec3ScaleAxes(&position, child.offset, parent.width, parent.depth, parent.length);
  Vec3Combine(&position, position, parent.axisX, parent.axisY, parent.axisZ);
  Vec3Add(&position, parent.position, position);
  Vec3Cross(&v, *Vec3Sub(&v, position, up.position), w);
  if (Vec3Length(v) >= kDegenerateLength) {
    return v;
  }
  return up.axisY;
}

// Coordinates of world direction d in frame's axes, normalised.
Vec3 InFrame(const Vec3& d, const PlantNode& frame) {
  Vec3 local;
  Vec3Set(&local, Vec3Dot(d, frame.axisX), Vec3Dot(d, frame.axisY), Vec3Dot(d, frame.axisZ));
  Vec3Normalize(&local);
  return local;
}

// Draws the child's angles and stores its growth and up directions in its frameRef's frame.
void OrientChild(Plant& plant, int32_t parentIndex, PlantNode& child, const OrientationDescriptor& d) {
  const PlantNode& directionFrame = plant.Node(SelectAncestor(plant, parentIndex, d.directionSelector));
  const PlantNode& upReference = plant.Node(SelectAncestor(plant, parentIndex, d.upSelector));
  double polar = RangeDraw(d.polarRange);
  double azimuth = RangeDraw(d.azimuthRange);
  double roll = RangeDraw(d.rollRange);
  if (RandomChance(d.polarFlip)) {
    polar = -polar;
  }
  if (RandomChance(d.azimuthFlip)) {
    azimuth = -azimuth;
  }
  if (RandomChance(d.rollFlip)) {
    roll = -roll;
  }
  roll += kRollQuarterTurn;

  Vec3 angles;
  Vec3 w;
  Vec3FromPolar(&angles, *Vec3Set(&w, 1.0, polar, azimuth));
  Vec3Combine(&w, angles, directionFrame.axisX, directionFrame.axisY, directionFrame.axisZ);

  Vec3 v = UpBeforeRoll(plant, parentIndex, child, upReference, w);
  Vec3 u;
  Vec3Cross(&u, v, w);
  Vec3Normalize(&u);
  Vec3Normalize(&v);
  Vec3 rolledU;
  Vec3 rolledV;
  Vec3Add(&v, *Vec3Scale(&rolledU, u, std::cos(roll)), *Vec3Scale(&rolledV, v, std::sin(roll)));

  const PlantNode& frame = plant.Node(child.frameRef);
  child.upLocal = InFrame(v, frame);
  child.directionLocal = InFrame(w, frame);
  // Frames that extreme curves have made infinite, no number or skewed give directions from
  // which no frame can be made, and a plant holding them would be refused at the next start; the
  // child then grows along its frame reference instead.
  if (!AreUsableLocalDirections(child.upLocal, child.directionLocal)) {
    Vec3Set(&child.upLocal, 0.0, 1.0, 0.0);
    Vec3Set(&child.directionLocal, 0.0, 0.0, 1.0);
  }
}

}  // namespace

int32_t SelectAncestor(const Plant& plant, int32_t parentIndex, AncestorSelector selector) {
  if (selector == 0) {
    return 0;
  }
  int32_t depth = -1;
  int32_t anchors = 0;
  for (int32_t a = parentIndex;; a = plant.Node(a).parent, --depth) {
    if (plant.Node(a).anchor != 0) {
      ++anchors;
    }
    if (selector == depth || selector == anchors) {
      return a;
    }
    if (a == 0) {
      return 0;
    }
  }
}

bool SpawnChild(Plant& plant, int32_t parentIndex, uint8_t slotIndex) {
  RefreshNodeFrames(plant);
  const uint8_t* record = plant.record.get();
  const NodeKind* parentKind = KindAt(record, plant.Node(parentIndex).kindOffset);
  const ChildSlot& slot = SlotsOf(parentKind)[slotIndex];
  const OrientationDescriptor& d = *DescriptorAt(record, slot.orientationOffset);
  const NodeType& childType = *TypeAt(record, KindAt(record, slot.childKindOffset)->typeOffset);

  PlantNode* added = AddNode(plant, parentIndex, slotIndex);
  if (added == nullptr) {
    return false;
  }
  PlantNode& child = *added;
  const PlantRecord& plantRecord = plant.Record();
  child.kindOffset = slot.childKindOffset;
  child.anchor = d.anchor;
  child.widthFactor = RangeDraw(childType.widthRange);
  child.lengthFactor = RangeDraw(childType.lengthRange);
  child.waterState = EvaluateCurve(record, plantRecord.waterEffectCurve, plantRecord.optimalWater);
  child.fertiliserState = EvaluateCurve(record, plantRecord.fertiliserEffectCurve, plantRecord.optimalFertiliser);
  child.waterFallRate = SpreadRate(childType.waterFallBase, childType.waterSpread);
  child.waterRiseRate = SpreadRate(childType.waterRiseBase, childType.waterSpread);
  child.fertiliserFallRate = SpreadRate(childType.fertiliserFallBase, childType.fertiliserSpread);
  child.fertiliserRiseRate = SpreadRate(childType.fertiliserRiseBase, childType.fertiliserSpread);

  Vec3 polarOffset;
  Vec3FromPolar(&child.offset, *Vec3Set(&polarOffset, d.radius, d.polar, d.azimuth));
  Vec3Scale(&child.offset, child.offset, RangeDraw(d.offsetScaleRange));

  child.frameRef = SelectAncestor(plant, parentIndex, d.frameSelector);
  child.tropismRef = SelectAncestor(plant, parentIndex, d.tropismSelector);
  OrientChild(plant, parentIndex, child, d);
  ComputeNodeFrame(plant, plantRecord.nodeCount - 1);
  return true;
}

}  // namespace plant
