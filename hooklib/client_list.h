// The registered plant windows in the shared block: bottom of the stacking order first, with one
// spare entry behind the last for reordering. Platform-free; entries are 32-bit handle slots.
#pragma once

#include <cstdint>

#include "hooklib/shared_block.h"

namespace ostrel {

/// The stored client count clamped to 0..16: a count that a torn write or a corrupt block pushed
/// out of range must never index past `clients` into the argument fields.
int32_t ClientCount(const OstrelSharedMem& block);

/// Index of `window` in the list, or -1.
int32_t FindClient(const OstrelSharedMem& block, uint32_t window);

/// Appends `window` at the top; false when 16 are registered.
[[nodiscard]] bool AppendClient(OstrelSharedMem& block, uint32_t window);

/// Removes entry `index`, keeping the order of the others, and clears the entries it leaves
/// behind the list. Out-of-range indexes change nothing.
void RemoveClientAt(OstrelSharedMem& block, int32_t index);

/// Moves entry `index` to the top through the spare entry, which is cleared again. Returns true
/// when the order changed; false when it is already the top or out of range.
[[nodiscard]] bool MoveClientToTop(OstrelSharedMem& block, int32_t index);

/// True when any of the 16 slots, inside the count or behind it, holds a window for which
/// `isAlive` is true. The slots behind the list are cleared, so only a damaged count leaves a
/// window there, and it still counts.
[[nodiscard]] bool AnyLiveSlot(const OstrelSharedMem& block, bool (*isAlive)(uint32_t window));

/// Index of the topmost client for which `isHit(window, context)` is true, asked top first; -1
/// when none is, or when the point is on an icon (`onNoIcon` false), which keeps the icon's own
/// double-click.
int32_t HitTestClients(const OstrelSharedMem& block, bool onNoIcon,
                       bool (*isHit)(uint32_t window, void* context), void* context);

}  // namespace ostrel
