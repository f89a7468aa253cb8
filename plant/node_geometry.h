// Node geometry: every node's size, world frame and position, derived from its parent and its
// reference ancestors. A node stores only its offset on the parent and two unit directions (up and
// growth) in the frame of its frameRef ancestor, fixed at birth. Each recomputation rebuilds the
// frame from those and the ancestors' current frames, then bends it twice: a tropism about axes of
// the tropismRef ancestor and a droop toward node 0's downward Z. The bends start afresh from the
// stored directions every time, so they never accumulate: a drooping node straightens again when
// its water state recovers.
//
// Every reference is an ancestor and ancestors have lower indices, so recomputing in index order
// always finds the references up to date. Node 0 defines the world frame and is never recomputed.
#pragma once

#include <cstdint>

#include "plant/plant_node.h"
#include "plant/plant_state.h"
#include "plant/vec3.h"

namespace plant {

/// True when up and direction, a node's upLocal and directionLocal, can give it a frame: both of
/// unit length (the square within 1e-6 of 1) and not parallel (the square of their cross product
/// at least 1e-12). The loader refuses a node whose directions fail this, and growth never stores
/// such directions.
[[nodiscard]] bool AreUsableLocalDirections(const Vec3& up, const Vec3& direction);

/// Turns the growth direction w and the up direction v of a node by its tropism: about an axis
/// chosen by tropismAxes (0 to 5, sign ignored) from the reference frame axes of node reference,
/// adding tau to (operation 1), multiplying by tau (2) or setting to tau (3) the angle of w around
/// that axis; v turns by the same angle. Operation 0, tau 0 and axes outside -5..5 leave both
/// untouched. Requires: w and v are not zero; reference's axes are orthonormal.
void BendByTropism(Vec3* w, Vec3* v, const PlantNode& reference, int32_t operation, int32_t tropismAxes,
                   double tau);

/// Turns w (and v with it) in the vertical plane that holds w, multiplying its angle from node 0's
/// downward Z (root's -axisZ) by delta: 1 keeps it, 0 hangs it straight down, above 1 lifts it.
/// Requires: w and v are not zero; root's axes are orthonormal.
void BendByDroop(Vec3* w, Vec3* v, const PlantNode& root, double delta);

/// Recomputes width, depth, length, position and axes of node index from its stored fields, its
/// kind's and type's curves and its parent's, frameRef's, tropismRef's and node 0's frames.
/// Requires: 0 < index < nodeCount; the referenced ancestors are up to date.
void ComputeNodeFrame(Plant& plant, int32_t index);

/// Recomputes every node from 1 up in index order, unless the frames are already those of the
/// plant's current stepCount (plant.lastFrameStep); at most one full pass per step count. A plant
/// just loaded has no refresh yet, so its first call recomputes every frame.
void RefreshNodeFrames(Plant& plant);

/// ComputeNodeFrame and RefreshNodeFrames on the current plant.
void ComputeNodeFrame(int32_t index);
void RefreshNodeFrames();

}  // namespace plant
