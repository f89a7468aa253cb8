// The link label: attaching to a static, its window procedure, painting and opening the target.
#include "framework/windows/link_label_win.h"

#include <commctrl.h>

#include <cstdio>

#include "framework/app/zrf_app_win.h"
#include "framework/base/scoped_handles_win.h"
#include "framework/base/zrf_rect_win.h"
#include "framework/shell/shell_open_win.h"
#include "framework/style/font_lists.h"
#include "framework/ui/dpi_functions_win.h"
#include "framework/ui/link_label_fit.h"

namespace {

constexpr int32_t kLinkFontSize = 12;  // pixels at 96 DPI
// The smallest the font shrinks to (at 96 DPI) for a text that is too wide; still readable.
constexpr int32_t kSmallestLinkFontSize = 8;
constexpr int32_t kFocusGap = 3;  // pixels at 96 DPI between the text box and the focus rectangle
constexpr COLORREF kLinkColour = 0x00FF0000;
constexpr UINT kLinkTextFormat = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;

void CopyText(char (&to)[CLinkLabel::kTextSize], const char* from) {
  std::snprintf(to, sizeof to, "%s", from != nullptr ? from : "");
}

HFONT CreateLinkFont(int32_t height, const char* face) {
  return CreateFontA(-height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                     CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, face);
}

zrf::Size MeasureLinkText(HDC dc, const char* text, HFONT font) {
  ScopedSelect selected(dc, font);
  RECT extent{};
  // Without DT_VCENTER: Wine centres the measured line on the empty rectangle's top and reports
  // half its height.
  DrawTextA(dc, text, -1, &extent, DT_SINGLELINE | DT_NOPREFIX | DT_CALCRECT);
  return {static_cast<int32_t>(extent.right - extent.left), static_cast<int32_t>(extent.bottom - extent.top)};
}

zrf::LinkAlign AlignOf(uint32_t drawFlags) {
  if ((drawFlags & DT_CENTER) != 0) return zrf::LinkAlign::Centre;
  if ((drawFlags & DT_RIGHT) != 0) return zrf::LinkAlign::Right;
  return zrf::LinkAlign::Left;
}

uint32_t DrawFlagsForStyle(LONG style) {
  uint32_t flags = 0;
  if ((style & SS_TYPEMASK) == SS_CENTER) flags |= DT_CENTER;
  if ((style & SS_TYPEMASK) == SS_RIGHT) flags |= DT_RIGHT;
  if ((style & SS_ELLIPSISMASK) == SS_PATHELLIPSIS) flags |= DT_PATH_ELLIPSIS;
  return flags;
}

}  // namespace

CLinkLabel::CLinkLabel()
    : controlId(0),
      control(nullptr),
      dialog(nullptr),
      tooltip(nullptr),
      text{},
      target{},
      drawFlags(0),
      previousProc(nullptr) {}

CLinkLabel::~CLinkLabel() { Detach(); }

bool CLinkLabel::Attach(HWND dialogWindow, int32_t id, const char* linkTarget) {
  Detach();
  controlId = id;
  dialog = dialogWindow;
  HWND found = GetDlgItem(dialogWindow, id);
  if (found == nullptr) return false;
  GetWindowTextA(found, text, sizeof text);
  CopyText(target, linkTarget != nullptr ? linkTarget : text);
  if (text[0] == '\0' && linkTarget != nullptr) {
    CopyText(text, linkTarget);
    SetWindowTextA(found, text);
  }
  drawFlags = DrawFlagsForStyle(GetWindowLongA(found, GWL_STYLE));
  SetWindowLongPtrA(found, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  previousProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(found, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CLinkLabel::WndProc)));
  control = found;

  tooltip =
      CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                      CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, dialogWindow, nullptr,
                      reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(dialogWindow, GWLP_HINSTANCE)), nullptr);
  if (tooltip != nullptr) {
    TTTOOLINFOA tool{};
    // The first version of the record: every comctl32 accepts it, with or without a manifest.
    tool.cbSize = TTTOOLINFOA_V1_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = dialogWindow;
    tool.uId = reinterpret_cast<UINT_PTR>(found);
    tool.lpszText = target;
    SendMessageA(tooltip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
  }
  return true;
}

void CLinkLabel::Detach() {
  if (control == nullptr) return;
  HWND attached = control;
  Unbind();
  DestroyWindow(attached);
}

// Requires: attached. Ensures: the control has its own procedure again and the tooltip is gone.
void CLinkLabel::Unbind() {
  SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previousProc));
  SetWindowLongPtrA(control, GWLP_USERDATA, 0);
  // A dialog that is being destroyed has destroyed its owned tooltip already.
  if (tooltip != nullptr && IsWindow(tooltip)) DestroyWindow(tooltip);
  tooltip = nullptr;
  control = nullptr;
}

void CLinkLabel::Open() const {
  if (target[0] == '\0') return;
  (void)ShellOpen(target, nullptr, nullptr, nullptr, SW_SHOWNORMAL);
}

// The text always fits the control: a text too wide for it is drawn in a smaller font, then with
// an ellipsis (a path link shortens its middle instead), so no letter is cut at the edges and the
// focus rectangle goes around the text, never through it.
void CLinkLabel::Paint() {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(control, &paint);
  RECT client;
  GetClientRect(control, &client);
  FillRect(dc, &client, GetSysColorBrush(COLOR_3DFACE));
  char systemFace[kFontFaceSize];
  char uiFace[kFontFaceSize];
  gApp.style.Fonts().Faces(systemFace, uiFace);
  const int32_t dpi = DpiForWindow(dialog);
  const zrf::Rect area = ToZrfRect(client);
  const int32_t gap = MulDiv(kFocusGap, dpi, 96);
  const zrf::Rect room = zrf::LinkTextRoom(area, gap);
  const bool pathEllipsis = (drawFlags & DT_PATH_ELLIPSIS) != 0;
  const auto measure = [&](int32_t height) {
    ScopedGdiObject<HFONT> font(CreateLinkFont(height, uiFace));
    return MeasureLinkText(dc, text, font.Get());
  };
  const zrf::LinkFont choice =
      zrf::ChooseLinkFont(MulDiv(kLinkFontSize, dpi, 96), MulDiv(kSmallestLinkFontSize, dpi, 96),
                          {room.Width(), room.Height()}, pathEllipsis, measure);
  ScopedGdiObject<HFONT> font(CreateLinkFont(choice.height, uiFace));
  {
    ScopedSelect selected(dc, font.Get());
    const zrf::Rect box =
        zrf::LinkTextBox(area, gap, MeasureLinkText(dc, text, font.Get()), AlignOf(drawFlags));
    RECT textRect = ToWinRect(box);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, kLinkColour);
    const UINT shorten = choice.fits || pathEllipsis ? 0 : DT_END_ELLIPSIS;
    // Unclipped: Wine clips a text drawn in the rectangle it measured to a little less, losing
    // the last glyph's right edge or all of a slash. The box lies inside the control, and a too
    // wide text is shortened to it, so nothing reaches past the gap.
    DrawTextA(dc, text, -1, &textRect, kLinkTextFormat | DT_NOCLIP | drawFlags | shorten);
    if (GetFocus() == control) {
      const RECT focus = ToWinRect(zrf::LinkFocusRect(area, gap, box));
      DrawFocusRect(dc, &focus);
    }
  }
  EndPaint(control, &paint);
}

LRESULT CLinkLabel::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  HWND window = control;
  WNDPROC previous = previousProc;
  switch (message) {
    case WM_PAINT:
      Paint();
      return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      InvalidateRect(window, nullptr, TRUE);
      return 0;
    case WM_SETCURSOR:
      SetCursor(LoadCursorA(nullptr, IDC_HAND));
      return TRUE;
    case WM_LBUTTONDOWN:
      SetFocus(window);
      break;
    case WM_LBUTTONUP:
      // Only the end of a click that began here: a press elsewhere leaves the focus elsewhere.
      if (GetFocus() == window) {
        InvalidateRect(window, nullptr, TRUE);
        Open();
      }
      break;
    case WM_KEYDOWN:
      if (wParam == VK_SPACE && GetFocus() == window) {
        InvalidateRect(window, nullptr, TRUE);
        Open();
      }
      break;
    case WM_NCDESTROY:
      // Destroyed with its dialog: nothing may reach this object afterwards.
      Unbind();
      break;
    default:
      break;
  }
  return CallWindowProcA(previous, window, message, wParam, lParam);
}

LRESULT CALLBACK CLinkLabel::WndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* label = reinterpret_cast<CLinkLabel*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (label == nullptr || label->control != window) return DefWindowProcA(window, message, wParam, lParam);
  return label->Handle(message, wParam, lParam);
}
