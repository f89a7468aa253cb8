// The plant dialog: opening beside the plant, the tabs and their pages, OK and Cancel.
#include "app/plant_dialog_win.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <mutex>

#include "app/dialog_placement.h"
#include "app/plant_data_lock.h"
#include "app/plant_dialog_pages_win.h"
#include "app/plant_dialog_state_win.h"
#include "app/plant_worker_jobs_win.h"
#include "framework/app/zrf_app_win.h"
#include "framework/base/zrf_messages.h"
#include "framework/ui/dialog_controls_win.h"
#include "framework/ui/dpi_functions_win.h"
#include "resources/plant_dialog_ids.h"
#include "resources/resource_ids.h"

namespace plantapp {
namespace {

PlantDialogState gState;

constexpr int kPageResources[kPageCount] = {IDD_CARE_PAGE, IDD_OPTIONS_PAGE, IDD_INFO_PAGE, IDD_ABOUT_PAGE};
constexpr DLGPROC kPageProcs[kPageCount] = {CarePageProc, OptionsPageProc, InfoPageProc, AboutPageProc};
// The tab icons in tab order; the Info tab's is replaced by the plant's own.
constexpr int kTabIcons[kPageCount] = {IDI_PAGE_CARE, IDI_PAGE_OPTIONS, IDI_PAGE_ABOUT, IDI_PAGE_ABOUT};
constexpr size_t kTooltipLength = 64;  // 63 characters and the terminator

UINT DesktopMessage() { return ostrel::LoadShared(gState.host->SharedBlock().message); }

HWND ListView() {
  return reinterpret_cast<HWND>(ostrel::UnpackHandle(ostrel::LoadShared(gState.host->SharedBlock().listView)));
}

void PostToPlantWindow(UINT message, WPARAM wParam, LPARAM lParam) {
  PostMessageA(gState.host->PlantWindow(), message, wParam, lParam);
}

void BuildTabImageList(int dpi) {
  if (gState.tabImages != nullptr) ImageList_Destroy(gState.tabImages);
  gState.tabImages = nullptr;
  const int size = std::max(16, dpi / 6);
  for (int id : kTabIcons) {
    auto icon = static_cast<HICON>(LoadImageA(FrameworkModule(), MAKEINTRESOURCEA(id), IMAGE_ICON, size, size, 0));
    if (icon == nullptr) continue;
    if (gState.tabImages == nullptr) gState.tabImages = ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, 8, 8);
    if (gState.tabImages != nullptr) ImageList_AddIcon(gState.tabImages, icon);
    DestroyIcon(icon);
  }
  if (gState.tabImages != nullptr) {
    ImageList_ReplaceIcon(gState.tabImages, kInfoPage, PlantIcon(*gState.host, false));
  }
  SendMessageA(gState.tabs, TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(gState.tabImages));
}

void ComputePageRect() {
  GetClientRect(gState.tabs, &gState.pageRect);
  SendMessageA(gState.tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&gState.pageRect));
  gState.pageRect.top += 1;
}

void LoadValues() {
  const PlantOptions options = gState.host->ReadOptions();
  const ostrel::Rect32 frame = gState.host->SharedBlock().activeFrame;
  const std::lock_guard<std::mutex> hold(PlantDataLock());
  gState.values = LoadDialogValues(gState.host->Plant().Record(), options,
                                   ZrfRect{frame.left, frame.top, frame.right, frame.bottom});
}

void SetIcons(HWND dialog) {
  const HICON large = PlantIcon(*gState.host, true);
  const HICON small = PlantIcon(*gState.host, false);
  SendMessageA(dialog, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(large));
  SendMessageA(dialog, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
}

void AddSystemMenuItems(HWND dialog) {
  HMENU menu = GetSystemMenu(dialog, FALSE);
  if (menu == nullptr) return;
  char quit[300];
  std::snprintf(quit, sizeof quit, "Quit Verdelo %s", gState.host->PlantName());
  AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(menu, MF_STRING, kHelpMenuItem, "Help\t    F1");
  AppendMenuA(menu, MF_STRING, kQuitMenuItem, quit);
}

// The dialog's top-left corner on the plant's centre, in the list view's coordinates; without a
// list view (no desktop icon view), in the screen's.
void PlaceBesideThePlant(HWND dialog) {
  RECT window{};
  GetWindowRect(dialog, &window);
  HWND listView = ListView();
  RECT screen{};
  if (listView == nullptr || !GetClientRect(listView, &screen)) {
    listView = nullptr;
    screen = RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  }
  POINT current{window.left, window.top};
  if (listView != nullptr) ScreenToClient(listView, &current);
  const ZrfRect& frame = gState.values.savedFrame;
  const ZrfPoint place =
      PlaceDialogAtFrame(frame, ZrfRect{screen.left, screen.top, screen.right, screen.bottom},
                         window.right - window.left, window.bottom - window.top, ZrfPoint{current.x, current.y});
  POINT corner{place.x, place.y};
  if (listView != nullptr) ClientToScreen(listView, &corner);
  SetWindowPos(dialog, nullptr, corner.x, corner.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void AddTabs() {
  for (int32_t page = 0; page < kPageCount; ++page) {
    TCITEMA item{};
    item.mask = TCIF_TEXT | TCIF_IMAGE;
    item.pszText = const_cast<char*>(kPageTitles[page]);
    item.iImage = page;
    SendMessageA(gState.tabs, TCM_INSERTITEMA, page, reinterpret_cast<LPARAM>(&item));
  }
}

// Every control whose id names a resource string gets that string as its tooltip.
BOOL CALLBACK AddToolTipProc(HWND control, LPARAM) {
  const int id = GetDlgCtrlID(control);
  char text[kTooltipLength];
  if (id <= 0 || LoadStringA(FrameworkModule(), static_cast<UINT>(id), text, sizeof text) <= 0) return TRUE;
  TTTOOLINFOA tool{};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = GetParent(control);
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  tool.lpszText = text;
  SendMessageA(gState.tooltip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
  return TRUE;
}

// The shown page's first tab stop; the tab strip when the page has none.
HWND FirstControlOfPage() {
  HWND page = gState.pages[gState.currentPage];
  HWND first = page != nullptr ? GetNextDlgTabItem(page, nullptr, FALSE) : nullptr;
  return first != nullptr ? first : gState.tabs;
}

// The focus goes with the page onto its first control, unless it is on the tab strip, whose arrow
// keys turn the pages: a focus left on the hidden page would take keys the user cannot see.
void ShowPage(int32_t page) {
  if (gState.pages[gState.currentPage] != nullptr) ShowWindow(gState.pages[gState.currentPage], SW_HIDE);
  gState.currentPage = std::clamp<int32_t>(page, 0, kPageCount - 1);
  if (gState.pages[gState.currentPage] != nullptr) ShowWindow(gState.pages[gState.currentPage], SW_SHOW);
  HWND focus = GetFocus();
  if (focus != gState.tabs && IsChild(gState.dialog, focus)) FocusDialogControl(FirstControlOfPage());
}

// What the control the key goes to asks for itself (DLGC_WANTTAB, DLGC_WANTMESSAGE), as the
// dialog manager asks it.
LRESULT DialogCodeFor(const MSG& key) {
  if (key.hwnd == nullptr) return 0;
  MSG asked = key;
  return SendMessageA(key.hwnd, WM_GETDLGCODE, key.wParam, reinterpret_cast<LPARAM>(&asked));
}

// Ctrl+Tab and Ctrl+Page Down turn to the next page, Ctrl+Shift+Tab and Ctrl+Page Up to the
// previous one, round from the last to the first. A control that asks for the key keeps it.
bool TurnPageByKey(const MSG& key) {
  if (GetKeyState(VK_CONTROL) >= 0 || GetKeyState(VK_MENU) < 0) return false;
  int32_t step = 0;
  if (key.wParam == VK_TAB) step = GetKeyState(VK_SHIFT) < 0 ? -1 : 1;
  if (key.wParam == VK_NEXT) step = 1;
  if (key.wParam == VK_PRIOR) step = -1;
  if (step == 0) return false;
  if ((DialogCodeFor(key) & DLGC_WANTMESSAGE) != 0) return false;
  const int32_t page = (gState.currentPage + step + kPageCount) % kPageCount;
  SendMessageA(gState.tabs, TCM_SETCURSEL, page, 0);
  ShowPage(page);
  return true;
}

// The dialog manager walks into the tab control for the pages it holds and never stops on the
// strip itself; the strip takes its place before the shown page's first control, so Tab goes
// strip, page, OK, Cancel, Help and round again.
HWND NextTabStop(HWND focus, bool previous) {
  HWND afterStrip = FirstControlOfPage();
  if (afterStrip == gState.tabs) afterStrip = GetNextDlgTabItem(gState.dialog, gState.tabs, FALSE);
  if (focus == gState.tabs) {
    return previous ? GetNextDlgTabItem(gState.dialog, gState.tabs, TRUE) : afterStrip;
  }
  if (previous && focus == afterStrip) return gState.tabs;
  HWND next = GetNextDlgTabItem(gState.dialog, focus, previous);
  return !previous && next == afterStrip ? gState.tabs : next;
}

// Tab and Shift+Tab move the focus in the dialog's own order (its WM_NEXTDLGCTL). Taken before
// the dialog manager, which on Windows may move the focus itself without asking the dialog.
bool MoveFocusByTab(const MSG& key) {
  if (key.wParam != VK_TAB || GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0) return false;
  if ((DialogCodeFor(key) & (DLGC_WANTTAB | DLGC_WANTMESSAGE)) != 0) return false;
  SendMessageA(gState.dialog, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
  SendMessageA(gState.dialog, WM_NEXTDLGCTL, GetKeyState(VK_SHIFT) < 0 ? 1 : 0, 0);
  return true;
}

// A dialog procedure's answer to a message whose result is not its return value.
INT_PTR Answer(HWND dialog, LRESULT result) {
  SetWindowLongPtrA(dialog, DWLP_MSGRESULT, result);
  return TRUE;
}

void OnInitDialog(HWND dialog) {
  gState.dialog = dialog;
  gApp.InitDialog(dialog);
  LoadValues();
  SetWindowTextA(dialog, gState.host->PlantName());
  SetIcons(dialog);
  gState.tooltip = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, dialog, nullptr,
                                   FrameworkModule(), nullptr);
  AddSystemMenuItems(dialog);
  PlaceBesideThePlant(dialog);
  gState.tabs = GetDlgItem(dialog, IDC_PAGE_TABS);
  BuildTabImageList(DpiForWindow(dialog));
  AddTabs();
  ComputePageRect();
  for (int32_t page = 0; page < kPageCount; ++page) {
    gState.pages[page] =
        CreateDialogParamA(FrameworkModule(), MAKEINTRESOURCEA(kPageResources[page]), gState.tabs, kPageProcs[page], 0);
  }
  if (gState.tooltip != nullptr) EnumChildWindows(dialog, AddToolTipProc, 0);
  SendMessageA(gState.tabs, TCM_SETCURSEL, gState.currentPage, 0);
  ShowPage(gState.currentPage);
  {
    const std::lock_guard<std::mutex> hold(PlantDataLock());
    gState.host->Plant().Record().flags |= plant::kDialogShown;
  }
  gState.host->SetDialog(dialog);
}

void ShowHelp() { gState.host->OpenHelp(kHelpFile, kPageHelpTopics[gState.currentPage]); }

void DestroyPages() {
  SendMessageA(gState.tabs, TCM_SETIMAGELIST, 0, 0);
  if (gState.tabImages != nullptr) ImageList_Destroy(gState.tabImages);
  gState.tabImages = nullptr;
  for (HWND& page : gState.pages) {
    if (page != nullptr) DestroyWindow(page);
    page = nullptr;
  }
}

// OK: the working copies go into the plant record, and the plant window redraws when the
// brightness or a colour changed; the options are the program's.
void ApplyWorkingCopies() {
  int32_t redrawCode = kRedrawNone;
  {
    const std::lock_guard<std::mutex> hold(PlantDataLock());
    redrawCode = ApplyDialogValues(gState.values, &gState.host->Plant().Record());
  }
  if (redrawCode != kRedrawNone) PostToPlantWindow(kPlantRefreshMessage, static_cast<WPARAM>(redrawCode), 0);
  gState.host->ApplyOptions(gState.values.options);
}

// Cancel: a plant the user moved or resized goes back to the frame it had when the dialog opened.
void UndoMove() {
  bool moved = false;
  {
    const std::lock_guard<std::mutex> hold(PlantDataLock());
    moved = IsPlantMoved(gState.values, gState.host->Plant().Record());
  }
  if (!moved) return;
  const ZrfRect& saved = gState.values.savedFrame;
  gState.host->MoveFrame(ostrel::Rect32{saved.left, saved.top, saved.right, saved.bottom});
}

// The dialog is going without ClosePlantDialog (its owner was destroyed): nothing is applied.
void ForgetDialog() {
  DestroyPages();
  gState.dialog = nullptr;
  gState.tabs = nullptr;
  gState.tooltip = nullptr;
  gState.host->SetDialog(nullptr);
}

}  // namespace

PlantDialogState& DialogState() { return gState; }

namespace {

void PlacePage(HWND page) {
  const RECT& r = gState.pageRect;
  SetWindowPos(page, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

HFONT SetUpPage(HWND page) {
  const HFONT font = gApp.InitDialog(page);
  PlacePage(page);
  return font;
}

HFONT FollowPageDpi(HWND page, WPARAM wParam) {
  const HFONT font = gApp.UpdateDialogDpi(page, static_cast<int32_t>(LOWORD(wParam)));
  PlacePage(page);
  return font;
}

HICON PlantIcon(PlantDialogHost& host, bool large) {
  const HICON icon = large ? host.LargeIcon() : host.SmallIcon();
  if (icon != nullptr) return icon;
  const int size = GetSystemMetrics(large ? SM_CXICON : SM_CXSMICON);
  return static_cast<HICON>(
      LoadImageA(FrameworkModule(), MAKEINTRESOURCEA(IDI_APPLICATION_ICON), IMAGE_ICON, size, size, LR_SHARED));
}

void ShowPlantIcon(HWND dialog, int id, PlantDialogHost& host) {
  SendDlgItemMessageA(dialog, id, STM_SETICON, reinterpret_cast<WPARAM>(PlantIcon(host, true)), 0);
}

HWND OpenPlantDialog(PlantDialogHost& host) {
  if (gState.dialog == nullptr) {
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_TAB_CLASSES | ICC_BAR_CLASSES | ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&classes);
    gState.host = &host;
    HWND dialog = CreateDialogParamA(FrameworkModule(), MAKEINTRESOURCEA(IDD_PLANT_DIALOG), host.PlantWindow(),
                                     PlantDialogProc, 0);
    if (dialog == nullptr) return nullptr;
    ShowWindow(dialog, SW_SHOW);
  }
  // Through the topmost band and out again: the dialog comes to the front without staying on top.
  SetWindowPos(gState.dialog, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  SetWindowPos(gState.dialog, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  SetFocus(gState.dialog);
  return gState.dialog;
}

HWND PlantDialogWindow() { return gState.dialog; }

void ClosePlantDialog(HWND dialog, bool cancel) {
  if (dialog == nullptr || dialog != gState.dialog) return;
  // Destroying the Options page copies its controls into the working copies.
  DestroyPages();
  if (cancel) {
    UndoMove();
  } else {
    ApplyWorkingCopies();
  }
  PostToPlantWindow(DesktopMessage(), static_cast<WPARAM>(ostrel::OstrelCode::DialogClosed), 0);
  gState.host->SetDialog(nullptr);
  gState.dialog = nullptr;
  gState.tabs = nullptr;
  gState.tooltip = nullptr;
  DestroyWindow(dialog);
}

INT_PTR CALLBACK PlantDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      OnInitDialog(dialog);
      return TRUE;
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      if (header->idFrom == IDC_PAGE_TABS && header->code == TCN_SELCHANGE) {
        ShowPage(static_cast<int32_t>(SendMessageA(gState.tabs, TCM_GETCURSEL, 0, 0)));
        return TRUE;
      }
      return FALSE;
    }
    case WM_HELP:
      ShowHelp();
      return TRUE;
    case zrf::WM_ZRF_DIALOGKEY: {
      const MSG& key = *reinterpret_cast<const MSG*>(lParam);
      return Answer(dialog, TurnPageByKey(key) || MoveFocusByTab(key) ? 1 : 0);
    }
    case WM_NEXTDLGCTL:
      // lParam 0: the next or previous stop (wParam nonzero) rather than a given control.
      if (LOWORD(lParam) != 0) return FALSE;
      FocusDialogControl(NextTabStop(GetFocus(), wParam != 0));
      return Answer(dialog, 0);
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDOK:
        case IDCANCEL:
          ClosePlantDialog(dialog, LOWORD(wParam) == IDCANCEL);
          return TRUE;
        case IDC_HELP_BUTTON:
          ShowHelp();
          return TRUE;
        case IDC_QUIT_BUTTON:
          PostMessageA(dialog, WM_QUIT, 0, 0);
          return TRUE;
      }
      return FALSE;
    case WM_SYSCOMMAND:
      if (SystemMenuItem(wParam) == kQuitMenuItem) {
        PostMessageA(dialog, WM_QUIT, 0, 0);
        return TRUE;
      }
      if (SystemMenuItem(wParam) == kHelpMenuItem) {
        ShowHelp();
        return TRUE;
      }
      return FALSE;
    case WM_DPICHANGED: {
      const int dpi = LOWORD(wParam);
      BuildTabImageList(dpi);
      gApp.UpdateDialogDpi(dialog, dpi);
      ComputePageRect();
      for (HWND page : gState.pages) {
        if (page != nullptr) SendMessageA(page, zrf::WM_ZRF_DPICHANGED, wParam, lParam);
      }
      return TRUE;
    }
    case kPlantRefreshMessage:
      for (int32_t page : {kCarePage, kOptionsPage, kInfoPage}) {
        if (gState.pages[page] != nullptr) SendMessageA(gState.pages[page], message, wParam, lParam);
      }
      return TRUE;
    case WM_DESTROY:
      if (gState.dialog == dialog) ForgetDialog();
      return FALSE;
  }
  return FALSE;
}

}  // namespace plantapp
