// The data-folder wait's window, notification-area icon and message pump.
#include "framework/app/data_path_waiter_win.h"

#include <cstring>

#include "framework/base/zrf_messages.h"
#include "framework/base/zrf_results.h"
#include "framework/files/file_ops_win.h"
#include "framework/style/icon_win.h"

namespace {

CDataPathWaiter::NotifyIconFunction gNotifyIcon = Shell_NotifyIconA;

void CopyText(char (&field)[260], const char* text) {
  size_t length = 0;
  while (text != nullptr && length < sizeof field - 1 && text[length] != '\0') ++length;
  if (length > 0) std::memcpy(field, text, length);
  field[length] = '\0';
}

NOTIFYICONDATAA TrayData(HWND window) {
  NOTIFYICONDATAA data{};
  data.cbSize = sizeof data;
  data.hWnd = window;
  data.uID = 1;
  return data;
}

}  // namespace

void CDataPathWaiter::SetNotifyIconForTesting(NotifyIconFunction function) {
  gNotifyIcon = function ? function : Shell_NotifyIconA;
}

CDataPathWaiter::CDataPathWaiter() : tipText{}, menuText{}, module(GetModuleHandleA(nullptr)), quit(0) {}

CDataPathWaiter::~CDataPathWaiter() { Release(); }

int32_t CDataPathWaiter::MakeIcons(HINSTANCE module, int32_t iconId, HICON* normal, HICON* greyed) {
  *normal = LoadResourceIcon(module, iconId, -1, 0);
  *greyed = nullptr;
  if (*normal == nullptr) return 1;
  int32_t error = ZRF_OK;
  *greyed = MakeTintedIcon(*normal, GetSysColor(COLOR_3DLIGHT), GetSysColor(COLOR_BTNSHADOW), &error);
  return error == ZRF_ERR_MEMORY ? ZRF_ERR_MEMORY : ZRF_OK;
}

int32_t CDataPathWaiter::Wait(const char* folder, int32_t tries, int32_t iconId, const char* tip,
                              const char* menu) {
  quit = 0;
  postQuit_ = false;
  iconId_ = iconId;
  CopyText(tipText, tip);
  CopyText(menuText, menu);
  const int32_t result = WaitForFolder(SystemFileOps(), folder, tries, *this);
  Release();
  // A WM_QUIT taken by the wait's pump belongs to the caller's loop.
  if (postQuit_) PostQuitMessage(postQuitCode_);
  return result;
}

bool CDataPathWaiter::CreateWaitWindow() {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = DataPathWaiterWndProc;
  windowClass.hInstance = module;
  windowClass.lpszClassName = kWaitWindowClass;
  if (RegisterClassA(&windowClass) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return false;
  window_ = CreateWindowExA(WS_EX_TOOLWINDOW, kWaitWindowClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                            module, this);
  return window_ != nullptr;
}

void CDataPathWaiter::ShowTry(int32_t tryNumber) {
  if (tryNumber == 1) {
    // A missing icon leaves the wait without a visible icon; it still waits.
    (void)MakeIcons(module, iconId_, &normalIcon_, &greyedIcon_);
    (void)CreateWaitWindow();
  }
  NOTIFYICONDATAA data = TrayData(window_);
  data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  data.uCallbackMessage = zrf::WM_ZRF_TRAYNOTIFY;
  data.hIcon = (tryNumber % 2 == 1 && greyedIcon_ != nullptr) ? greyedIcon_ : normalIcon_;
  // The tip holds 127 characters; a longer text is cut there.
  std::memcpy(data.szTip, tipText, sizeof data.szTip - 1);
  data.szTip[sizeof data.szTip - 1] = '\0';
  if (data.hIcon == nullptr) {
    (void)gNotifyIcon(NIM_DELETE, &data);
    return;
  }
  if (!gNotifyIcon(NIM_MODIFY, &data)) (void)gNotifyIcon(NIM_ADD, &data);
}

bool CDataPathWaiter::PumpAndSleep() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      postQuit_ = true;
      postQuitCode_ = static_cast<int>(message.wParam);
      quit = 1;
      continue;
    }
    if (window_ != nullptr && IsDialogMessageA(window_, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  if (quit) return true;
  Sleep(100);
  return false;
}

void CDataPathWaiter::Hide() {
  NOTIFYICONDATAA data = TrayData(window_);
  (void)gNotifyIcon(NIM_DELETE, &data);
}

void CDataPathWaiter::Release() {
  if (normalIcon_) DestroyIcon(normalIcon_);
  if (greyedIcon_) DestroyIcon(greyedIcon_);
  normalIcon_ = greyedIcon_ = nullptr;
  if (window_) DestroyWindow(window_);
  window_ = nullptr;
}

void CDataPathWaiter::OnTrayNotify(LPARAM event) {
  if (event != WM_LBUTTONDOWN && event != WM_LBUTTONDBLCLK && event != WM_RBUTTONDOWN) return;
  HMENU menu = CreatePopupMenu();
  if (menu == nullptr) return;
  AppendMenuA(menu, MF_STRING, kWaitQuitCommand, menuText);
  POINT cursor{};
  GetCursorPos(&cursor);
  SetForegroundWindow(window_);
  TrackPopupMenuEx(menu, TPM_LEFTBUTTON, cursor.x, cursor.y, window_, nullptr);
  DestroyMenu(menu);
}

LRESULT CALLBACK CDataPathWaiter::DataPathWaiterWndProc(HWND window, UINT message, WPARAM wParam,
                                                        LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* waiter = reinterpret_cast<CDataPathWaiter*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (waiter != nullptr && message == zrf::WM_ZRF_TRAYNOTIFY) {
    waiter->OnTrayNotify(lParam);
    return 0;
  }
  if (waiter != nullptr && message == WM_COMMAND && LOWORD(wParam) == kWaitQuitCommand) {
    waiter->quit = 1;
    return 0;
  }
  if (message == WM_NCDESTROY) SetWindowLongPtrA(window, GWLP_USERDATA, 0);
  return DefWindowProcA(window, message, wParam, lParam);
}
