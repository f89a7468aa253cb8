// The companion program's window and requests, as both sides use them: the plant program sends
// them on 64-bit Windows, the companion answers them by calling the library's exports. The request
// carries no arguments; the sender writes them into the shared block first.
#pragma once

#include <cstdint>

#include "hooklib/shared_block.h"

namespace ostrel {

/// Class name of the companion's hidden window (compared ignoring case).
inline constexpr char kCompanionClass[] = "Verdelo64Window";
/// File name of the companion program, in the plant program's folder.
inline constexpr char kCompanionFileName[] = "Verdelo64.exe";
/// The message number of every request: WM_APP.
inline constexpr uint32_t kCompanionMessage = 0x8000;
/// The companion's answer to a request it does not know, or gets while it is ending.
inline constexpr int32_t kCompanionRefused = -1;

/// A request to the companion, carried in wParam of kCompanionMessage.
enum class CompanionCommand : uint32_t {
  RegisterClient = 23,    ///< Ostrel_Register; answers its result
  UnregisterClient = 24,  ///< Ostrel_Unregister; answers 0
  UpdateDesktop = 25,     ///< Ostrel_Update; answers 0
  RehookDesktop = 26,     ///< Ostrel_Rehook; answers 0
};

/// True when the `companionRunning` byte says a companion runs or is being started.
inline bool IsCompanionRunning(const OstrelSharedMem& block) {
  return __atomic_load_n(&block.companionRunning, __ATOMIC_ACQUIRE) != 0;
}

/// Sets `companionRunning` from 0 to 1; false when it was 1 already (another process starts one).
inline bool ClaimCompanionStart(OstrelSharedMem& block) {
  uint8_t expected = 0;
  return __atomic_compare_exchange_n(&block.companionRunning, &expected, uint8_t{1}, false, __ATOMIC_ACQ_REL,
                                     __ATOMIC_ACQUIRE);
}

/// Writes `companionRunning`.
inline void SetCompanionRunning(OstrelSharedMem& block, bool running) {
  __atomic_store_n(&block.companionRunning, uint8_t{running ? uint8_t{1} : uint8_t{0}}, __ATOMIC_RELEASE);
}

}  // namespace ostrel
