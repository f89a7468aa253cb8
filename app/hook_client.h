// The plant program's four calls into the desktop-draw hook library: register the plant window,
// unregister it, repaint a rectangle, and re-attach to a new desktop. Each writes its arguments
// into the shared block and then reaches the library along a route: the exports themselves
// (hook_direct_win.h) or the 64-bit companion's window (companion_route_win.h). Platform-free.
//
// Register and unregister hold the block's `busy` claim, taken atomically with a bounded wait
// that keeps this thread's messages flowing, and released by this side only. A claim that another
// process took over meanwhile (this one stood still past the stale limit) leaves what was done
// under it untrusted: the request is made once more under a new claim. An answer that the
// block contradicts (a companion that was ending answers "registered" for a window that is not
// in the list) is not trusted: the route is told to find another way and the call is made once
// more. A repaint whose rectangle another plant overwrote before the library read it is repeated,
// unless the library could not be reached: a failed call is never repeated as a repaint.
#pragma once

#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string_view>

#include "hooklib/busy_word.h"
#include "hooklib/companion_protocol.h"
#include "hooklib/shared_block.h"

namespace plantapp {

/// How a call reaches the hook library.
class HookRoute {
 public:
  virtual ~HookRoute() = default;
  /// Makes the library reachable before a claim is taken (finds or starts the companion); false
  /// when it cannot be reached.
  [[nodiscard]] virtual bool Prepare() { return true; }
  /// Makes the library call that `command` stands for, under `claim`, the `busy` claim a
  /// registration or removal holds (0 for the other calls): a request that is handled only after
  /// its claim has passed to another plant is dropped. Its result, or -1 when the library could
  /// not be reached or the request was dropped.
  [[nodiscard]] virtual int32_t Call(ostrel::CompanionCommand command, int32_t claim) = 0;
  /// The last call's answer proved false: whatever carried it must not be used again.
  virtual void Distrust() {}
};

/// Waits `ms` milliseconds while the calling thread keeps answering its messages.
using HookWait = void (*)(uint32_t ms, void* context);

/// Results of RegisterWithHook.
inline constexpr int32_t kHookRegistered = 0;
inline constexpr int32_t kHookAlreadyShown = 1;
inline constexpr int32_t kHookFailed = -1;

/// Longest private plant path the library compares (its checkedName holds 255 characters).
inline constexpr size_t kMaxHookPath = 255;

/// The four calls over one block and one route; the UI thread and the worker may share it.
class HookClient {
 public:
  /// All borrowed for the client's life. `wait` runs between tries of the `busy` claim.
  /// `holders` tags this process's claims and tells when a holder has gone; null: untagged
  /// claims, and only the stale limit frees a dead holder's claim.
  HookClient(ostrel::OstrelSharedMem& block, HookRoute& route, HookWait wait, void* waitContext,
             ostrel::HolderWatch* holders, const ostrel::ClaimTiming& timing = ostrel::ProtocolClaimTiming());
  HookClient(const HookClient&) = delete;
  HookClient& operator=(const HookClient&) = delete;

  /// Registers `window` (a 32-bit handle slot) as the plant of `path`. kHookRegistered;
  /// kHookAlreadyShown when another process shows this plant and has opened its dialog;
  /// kHookFailed when all 16 slots are taken, the library cannot be reached, the `busy` claim
  /// could not be had, or the path is longer than kMaxHookPath. UI thread.
  [[nodiscard]] int32_t RegisterWithHook(uint32_t window, std::string_view path);

  /// Removes `window` and repaints `rect`, the plant's place. Returns the library's answer (0
  /// when the window was not registered), or -1 when the claim could not be had or the library
  /// not reached. UI thread.
  int32_t UnregisterFromHook(uint32_t window, const ostrel::Rect32& rect);

  /// Repaints `rect` of the desktop. Returns the library's answer. UI thread or worker thread.
  int32_t UpdateHook(const ostrel::Rect32& rect);

  /// Re-attaches the library to the desktop after a shell restart and repaints `rect`. Returns the
  /// library's answer. UI thread.
  int32_t RequestRehook(const ostrel::Rect32& rect);

 private:
  std::optional<int32_t> UnderClaim(int32_t kind, const std::function<int32_t(int32_t claim)>& call);
  int32_t CallWithRect(ostrel::CompanionCommand command, const ostrel::Rect32& rect);
  void RepaintIfOverwritten(const ostrel::Rect32& rect);

  ostrel::OstrelSharedMem& block_;
  HookRoute& route_;
  HookWait wait_;
  void* waitContext_;
  ostrel::HolderWatch* holders_;
  ostrel::ClaimTiming timing_;
  // The UI thread and the worker both repaint; `updateRect` must reach the library unchanged.
  std::mutex rectLock_;
};

}  // namespace plantapp
