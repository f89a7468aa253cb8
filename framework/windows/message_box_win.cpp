#include "framework/windows/message_box_win.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "framework/app/zrf_app_win.h"
#include "framework/style/font_lists.h"
#include "framework/ui/dialog_controls_win.h"
#include "framework/ui/dpi_functions_win.h"
#include "framework/ui/monitor_table_win.h"
#include "framework/windows/dialog_setup_win.h"
#include "resources/resource_ids.h"

namespace {

constexpr uint16_t kButtonTextsId = 0xF200;
constexpr int32_t kButtonIds[4] = {zrf::kButtonOk, zrf::kButtonCancel, zrf::kButtonYes, zrf::kButtonNo};
constexpr int32_t kButtonTextPieces[4] = {0, 1, 4, 5};

MessageBoxParams* ParamsOf(HWND dialog) {
  return reinterpret_cast<MessageBoxParams*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

int32_t DialogDpi(HWND dialog) { return std::max(DpiForWindow(dialog), 96); }

HFONT FontOf(const MessageBoxParams& params, bool bold) {
  if (params.systemFonts) return gApp.style.FontForDpi(bold ? kFontSystemBold : kFontSystem, params.dpi);
  return gApp.style.FontForDpi(bold ? kFontUIBold : kFontUI, params.dpi);
}

void SetFont(HWND dialog, int id, HFONT font) {
  SendDlgItemMessageA(dialog, id, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

RECT ClientRectOf(HWND dialog, HWND control) {
  RECT r;
  GetWindowRect(control, &r);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

void PlaceControl(HWND dialog, int id, const zrf::Place& place) {
  SetWindowPos(GetDlgItem(dialog, id), nullptr, place.x, place.y, place.width, place.height,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

UINT SoundOf(zrf::MessageIcon icon) {
  switch (icon) {
    case zrf::MessageIcon::Error:
      return MB_ICONHAND;
    case zrf::MessageIcon::Warning:
      return MB_ICONEXCLAMATION;
    case zrf::MessageIcon::Information:
      return MB_ICONASTERISK;
    case zrf::MessageIcon::Question:
      return MB_ICONQUESTION;
    case zrf::MessageIcon::None:
      break;
  }
  return 0;
}

const char* SystemIconOf(zrf::MessageIcon icon) {
  switch (icon) {
    case zrf::MessageIcon::Error:
      return IDI_HAND;
    case zrf::MessageIcon::Warning:
      return IDI_EXCLAMATION;
    case zrf::MessageIcon::Information:
      return IDI_ASTERISK;
    case zrf::MessageIcon::Question:
      return IDI_QUESTION;
    case zrf::MessageIcon::None:
      break;
  }
  return nullptr;
}

// Fonts and the default button's look; also after a DPI change.
void ApplyFonts(HWND dialog, const MessageBoxParams& params) {
  SetFont(dialog, IDC_MESSAGE_FIRST_LINE, FontOf(params, params.decoded.boldFirstLine));
  if (GetDlgItem(dialog, IDC_MESSAGE_OTHER_LINES) != nullptr)
    SetFont(dialog, IDC_MESSAGE_OTHER_LINES, FontOf(params, false));
  for (int32_t id : kButtonIds) {
    const bool isDefault = id == params.defaultButton;
    SendDlgItemMessageA(dialog, id, BM_SETSTYLE, isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
    SetFont(dialog, id, FontOf(params, isDefault));
  }
}

// Every button as large as the widest button text needs in the default button's bold font (half a
// text height of margin at either end, a third of one in all across), never smaller than the
// template made it: in a large interface font the buttons' texts would otherwise be cut to nothing.
void SizeButtons(const MessageBoxParams& params, const RECT& ok, zrf::MessageLayoutInput* in) {
  int32_t textWidth = 0;
  int32_t textHeight = 0;
  for (int32_t piece : kButtonTextPieces) {
    int32_t width = 0;
    int32_t height = 0;
    gApp.style.MeasureText(gApp.strings.Text(kButtonTextsId, piece), &width, &height, FontOf(params, true));
    textWidth = std::max(textWidth, width);
    textHeight = std::max(textHeight, height);
  }
  const int32_t madeHeight = ok.bottom - ok.top;
  in->buttonWidth = std::max<int32_t>(ok.right - ok.left, textWidth + textHeight);
  in->buttonHeight = std::max(madeHeight, textHeight + textHeight / 3);
  in->buttonGrowth = in->buttonHeight - madeHeight;
}

// Measures the text and the buttons in the box's fonts and lays the box out; `in` holds what the
// fonts do not change. `shown` gets the text as the box shows it, long lines broken.
zrf::MessageLayout LayOutInFonts(const MessageBoxParams& params, const RECT& ok, zrf::MessageLayoutInput in,
                                 zrf::MessageText* shown) {
  SizeButtons(params, ok, &in);
  auto measure = [&params](size_t line, std::string_view piece) {
    const std::string text = piece.empty() ? std::string(" ") : std::string(piece);
    zrf::Size size;
    gApp.style.MeasureText(text.c_str(), &size.width, &size.height,
                           FontOf(params, line == 0 && params.decoded.boldFirstLine));
    return size;
  };
  auto measureAll = [&](const zrf::MessageText& text) {
    in.measured.clear();
    for (size_t k = 0; k < text.lines.size(); ++k) in.measured.push_back(measure(k, text.lines[k]));
  };
  // A line wider than the box may grow is broken into pieces rather than cut off at its edge.
  const zrf::MessageText given = zrf::SplitMessageText(params.text);
  measureAll(given);
  *shown = zrf::WrapMessageText(given, zrf::MessageLineWidthLimit(in, given.givenLineCount),
                                [&](size_t line, std::string_view piece) {
                                  return measure(line, piece).width + zrf::kMessageLineExtraWidth;
                                });
  if (shown->lines.size() != given.lines.size()) measureAll(*shown);
  return zrf::LayOutMessageBox(in, *shown);
}

void InitMessageBox(HWND dialog, MessageBoxParams* params) {
  SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(params));
  params->dpi = DialogDpi(dialog);
  (void)gApp.InitDialog(dialog);
  SetWindowTextA(dialog, params->caption);
  if (params->decoded.captionIcon) {
    HANDLE icon =
        LoadImageA(FrameworkModule(), MAKEINTRESOURCEA(IDI_MESSAGE_CAPTION), IMAGE_ICON, 32, 32, LR_SHARED);
    SetClassLongPtrA(dialog, GCLP_HICON, reinterpret_cast<LONG_PTR>(icon));
  }

  const RECT first = ClientRectOf(dialog, GetDlgItem(dialog, IDC_MESSAGE_FIRST_LINE));
  RECT iconArea;
  GetClientRect(GetDlgItem(dialog, IDC_MESSAGE_ICON), &iconArea);

  zrf::MessageLayoutInput in;
  in.style = params->style;
  in.textX = first.left;
  in.textY = first.top;
  in.iconHeight = iconArea.bottom;

  const RECT okRect = ClientRectOf(dialog, GetDlgItem(dialog, zrf::kButtonOk));
  in.okTop = okRect.top;
  RECT window;
  RECT client;
  GetWindowRect(dialog, &window);
  GetClientRect(dialog, &client);
  in.window = {window.right - window.left, window.bottom - window.top};
  in.frameWidth = in.window.width - client.right;

  HWND parent = GetWindow(dialog, GW_OWNER);
  RECT parentRect;
  GetWindowRect(parent != nullptr ? parent : GetDesktopWindow(), &parentRect);
  in.parent = {parentRect.left, parentRect.top, parentRect.right, parentRect.bottom};
  RECT work{};
  MonitorFromPointRect((parentRect.left + parentRect.right) / 2, (parentRect.top + parentRect.bottom) / 2,
                       &work, kCurrentMonitors, kWorkArea);
  in.workArea = {work.left, work.top, work.right, work.bottom};

  zrf::MessageText text;
  zrf::MessageLayout layout = LayOutInFonts(*params, okRect, in, &text);
  if (!layout.fits) {
    // A very large interface font, which the user may choose, can make the box larger than the
    // screen with its buttons out of reach; the system's font keeps it whole.
    params->systemFonts = true;
    layout = LayOutInFonts(*params, okRect, in, &text);
  }
  if (params->decoded.boldFirstLine) SetFont(dialog, IDC_MESSAGE_FIRST_LINE, FontOf(*params, true));
  SetDlgItemTextA(dialog, IDC_MESSAGE_FIRST_LINE, text.lines.empty() ? "" : text.lines[0].c_str());
  PlaceControl(dialog, IDC_MESSAGE_FIRST_LINE, layout.firstLine);
  if (layout.hasOtherLines) {
    PlaceControl(dialog, IDC_MESSAGE_OTHER_LINES, layout.otherLines);
    SetDlgItemTextA(dialog, IDC_MESSAGE_OTHER_LINES, layout.otherText.c_str());
  } else {
    DestroyWindow(GetDlgItem(dialog, IDC_MESSAGE_OTHER_LINES));
  }
  SetWindowPos(dialog, nullptr, layout.window.left, layout.window.top, layout.window.Width(),
               layout.window.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
  if (const UINT sound = SoundOf(params->decoded.icon); sound != 0) MessageBeep(sound);

  for (int i = 0; i < 4; ++i) {
    const zrf::MessageButtonPlace& place = layout.buttons[i];
    HWND button = GetDlgItem(dialog, place.id);
    if (place.visible) {
      SetWindowPos(button, nullptr, place.x, place.y, layout.button.width, layout.button.height,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    } else {
      ShowWindow(button, SW_HIDE);
    }
    SetWindowTextA(button, gApp.strings.Text(kButtonTextsId, kButtonTextPieces[i]));
  }
  params->defaultButton = layout.defaultButton;
  SendMessageA(dialog, DM_SETDEFID, layout.defaultButton, 0);
  SetFocus(GetDlgItem(dialog, layout.defaultButton));
}

void DrawIcon(const MessageBoxParams& params, const DRAWITEMSTRUCT& item) {
  const char* name = SystemIconOf(params.decoded.icon);
  if (name == nullptr) return;
  const int size = (item.rcItem.bottom - item.rcItem.top) & ~1;
  HANDLE icon = LoadImageA(nullptr, name, IMAGE_ICON, size, size, LR_SHARED);
  if (icon != nullptr) {
    DrawIconEx(item.hDC, item.rcItem.left, item.rcItem.top, static_cast<HICON>(icon), size, size, 0, nullptr,
               DI_NORMAL);
  }
}

}  // namespace

INT_PTR CALLBACK MessageDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    InitMessageBox(dialog, reinterpret_cast<MessageBoxParams*>(lParam));
    return FALSE;
  }
  MessageBoxParams* params = ParamsOf(dialog);
  if (params == nullptr) return FALSE;
  switch (message) {
    case WM_SHOWWINDOW:
      ApplyFonts(dialog, *params);
      return FALSE;
    case WM_DRAWITEM:
      if (wParam == IDC_MESSAGE_ICON) {
        DrawIcon(*params, *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
      }
      return FALSE;
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      if (id != zrf::kButtonOk && id != zrf::kButtonCancel && id != zrf::kButtonYes && id != zrf::kButtonNo) {
        return FALSE;
      }
      EndDialog(dialog, id);
      if (HWND parent = GetWindow(dialog, GW_OWNER)) BringWindowToTop(parent);
      return TRUE;
    }
    case WM_DPICHANGED: {
      params->dpi = std::max<int32_t>(LOWORD(wParam), 96);
      const HFONT font = gApp.UpdateDialogDpi(dialog, params->dpi);
      if (params->decoded.boldFirstLine) SetFont(dialog, IDC_MESSAGE_FIRST_LINE, font);
      SendMessageA(dialog, WM_SHOWWINDOW, TRUE, 0);
      return TRUE;
    }
    default:
      return FALSE;
  }
}

int32_t CZrfApp::MessageDialog(HWND owner, const char* caption, const char* format, uint32_t style,
                               int32_t focusId, ...) {
  if (format == nullptr) format = "";
  va_list args;
  va_start(args, focusId);
  va_list measure;
  va_copy(measure, args);
  const int length = std::vsnprintf(nullptr, 0, format, measure);
  va_end(measure);
  char* text = length < 0 ? nullptr : static_cast<char*>(std::malloc(static_cast<size_t>(length) + 1));
  if (text == nullptr) {
    va_end(args);
    return zrf::kMessageNoMemory;
  }
  std::vsnprintf(text, static_cast<size_t>(length) + 1, format, args);
  va_end(args);

  if (caption == nullptr) caption = strings.Text(productStringId, 0);
  HWND focus = GetFocus();
  if (owner == nullptr) owner = OwnForegroundWindow();
  ShowAndRaiseOwner(owner);

  MessageBoxParams params{caption, text, style, zrf::DecodeMessageStyle(style), zrf::kButtonOk, 96};
  ChangeModalDepth(true);
  const INT_PTR result = DialogBoxParamA(FrameworkModule(), MAKEINTRESOURCEA(IDD_MESSAGE_BOX), owner,
                                         MessageDialogProc, reinterpret_cast<LPARAM>(&params));
  ChangeModalDepth(false);
  std::free(text);

  if (owner != nullptr && focusId != 0) {
    FocusAndSelectEdit(owner, focusId);
  } else if (focus != nullptr && IsWindow(focus)) {
    SetFocus(focus);
  }
  return static_cast<int32_t>(result);
}
