// The companion's window. When the last client has gone, the window is destroyed before
// `companionRunning` is cleared: a plant that starts meanwhile then finds no window to trust and
// starts a new companion, instead of registering through one that is about to end.
#include "companion/companion_window_win.h"

#include "companion/companion_commands.h"
#include "hooklib/companion_protocol.h"
#include "hooklib/ostrel.h"

namespace companion {
namespace {

class LibraryExports final : public HookExports {
 public:
  int32_t Register() override { return Ostrel_Register(); }
  int32_t Unregister() override { return Ostrel_Unregister(); }
  int32_t Update() override { return Ostrel_Update(); }
  int32_t Rehook() override { return Ostrel_Rehook(); }
};

CompanionCommands gCommands;

}  // namespace

LRESULT CALLBACK CompanionWndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == ostrel::kCompanionMessage) {
    LibraryExports exports;
    const CompanionAnswer answer = gCommands.Handle(wParam, exports, *Ostrel_SharedMem);
    if (answer.end) {
      DestroyWindow(window);
      ostrel::SetCompanionRunning(*Ostrel_SharedMem, false);
      PostQuitMessage(0);
    }
    return answer.result;
  }
  if (msg == WM_QUIT) {
    PostQuitMessage(0);
  }
  return DefWindowProcA(window, msg, wParam, lParam);
}

HWND CreateCompanionWindow(HINSTANCE instance) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = CompanionWndProc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = ostrel::kCompanionClass;
  if (RegisterClassA(&windowClass) == 0) {
    return nullptr;
  }
  return CreateWindowExA(0, ostrel::kCompanionClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance,
                         nullptr);
}

}  // namespace companion
