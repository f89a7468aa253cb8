// Node frames, positions and sizes; node_geometry.h explains how they are derived.
#include "plant/node_geometry.h"

#include <cmath>
#include <cstdlib>

#include "plant/curve.h"
#include "plant/species.h"
#include "plant/vec3_math.h"

namespace plant {
namespace {

constexpr double kDegenerateLength = 1e-10;

// The orthonormal basis in which a bend measures angles: I is the rotation axis, J the zero
// direction and K = I x J the quarter turn.
struct BendBasis {
  Vec3 I;
  Vec3 J;
  Vec3 K;
};

// w's component in the XY plane of frame (x, y), turned a quarter turn about that frame's Z; y
// when w points (almost) along the frame's Z and the component vanishes.
Vec3 QuarterTurnInPlane(const Vec3& w, const Vec3& x, const Vec3& y) {
  const double a = Vec3Project(w, x);
  const double b = Vec3Project(w, y);
  Vec3 scaledY;
  Vec3 scaledX;
  Vec3 g;
  Vec3Sub(&g, *Vec3Scale(&scaledY, y, a), *Vec3Scale(&scaledX, x, b));
  if (Vec3Length(g) < kDegenerateLength) {
    g = y;
  }
  return g;
}

BendBasis MakeBasis(const Vec3& axis, const Vec3& zero) {
  BendBasis basis{axis, zero, {}};
  Vec3Cross(&basis.K, basis.I, basis.J);
  Vec3Normalize(&basis.J);
  Vec3Normalize(&basis.K);
  Vec3Normalize(&basis.I);
  return basis;
}

// sin(theta) cos(phi) J + sin(theta) sin(phi) K + along I.
Vec3 FromBasisAngles(const BendBasis& basis, double theta, double phi, double along) {
  Vec3 j;
  Vec3 k;
  Vec3 i;
  Vec3 out;
  Vec3Scale(&j, basis.J, std::sin(theta) * std::cos(phi));
  Vec3Scale(&k, basis.K, std::sin(theta) * std::sin(phi));
  Vec3Scale(&i, basis.I, along);
  return *Vec3Add(&out, *Vec3Add(&out, j, k), i);
}

// Turns v about basis.I by turn radians, keeping its angle to I.
void TurnAboutAxis(Vec3* v, const BendBasis& basis, double turn) {
  const double vJ = Vec3Project(*v, basis.J);
  const double vK = Vec3Project(*v, basis.K);
  const double vI = Vec3Project(*v, basis.I);
  const double psi = std::atan2(vK, vJ) + turn;
  const double thetaV = std::atan2(std::sqrt(vJ * vJ + vK * vK), vI);
  *v = FromBasisAngles(basis, thetaV, psi, vI);
}

// Sets w's angle around basis.I to newPhi(phi) and turns v by the same amount.
template <typename AngleMap>
void BendInBasis(Vec3* w, Vec3* v, const BendBasis& basis, AngleMap newPhi) {
  const double wJ = Vec3Project(*w, basis.J);
  const double wK = Vec3Project(*w, basis.K);
  const double wI = Vec3Project(*w, basis.I);
  const double theta = std::atan2(std::sqrt(wJ * wJ + wK * wK), wI);
  const double phi = std::atan2(wK, wJ);
  const double bentPhi = newPhi(phi);
  *w = FromBasisAngles(basis, theta, bentPhi, wI);
  TurnAboutAxis(v, basis, bentPhi - phi);
}

bool IsUnitDirection(const Vec3& v) { return std::fabs(Vec3Dot(v, v) - 1.0) < 1e-6; }

}  // namespace

bool AreUsableLocalDirections(const Vec3& up, const Vec3& direction) {
  Vec3 normal;
  Vec3Cross(&normal, up, direction);
  // Written so that a NaN fails every test.
  return IsUnitDirection(up) && IsUnitDirection(direction) && Vec3Dot(normal, normal) >= 1e-12;
}

void BendByTropism(Vec3* w, Vec3* v, const PlantNode& reference, int32_t operation, int32_t tropismAxes,
                   double tau) {
  // Plant files hold 0 to 5 here; any other value has no axis to turn about, so the node keeps
  // its unbent direction rather than turning about undefined axes.
  if (tau == 0.0 || operation == kTropismNone || tropismAxes < -5 || tropismAxes > 5) {
    return;
  }
  const Vec3 g = QuarterTurnInPlane(*w, reference.axisX, reference.axisY);
  Vec3 turned;
  Vec3Cross(&turned, g, *w);
  Vec3 axis;
  Vec3 zero;
  switch (std::abs(tropismAxes)) {
    case 0: axis = reference.axisX; zero = reference.axisZ; break;
    case 1: axis = reference.axisY; zero = reference.axisZ; break;
    case 2: axis = reference.axisZ; zero = reference.axisX; break;
    case 3: axis = *w; zero = g; break;
    case 4: axis = turned; zero = g; break;
    default: axis = g; zero = reference.axisZ; break;
  }
  if (operation == kTropismReversed) {
    Vec3Scale(&zero, zero, -1.0);
  }
  BendInBasis(w, v, MakeBasis(axis, zero), [operation, tau](double phi) {
    switch (operation) {
      case kTropismAdd: return phi + tau;
      case kTropismMultiply: return phi * tau;
      case kTropismSet: return tau;
      default: return phi;
    }
  });
}

void BendByDroop(Vec3* w, Vec3* v, const PlantNode& root, double delta) {
  if (delta == 1.0) {
    return;
  }
  const Vec3 g = QuarterTurnInPlane(*w, root.axisX, root.axisY);
  Vec3 down;
  Vec3Scale(&down, root.axisZ, -1.0);
  BendInBasis(w, v, MakeBasis(g, down), [delta](double phi) { return phi * delta; });
}

void ComputeNodeFrame(Plant& plant, int32_t index) {
  const uint8_t* record = plant.record.get();
  PlantNode& node = plant.Node(index);
  const NodeKind* kind = KindAt(record, node.kindOffset);
  const NodeType* type = TypeAt(record, kind->typeOffset);
  const PlantNode& parent = plant.Node(node.parent);
  const PlantNode& frame = plant.Node(node.frameRef);
  const double age = node.age;
  const double waterState = node.waterState;

  const double size = EvaluateCurve(record, type->sizeByA, waterState);
  node.width = EvaluateCurve(record, kind->widthByAge, age) * size * node.widthFactor;
  node.depth = EvaluateCurve(record, kind->depthByAge, age) * size * node.widthFactor;
  node.length = EvaluateCurve(record, kind->lengthByAge, age) * size * node.lengthFactor;

  Vec3 onParent;
  Vec3ScaleAxes(&onParent, node.offset, parent.width, parent.depth, parent.length);
  Vec3Combine(&onParent, onParent, parent.axisX, parent.axisY, parent.axisZ);
  Vec3Add(&node.position, parent.position, onParent);

  const double tau = EvaluateCurve(record, type->tropismByAge, age);
  const double delta = EvaluateCurve(record, type->droopByA, waterState);
  Vec3 v;
  Vec3 w;
  Vec3Combine(&v, node.upLocal, frame.axisX, frame.axisY, frame.axisZ);
  Vec3Combine(&w, node.directionLocal, frame.axisX, frame.axisY, frame.axisZ);
  BendByTropism(&w, &v, plant.Node(node.tropismRef), type->tropismOperation, type->tropismAxes, tau);
  BendByDroop(&w, &v, plant.Node(0), delta);

  Vec3Cross(&node.axisX, v, w);
  Vec3Normalize(&node.axisX);
  node.axisY = v;
  Vec3Normalize(&node.axisY);
  node.axisZ = w;
  Vec3Normalize(&node.axisZ);
}

void RefreshNodeFrames(Plant& plant) {
  const uint32_t stepCount = plant.Record().stepCount;
  if (plant.lastFrameStep == static_cast<int64_t>(stepCount)) {
    return;
  }
  const int32_t nodeCount = plant.Record().nodeCount;
  for (int32_t index = 1; index < nodeCount; ++index) {
    ComputeNodeFrame(plant, index);
  }
  plant.lastFrameStep = stepCount;
}

void ComputeNodeFrame(int32_t index) { ComputeNodeFrame(CurrentPlant(), index); }

void RefreshNodeFrames() { RefreshNodeFrames(CurrentPlant()); }

}  // namespace plant
