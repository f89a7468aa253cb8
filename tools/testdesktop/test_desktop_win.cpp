// A stand-in for the desktop shell's process, for tests under Wine, which has no shell icon view:
// the same window tree the hook library searches, with a real "SysListView32" titled "FolderView",
// a few icons and a known background, and a control window that answers queries from inside this
// process. It never loads the hook library itself; only the library's hook brings it in.
//
//   ostrel_test_desktop [progman | workerw | noprogman]
//
// progman:   "Progman" > "SHELLDLL_DefView" > list view.
// workerw:   an empty "Progman", an empty "WorkerW", then "WorkerW" > "SHELLDLL_DefView" > list view.
// noprogman: no "Progman"; a stray top-level "SysListView32" that must not be taken for the
//            desktop, then "WorkerW" > "SHELLDLL_DefView" > list view.
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <cstring>

#include "tools/testdesktop/desktop_query.h"

namespace {

constexpr int kWidth = 1024;
constexpr int kHeight = 768;

HWND gDefView = nullptr;
HWND gListView = nullptr;
WNDPROC gListViewOwnProc = nullptr;  // comctl32's procedure
WNDPROC gCountingProc = nullptr;     // ours, which the library's subclass replaces and calls
LONG gButtonDowns = 0;
LONG gDoubleClicks = 0;
bool gRepaintAtNextPaint = false;

// Sits below any subclass the library installs, so it counts what the library passes on.
LRESULT CALLBACK CountingProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_LBUTTONDOWN) ++gButtonDowns;
  if (msg == WM_LBUTTONDBLCLK) ++gDoubleClicks;
  if (msg == WM_PAINT && gRepaintAtNextPaint) {
    gRepaintAtNextPaint = false;
    const testdesktop::Box& box = testdesktop::kLateRepaint;
    const RECT late{box.left, box.top, box.right, box.bottom};
    InvalidateRect(window, &late, TRUE);
  }
  return CallWindowProcA(gListViewOwnProc, window, msg, wParam, lParam);
}

unsigned CurrentCursorId() {
  const HCURSOR cursor = GetCursor();
  struct Pair {
    LPCSTR shape;
    testdesktop::CursorId id;
  };
  const Pair pairs[] = {{IDC_ARROW, testdesktop::CursorArrow},       {IDC_SIZENS, testdesktop::CursorSizeNS},
                        {IDC_SIZEWE, testdesktop::CursorSizeWE},     {IDC_SIZENESW, testdesktop::CursorSizeNESW},
                        {IDC_SIZENWSE, testdesktop::CursorSizeNWSE}, {IDC_SIZEALL, testdesktop::CursorSizeAll}};
  for (const Pair& p : pairs) {
    if (cursor == LoadCursorA(nullptr, p.shape)) return p.id;
  }
  return testdesktop::CursorOther;
}

HWND MakeListView(HWND defView);

LRESULT Answer(unsigned query, WPARAM wParam) {
  switch (query) {
    case testdesktop::QueryStatus: {
      unsigned bits = 0;
      if (GetModuleHandleA("Ostrel64.dll") != nullptr || GetModuleHandleA("Ostrel.dll") != nullptr) {
        bits |= testdesktop::kLibraryLoaded;
      }
      if (reinterpret_cast<WNDPROC>(GetWindowLongPtrA(gListView, GWLP_WNDPROC)) != gCountingProc) {
        bits |= testdesktop::kSubclassed;
      }
      if (SendMessageA(gListView, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & LVS_EX_DOUBLEBUFFER) {
        bits |= testdesktop::kDoubleBuffered;
      }
      return bits;
    }
    case testdesktop::QueryListView: return reinterpret_cast<LRESULT>(gListView);
    case testdesktop::QueryCursor: return CurrentCursorId();
    case testdesktop::QueryButtonDowns: return gButtonDowns;
    case testdesktop::QueryDoubleClicks: return gDoubleClicks;
    case testdesktop::QueryPing: {
      const HANDLE ping = OpenEventA(EVENT_MODIFY_STATE, FALSE, testdesktop::kPingEvent);
      if (ping != nullptr) {
        SetEvent(ping);
        CloseHandle(ping);
      }
      return 0;
    }
    case testdesktop::QueryRecreateListView:
      DestroyWindow(gListView);
      gListView = MakeListView(gDefView);
      return reinterpret_cast<LRESULT>(gListView);
    case testdesktop::QueryRepaintAtNextPaint:
      gRepaintAtNextPaint = true;
      return 0;
    case testdesktop::QueryIconPosition: {
      POINT p{};
      if (!SendMessageA(gListView, LVM_GETITEMPOSITION, wParam, reinterpret_cast<LPARAM>(&p))) return -1;
      return MAKELPARAM(p.x, p.y);
    }
    default: return 0;
  }
}

LRESULT CALLBACK ControlProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg > WM_APP && msg <= WM_APP + 16) {
    return Answer(msg - WM_APP, wParam);
  }
  if (msg == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(window, msg, wParam, lParam);
}

void RegisterPlainClass(const char* name, WNDPROC proc) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = proc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = name;
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  RegisterClassA(&wc);
}

HWND MakeTopLevel(const char* cls, bool visible) {
  return CreateWindowExA(WS_EX_NOACTIVATE, cls, "", WS_POPUP | (visible ? WS_VISIBLE : 0), 0, 0,
                         visible ? kWidth : 0, visible ? kHeight : 0, nullptr, nullptr,
                         GetModuleHandleA(nullptr), nullptr);
}

HIMAGELIST MakeIcons() {
  const HIMAGELIST images = ImageList_Create(32, 32, ILC_COLOR32, 3, 0);
  const HDC screen = GetDC(nullptr);
  const COLORREF colours[] = {RGB(200, 40, 40), RGB(40, 200, 40), RGB(40, 40, 200)};
  for (COLORREF colour : colours) {
    const HBITMAP bitmap = CreateCompatibleBitmap(screen, 32, 32);
    const HDC dc = CreateCompatibleDC(screen);
    const HGDIOBJ old = SelectObject(dc, bitmap);
    const RECT all{0, 0, 32, 32};
    const HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &all, brush);
    DeleteObject(brush);
    SelectObject(dc, old);
    DeleteDC(dc);
    ImageList_Add(images, bitmap, nullptr);
    DeleteObject(bitmap);
  }
  ReleaseDC(nullptr, screen);
  return images;
}

// Icons at known places: two at the left edge, one inside the middle of the screen where tests
// put a plant, for the case of an icon under a plant's frame.
void AddIcons(HWND view) {
  SendMessageA(view, LVM_SETIMAGELIST, LVSIL_NORMAL, reinterpret_cast<LPARAM>(MakeIcons()));
  const POINT places[] = {{10, 10}, {10, 110}, {500, 300}};
  const char* names[] = {"Alpha", "Beta", "Gamma"};
  for (int i = 0; i < 3; ++i) {
    LVITEMA item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE;
    item.iItem = i;
    item.iImage = i;
    item.pszText = const_cast<char*>(names[i]);
    SendMessageA(view, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    SendMessageA(view, LVM_SETITEMPOSITION, i, MAKELPARAM(places[i].x, places[i].y));
  }
}

HWND MakeListView(HWND defView) {
  // Borderless: the library mixes window-DC and client coordinates, as on the real desktop.
  const HWND view = CreateWindowExA(0, WC_LISTVIEWA, "FolderView",
                                    WS_CHILD | WS_VISIBLE | LVS_ICON | LVS_NOSORTHEADER, 0, 0, kWidth,
                                    kHeight, defView, nullptr, GetModuleHandleA(nullptr), nullptr);
  SendMessageA(view, LVM_SETBKCOLOR, 0, testdesktop::kBackground);
  SendMessageA(view, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_DOUBLEBUFFER, LVS_EX_DOUBLEBUFFER);
  AddIcons(view);
  gListViewOwnProc = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(view, GWLP_WNDPROC));
  SetWindowLongPtrA(view, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CountingProc));
  gCountingProc = &CountingProc;
  return view;
}

HWND MakeDesktopTree(HWND host) {
  gDefView = CreateWindowExA(0, "SHELLDLL_DefView", "", WS_CHILD | WS_VISIBLE, 0, 0, kWidth, kHeight, host,
                             nullptr, GetModuleHandleA(nullptr), nullptr);
  return MakeListView(gDefView);
}

}  // namespace

int main(int argc, char** argv) {
  const char* mode = argc > 1 ? argv[1] : "progman";
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&icc);
  RegisterPlainClass("Progman", DefWindowProcA);
  RegisterPlainClass("WorkerW", DefWindowProcA);
  RegisterPlainClass("SHELLDLL_DefView", DefWindowProcA);
  RegisterPlainClass(testdesktop::kControlClass, ControlProc);

  HWND host = nullptr;
  if (std::strcmp(mode, "workerw") == 0) {
    MakeTopLevel("Progman", false);
    MakeTopLevel("WorkerW", false);
    host = MakeTopLevel("WorkerW", true);
  } else if (std::strcmp(mode, "noprogman") == 0) {
    CreateWindowExA(0, WC_LISTVIEWA, "FolderView", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                    GetModuleHandleA(nullptr), nullptr);
    host = MakeTopLevel("WorkerW", true);
  } else {
    host = MakeTopLevel("Progman", true);
  }
  gListView = host != nullptr ? MakeDesktopTree(host) : nullptr;
  if (gListView == nullptr) {
    // Not ready: a test would take a desktop without windows for the library's fault.
    std::fprintf(stderr, "ostrel_test_desktop: cannot make the desktop's windows (error %lu)\n",
                 static_cast<unsigned long>(GetLastError()));
    return 2;
  }
  SetWindowPos(host, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  MakeTopLevel(testdesktop::kControlClass, false);
  UpdateWindow(host);

  const HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, testdesktop::kReadyEvent);
  SetEvent(ready);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  CloseHandle(ready);
  return 0;
}
