// The companion program's window and requests, as both sides use them: the plant program sends
// them on 64-bit Windows, the companion answers them by calling the library's exports. The request
// carries no arguments; the sender writes them into the shared block first. Its lParam is the
// `busy` claim it is made under (Register, Unregister; 0 for the others), so the companion can
// tell a request whose plant has since given up.
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
/// Named mutex the serving companion holds for its whole life: one companion at a time.
inline constexpr char kCompanionMutexName[] = "Verdelo64Companion";
/// Named mutex a plant holds while it looks for the companion and starts one when none lives, so
/// plants that find none at the same moment start one between them.
inline constexpr char kCompanionLaunchName[] = "Verdelo64Launch";

/// A request to the companion, carried in wParam of kCompanionMessage.
enum class CompanionCommand : uint32_t {
  RegisterClient = 23,    ///< Ostrel_Register; answers its result
  UnregisterClient = 24,  ///< Ostrel_Unregister; answers 0
  UpdateDesktop = 25,     ///< Ostrel_Update; answers 0
  RehookDesktop = 26,     ///< Ostrel_Rehook; answers 0
};

/// Writes `companionRunning`.
inline void SetCompanionRunning(OstrelSharedMem& block, bool running) {
  __atomic_store_n(&block.companionRunning, uint8_t{running ? uint8_t{1} : uint8_t{0}}, __ATOMIC_RELEASE);
}

}  // namespace ostrel
