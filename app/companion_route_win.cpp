// Finding, starting and asking the companion.
#include "app/companion_route_win.h"

#include <shellapi.h>

#include <utility>

#include "hooklib/companion_protocol.h"

namespace plantapp {
namespace {

BOOL CALLBACK FindCompanionWindowProc(HWND window, LPARAM context) {
  char name[260] = {};
  GetClassNameA(window, name, sizeof name);
  if (lstrcmpiA(name, ostrel::kCompanionClass) != 0) {
    return TRUE;
  }
  *reinterpret_cast<HWND*>(context) = window;
  return FALSE;
}

}  // namespace

HWND FindCompanionWindow() {
  HWND found = nullptr;
  EnumWindows(FindCompanionWindowProc, reinterpret_cast<LPARAM>(&found));
  return found;
}

CompanionRoute::CompanionRoute(ostrel::OstrelSharedMem& block, std::string companionPath,
                               const CompanionSearch& search)
    : block_(block), path_(std::move(companionPath)), search_(search) {}

bool CompanionRoute::Launch() {
  ostrel::SetCompanionRunning(block_, true);
  const HINSTANCE started = ShellExecuteA(nullptr, "open", path_.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
  // ShellExecute reports success by a value above 32.
  if (reinterpret_cast<INT_PTR>(started) <= 32) {
    ostrel::SetCompanionRunning(block_, false);
    return false;
  }
  return true;
}

bool CompanionRoute::StartIfMissing() {
  const std::lock_guard<std::mutex> hold(lock_);
  if (FindCompanionWindow() != nullptr || !ostrel::ClaimCompanionStart(block_)) {
    return true;
  }
  return Launch();
}

HWND CompanionRoute::Window() {
  if (window_ != nullptr && IsWindow(window_)) {
    return window_;
  }
  window_ = nullptr;
  bool started = false;
  for (uint32_t attempt = 0; attempt < search_.tries; ++attempt) {
    if (const HWND found = FindCompanionWindow()) {
      window_ = found;
      return found;
    }
    // Nobody is starting one: start it now. Somebody claims to, but no window came within the
    // grace: the claim is stale (a companion that was killed), so start one all the same.
    if (!started && (ostrel::ClaimCompanionStart(block_) || attempt >= search_.graceTries)) {
      started = true;
      if (!Launch()) {
        return nullptr;
      }
    }
    Sleep(search_.pauseMs);
  }
  return nullptr;
}

bool CompanionRoute::Prepare() {
  const std::lock_guard<std::mutex> hold(lock_);
  return Window() != nullptr;
}

int32_t CompanionRoute::Call(ostrel::CompanionCommand command) {
  return SendToCompanion(ostrel::kCompanionMessage, command);
}

int32_t CompanionRoute::SendToCompanion(uint32_t message, ostrel::CompanionCommand command) {
  const std::lock_guard<std::mutex> hold(lock_);
  for (int attempt = 0; attempt < 2; ++attempt) {
    const HWND window = Window();
    if (window == nullptr) {
      return -1;
    }
    DWORD_PTR answer = 0;
    if (SendMessageTimeoutA(window, message, static_cast<WPARAM>(command), 0, SMTO_NORMAL, search_.replyMs,
                            &answer)) {
      // The companion answers an int; a 64-bit companion sign-extends it.
      return static_cast<int32_t>(answer);
    }
    // The window went away or did not answer in time: never used again without a new search.
    window_ = nullptr;
  }
  return -1;
}

void CompanionRoute::Distrust() {
  const std::lock_guard<std::mutex> hold(lock_);
  window_ = nullptr;
}

}  // namespace plantapp
