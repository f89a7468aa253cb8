// What the companion does with each request: the matching export of the 64-bit hook library, the
// answer, and whether the companion ends because the last client has gone; and its periodic look at
// its clients, which ends it when they have all died. Platform-free; the window procedure
// (companion_window_win.cpp) carries the answers out.
#pragma once

#include <cstdint>

#include "hooklib/shared_block.h"

namespace companion {

/// How often the companion looks whether its registered windows still exist.
inline constexpr uint32_t kClientCheckMs = 1000;
/// A companion that no plant has asked anything yet waits this long for the plant that started it
/// to register: the plant's start goes on (options, its window, the wait for the `busy` claim)
/// after the companion is up. A plant that failed before registering leaves no companion behind.
inline constexpr uint32_t kFirstClientMs = 60000;

/// The hook library's exports as the companion calls them.
class HookExports {
 public:
  virtual ~HookExports() = default;
  virtual int32_t Register() = 0;
  virtual int32_t Unregister() = 0;
  virtual int32_t Update() = 0;
  virtual int32_t Rehook() = 0;
};

/// The outcome of one request.
struct CompanionAnswer {
  int32_t result;  ///< what the sender gets
  bool end;        ///< the last client has gone: the companion ends now
};

/// Handles the requests of one companion's life.
class CompanionCommands {
 public:
  /// Answers request `command` (wParam of the companion's WM_APP) made under `claim` (its lParam,
  /// cut to 32 bits). Register answers the export's result; Unregister, Update and Rehook answer
  /// 0; anything else, and every request after the one that ended the companion, answers -1. A
  /// Register or Unregister whose claim `busy` no longer holds answers -1 without the export: its
  /// plant has given up waiting, and the argument fields may be another plant's by now. An
  /// Unregister that leaves no client ends the companion.
  [[nodiscard]] CompanionAnswer Handle(uint64_t command, int32_t claim, HookExports& exports,
                                       const ostrel::OstrelSharedMem& block);

  /// The periodic look, every kClientCheckMs: `liveClients` of the registered windows still
  /// exist, `nowMs` is a millisecond tick count. True when the companion ends now: no live client
  /// is left once it has served a request or seen a client (its clients died without
  /// unregistering), or no plant came within kFirstClientMs of the first look. Requests are
  /// refused afterwards.
  [[nodiscard]] bool CheckClients(int32_t liveClients, uint32_t nowMs);

 private:
  bool ended_ = false;
  bool served_ = false;
  bool looked_ = false;
  uint32_t firstLookMs_ = 0;
};

}  // namespace companion
