// The route to the hook library through the 64-bit companion program: a request to the companion's
// window, whose process calls the same export of the 64-bit library. The route of the 32-bit
// program on 64-bit Windows; a test build may take it too.
//
// One companion serves all plants. Whether one lives is asked of the mutex it holds for its whole
// life, not of `companionRunning`, which a killed companion leaves at 1. A plant that finds no
// window looks and starts under a second named mutex, so plants that find none at the same moment
// start one between them, and a companion started anyway ends at once when another holds the
// companion mutex. The cached window is checked before each request and searched again when it is
// gone.
//
// Each request waits for the companion's answer once, at most `replyMs` in all: a companion that
// does not answer in time (stuck in a call, or paused) is not asked again, so no call of a plant
// waits for it twice. Only a window that went away before it answered (a companion that ended or
// was killed) is replaced, within what is left of that wait.
#pragma once

#include <windows.h>

#include <mutex>
#include <string>

#include "app/hook_client.h"
#include "hooklib/time_budget.h"

namespace plantapp {

/// How long and how often the route looks for the companion's window, and how long it waits for
/// an answer.
struct CompanionSearch {
  /// The longest search for the window, the wait for another plant's search and the companion's
  /// start included.
  uint32_t searchMs = ostrel::kCompanionSearchMs;
  uint32_t pauseMs = 100;
  /// The longest wait for the companion's answer to one request.
  uint32_t replyMs = ostrel::kCompanionReplyMs;
};

/// Asks the companion; one per process, used by the UI thread and the worker.
class CompanionRoute final : public HookRoute {
 public:
  /// `companionPath`: the companion program ("<program folder>\Verdelo64.exe").
  CompanionRoute(ostrel::OstrelSharedMem& block, std::string companionPath,
                 const CompanionSearch& search = {});

  /// Start-up: finds the companion's window, starting the companion when none lives, and waits
  /// for the window. False only when starting it failed (program message 50); a companion that
  /// started but shows no window is found (or not) by the next request.
  [[nodiscard]] bool StartIfMissing();

  /// Finds the companion's window, starting the companion when needed; false when none appears.
  [[nodiscard]] bool Prepare() override;
  /// SendToCompanion with the companion's request message.
  [[nodiscard]] int32_t Call(ostrel::CompanionCommand command, int32_t claim) override;
  /// Sends `message` with `command` and `claim` (in lParam) to the companion's window (see the top
  /// of this file); the answer cut to 32 bits, or -1 when no companion answered.
  [[nodiscard]] int32_t SendToCompanion(uint32_t message, ostrel::CompanionCommand command, int32_t claim);
  /// Forgets the cached window.
  void Distrust() override;

 private:
  HWND Window();
  HWND FindOrStart();
  bool Launch(HANDLE* process);

  ostrel::OstrelSharedMem& block_;
  std::string path_;
  CompanionSearch search_;
  // Requests come from the UI thread and, for repaints, from the worker.
  std::mutex lock_;
  HWND window_ = nullptr;
  bool launchFailed_ = false;
};

/// The first top-level window of the companion's class (ignoring case), or null.
[[nodiscard]] HWND FindCompanionWindow();

/// True while a companion process lives: one holds the companion mutex.
[[nodiscard]] bool IsCompanionAlive();

}  // namespace plantapp
