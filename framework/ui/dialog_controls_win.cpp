// Shortcuts for dialog controls.
#include "framework/ui/dialog_controls_win.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>

#include "framework/base/dialog_number.h"
#include "framework/base/utf8_check.h"

int GetCheck(HWND dialog, int item) { return int(SendDlgItemMessageA(dialog, item, BM_GETCHECK, 0, 0)); }

void SetCheck(HWND dialog, int item, int state) {
  SendDlgItemMessageA(dialog, item, BM_SETCHECK, WPARAM(state), 0);
}

int32_t GetDlgItemNumber(HWND dialog, int item, int32_t minimum, int32_t maximum, bool strict) {
  char text[32] = {};
  GetDlgItemTextA(dialog, item, text, sizeof text);
  return ParseDlgNumber(text, minimum, maximum, strict);
}

void SetDlgItemNumber(HWND dialog, int item, int32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "%d", int(value));
  SetDlgItemTextA(dialog, item, text);
}

void SetDlgItemTextF(HWND dialog, int item, const char* format, ...) {
  char text[1024];
  va_list arguments;
  va_start(arguments, format);
  std::vsnprintf(text, sizeof text, format, arguments);
  va_end(arguments);
  SetDlgItemTextA(dialog, item, text);
}

int SetDlgItemTextUtf8(HWND dialog, int item, const char* text) {
  if (text == nullptr) text = "";
  if (!IsValidUtf8(text)) {
    SetDlgItemTextA(dialog, item, text);
    return int(std::strlen(text));
  }
  // Each byte yields at most one UTF-16 unit, so length + 1 units hold the text and its end.
  size_t length = std::strlen(text);
  if (length >= size_t(INT32_MAX)) return 0;
  std::unique_ptr<wchar_t[]> wide(new (std::nothrow) wchar_t[length + 1]);
  if (!wide) return 0;
  int count = MultiByteToWideChar(CP_UTF8, 0, text, -1, wide.get(), int(length + 1));
  if (count == 0) return 0;
  SetDlgItemTextW(dialog, item, wide.get());
  return count;
}

void EnableDialogItems(bool enable, HWND dialog, ...) {
  va_list items;
  va_start(items, dialog);
  for (int item = va_arg(items, int); item > 0; item = va_arg(items, int))
    EnableWindow(GetDlgItem(dialog, item), enable ? TRUE : FALSE);
  va_end(items);
}

void HideDialogItems(HWND dialog, ...) {
  va_list items;
  va_start(items, dialog);
  for (int item = va_arg(items, int); item > 0; item = va_arg(items, int))
    ShowWindow(GetDlgItem(dialog, item), SW_HIDE);
  va_end(items);
}

void FocusAndSelectEdit(HWND dialog, int item) {
  HWND edit = GetDlgItem(dialog, item);
  SetFocus(edit);
  SendMessageA(edit, EM_SETSEL, 0, -1);
}

void FocusDialogControl(HWND control) {
  if (control == nullptr) return;
  SendMessageA(GetAncestor(control, GA_ROOT), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
  if (GetFocus() != control) SetFocus(control);
}
