// The named mutex that makes this process the one companion. It is taken before the window is made
// and held until the process ends, so two companions never serve at once, however the plants time
// their starts; a plant asks it whether a companion lives (app/companion_route_win.cpp).
#pragma once

#include <windows.h>

#include "framework/base/scoped_handles_win.h"

namespace companion {

/// How long a companion that finds the mutex held waits for it: a plant that looks whether a
/// companion lives holds it for a moment, and a companion that is ending holds it until its
/// process is gone. Another companion that is serving holds it longer, and this one then ends.
inline constexpr DWORD kHandOverMs = 2000;

/// Owns the companion mutex once Take has succeeded.
class CompanionInstance {
 public:
  CompanionInstance() = default;
  CompanionInstance(const CompanionInstance&) = delete;
  CompanionInstance& operator=(const CompanionInstance&) = delete;
  /// Releases the mutex when it was taken.
  ~CompanionInstance();

  /// Takes the mutex, waiting at most `waitMs`. An abandoned mutex (a companion that was killed)
  /// counts as taken. False when another companion holds it or the mutex cannot be made.
  [[nodiscard]] bool Take(DWORD waitMs);

 private:
  ScopedHandle mutex_;
  bool owned_ = false;
};

}  // namespace companion
