// What the registration exports decide: join, leave, the duplicate-plant hand-over, the reorder and
// the repaint of the active frame's border. Platform-free: every message to a window and every
// repaint goes through a ClientPort, which the library implements with Win32 and the tests fake.
#pragma once

#include <cstdint>

#include "hooklib/shared_block.h"

namespace ostrel {

/// The calls the exports make outside the block. Windows are 32-bit slots.
class ClientPort {
 public:
  virtual ~ClientPort() = default;
  /// True while `window` exists. A crashed plant leaves its slot behind.
  virtual bool IsAlive(uint32_t window) = 0;
  /// Sends Identify; true only when the window answered 0 ("the plant under test is mine").
  /// A window that does not answer within `timeoutMs` counts as another plant.
  virtual bool IsSamePlant(uint32_t window, uint32_t timeoutMs) = 0;
  /// A millisecond clock, for the Identify budget of one registration.
  virtual uint64_t NowMs() = 0;
  /// Sends Activate, Deactivate or OnTop to `window`.
  virtual void Notify(uint32_t window, OstrelCode code) = 0;
  /// Waits, bounded, until the desktop's Paint broadcast is over.
  virtual void WaitPaintIdle() = 0;
  /// Asks the desktop's list view to pin or unpin; false when it did not answer in time.
  virtual bool InjectIntoDesktop(OstrelCode code) = 0;
  /// Repaints `rect` of the list view with its background erased; returns the repaint's result.
  virtual int32_t Invalidate(const Rect32& rect) = 0;
  /// Tells the desktop that `window` has been activated (RepaintFrame with the window): the
  /// desktop repaints the active frame's border and shows and drags that plant's frame from now.
  virtual void AnnounceActivation(uint32_t window) = 0;
};

/// Results of RegisterClient, as Ostrel_Register returns them.
enum class RegisterResult : int32_t { Registered = 0, AlreadyShown = 1, NoSlot = -1 };

/// Registers `inputHwnd` under the name `inputName`. First drops the slots of windows that no
/// longer exist (DropDeadClients); a window already registered stays as it is and gets
/// Registered. When a live client identifies the plant as its own (all Identify answers together
/// bounded by kIdentifyBudgetMs), that client is activated, moved to the top, announced to the
/// desktop and AlreadyShown is returned. A window that takes every plant for its own (it answers
/// 0 also to an empty name, as any window does to a message it does not know) is no plant: its
/// slot is dropped like a dead one's. NoSlot when 16 are registered or the desktop did not take the pin (the new entry is
/// then removed again). Never touches `busy`: the caller took the claim and releases it.
[[nodiscard]] RegisterResult RegisterClient(OstrelSharedMem& block, ClientPort& port);

/// Drops the slots of windows that no longer exist, whoever calls, then removes `inputHwnd` and
/// tells the desktop to unpin (which the desktop heeds once no slot names a live window); a
/// window that is not registered is not removed and gets no repaint.
/// Repaints `updateRect`, ends the activation only when it was this window's, and repaints the
/// active frame's border. Returns the last repaint's result, 0 when nothing was removed.
int32_t UnregisterClient(OstrelSharedMem& block, ClientPort& port);

/// Moves client `index` to the top of the stacking order and tells it OnTop. Waits (bounded) for
/// a running Paint broadcast first. Nothing happens when it is the top already.
void BringClientToTop(OstrelSharedMem& block, ClientPort& port, int32_t index);

/// Repaints the four border strips of `activeFrame`; returns the last repaint's result.
/// Uses its own rectangles, never the shared `updateRect` that plants write at any time.
int32_t InvalidateFrameEdges(const OstrelSharedMem& block, ClientPort& port);

/// Removes the slots of windows that no longer exist, and their activation; `staying` (a window
/// that joins or leaves by its own request, or 0) is left alone. With no window staying, the last
/// slot goes as the last client's own removal goes: the desktop is told to unpin once it has gone,
/// so the subclass and its pin leave with it.
void DropDeadClients(OstrelSharedMem& block, ClientPort& port, uint32_t staying);

}  // namespace ostrel
