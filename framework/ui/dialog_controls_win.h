// Shortcuts for the controls of dialogs: check boxes, number fields, formatted and UTF-8 texts,
// enabling, hiding and focusing items.
#pragma once

#include <windows.h>

#include <cstdint>

/// BM_GETCHECK of an item.
int GetCheck(HWND dialog, int item);
/// BM_SETCHECK of an item.
void SetCheck(HWND dialog, int item, int state);

/// The item's number by ParseDlgNumber (dialog_number.h) of its first 31 characters.
int32_t GetDlgItemNumber(HWND dialog, int item, int32_t minimum, int32_t maximum, bool strict);
/// Sets the item's text to the decimal number.
void SetDlgItemNumber(HWND dialog, int item, int32_t value);
/// Sets the item's text from a printf-style format, cut to 1023 characters.
void SetDlgItemTextF(HWND dialog, int item, const char* format, ...);

/// Sets an item's text that may be UTF-8: a text that is not valid UTF-8 is set as ANSI
/// (result: its length); a valid one is converted and set as UTF-16 (result: the conversion's
/// count, 0 when the conversion buffer could not be allocated). Null counts as "".
int SetDlgItemTextUtf8(HWND dialog, int item, const char* text);

/// EnableWindow on each listed item; the list ends at the first id of 0 or less.
void EnableDialogItems(bool enable, HWND dialog, ...);
/// Hides each listed item; the list ends at the first id of 0 or less.
void HideDialogItems(HWND dialog, ...);

/// Focuses an edit item and selects all of its text.
void FocusAndSelectEdit(HWND dialog, int item);

/// Gives control the focus through the dialog manager of the outermost dialog it lies in
/// (WM_NEXTDLGCTL), so that dialog's default button follows the focus; SetFocus where that dialog
/// took no notice.
void FocusDialogControl(HWND control);
