// The route to the hook library through the 64-bit companion program: a request to the companion's
// window, whose process calls the same export of the 64-bit library. The route of the 32-bit
// program on 64-bit Windows; a test build may take it too.
//
// A companion that died or is ending is never trusted: the cached window is checked before each
// request and searched again when it is gone, a request that the window did not answer goes once
// more to a window found afresh, and when no window appears a new companion is started, whatever
// `companionRunning` says (a killed companion leaves it at 1).
#pragma once

#include <windows.h>

#include <mutex>
#include <string>

#include "app/hook_client.h"
#include "hooklib/time_budget.h"

namespace plantapp {

/// How long and how often the route looks for the companion's window.
struct CompanionSearch {
  uint32_t tries = 100;
  uint32_t pauseMs = 100;
  /// Searches without a window, while another process claims to be starting the companion,
  /// before this process starts one itself.
  uint32_t graceTries = 20;
  /// The longest wait for the companion's answer to one request.
  uint32_t replyMs = ostrel::kCompanionReplyMs;
};

/// Asks the companion; one per process, used by the UI thread and the worker.
class CompanionRoute final : public HookRoute {
 public:
  /// `companionPath`: the companion program ("<program folder>\Verdelo64.exe").
  CompanionRoute(ostrel::OstrelSharedMem& block, std::string companionPath,
                 const CompanionSearch& search = {});

  /// Start-up: starts the companion unless its window exists or another process is starting it
  /// (`companionRunning` set). False only when starting it failed (program message 50).
  [[nodiscard]] bool StartIfMissing();

  /// Finds the companion's window, starting the companion when needed; false when none appears.
  [[nodiscard]] bool Prepare() override;
  /// SendToCompanion with the companion's request message.
  [[nodiscard]] int32_t Call(ostrel::CompanionCommand command) override;
  /// Sends `message` with `command` to the companion's window, found afresh (and the companion
  /// started) when the cached one is gone or did not answer; the answer cut to 32 bits, or -1
  /// when no companion answered.
  [[nodiscard]] int32_t SendToCompanion(uint32_t message, ostrel::CompanionCommand command);
  /// Forgets the cached window.
  void Distrust() override;

 private:
  HWND Window();
  bool Launch();

  ostrel::OstrelSharedMem& block_;
  std::string path_;
  CompanionSearch search_;
  // Requests come from the UI thread and, for repaints, from the worker.
  std::mutex lock_;
  HWND window_ = nullptr;
};

/// The first top-level window of the companion's class (ignoring case), or null.
[[nodiscard]] HWND FindCompanionWindow();

}  // namespace plantapp
