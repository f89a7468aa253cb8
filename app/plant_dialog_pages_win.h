// The dialog procedures of the plant dialog's four pages (resources 105, 107, 108, 109): modeless
// child dialogs of its tab control that edit the dialog's working copies.
#pragma once

#include <windows.h>

namespace plantapp {

INT_PTR CALLBACK CarePageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK OptionsPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK InfoPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK AboutPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace plantapp
