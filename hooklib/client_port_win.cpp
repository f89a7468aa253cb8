// The registration decisions' view of Windows: messages to plant windows with time-outs, the
// desktop injection and repaints of the list view.
#include <windows.h>

#include "hooklib/busy_word.h"
#include "hooklib/library_win.h"
#include "hooklib/registration.h"
#include "hooklib/time_budget.h"

namespace ostrel {
namespace {

void SleepStep(uint32_t ms, void*) { Sleep(ms); }

class WindowsPort final : public ClientPort {
 public:
  bool IsAlive(uint32_t window) override { return IsWindow(ToHwnd(window)) != FALSE; }
  bool IsSamePlant(uint32_t window, uint32_t timeoutMs) override {
    // A window that does not answer is taken for another plant: a hung plant must not make every
    // new plant quit as "already running".
    return SendToClient(ToHwnd(window), OstrelCode::Identify, 0, 1, timeoutMs) == 0;
  }
  uint64_t NowMs() override { return GetTickCount64(); }
  void Notify(uint32_t window, OstrelCode code) override {
    SendToClient(ToHwnd(window), code, 0, 0, kNotifyTimeoutMs);
  }
  void WaitPaintIdle() override {
    (void)ostrel::WaitPaintIdle(Block().busy, kPaintIdleWaitMs, 50, SleepStep, nullptr);
  }
  bool InjectIntoDesktop(OstrelCode code) override { return ostrel::InjectIntoDesktop(code); }
  int32_t Invalidate(const Rect32& rect) override { return InvalidateListView(rect); }
  void AnnounceActivation(uint32_t window) override {
    // Posted: the claim is held, and the desktop's answer is not needed.
    PostMessageA(CurrentListView(), gState.message, static_cast<WPARAM>(OstrelCode::RepaintFrame),
                 static_cast<LPARAM>(window));
  }
};

}  // namespace

ClientPort& WindowsClientPort() {
  static WindowsPort port;
  return port;
}

}  // namespace ostrel
