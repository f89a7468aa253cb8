// What the companion does with each request: the matching export of the 64-bit hook library, the
// answer, and whether the companion ends because the last client has gone. Platform-free; the
// window procedure (companion_window_win.cpp) carries the answer out.
#pragma once

#include <cstdint>

#include "hooklib/shared_block.h"

namespace companion {

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
  /// Answers request `command` (wParam of the companion's WM_APP). Register answers the export's
  /// result; Unregister, Update and Rehook answer 0; anything else, and every request after the
  /// one that ended the companion, answers -1. An Unregister that leaves no client ends it.
  [[nodiscard]] CompanionAnswer Handle(uint64_t command, HookExports& exports,
                                       const ostrel::OstrelSharedMem& block);

 private:
  bool ended_ = false;
};

}  // namespace companion
