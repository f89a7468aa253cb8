// Dialog-control shortcuts on real controls.
#include "framework/ui/dialog_controls_win.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace {

constexpr int kCheck = 10;
constexpr int kEdit = 11;
constexpr int kLabel = 12;

class ControlsTest : public ::testing::Test {
 protected:
  ControlsTest() {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    dialog = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 300, 200, nullptr, nullptr, instance, nullptr);
    CreateWindowExA(0, "BUTTON", "check", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, 0, 0, 80, 20, dialog,
                    HMENU(INT_PTR(kCheck)), instance, nullptr);
    CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 0, 30, 80, 20, dialog, HMENU(INT_PTR(kEdit)),
                    instance, nullptr);
    CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 60, 80, 20, dialog, HMENU(INT_PTR(kLabel)),
                    instance, nullptr);
  }
  ~ControlsTest() override { DestroyWindow(dialog); }
  std::string Text(int item) {
    char text[2048] = {};
    GetDlgItemTextA(dialog, item, text, sizeof text);
    return text;
  }
  HWND dialog;
};

TEST_F(ControlsTest, Numbers) {
  SetDlgItemNumber(dialog, kEdit, -42);
  EXPECT_EQ(Text(kEdit), "-42");
  EXPECT_EQ(GetDlgItemNumber(dialog, kEdit, -100, 100, true), -42);
  SetDlgItemTextA(dialog, kEdit, "12x");
  EXPECT_EQ(GetDlgItemNumber(dialog, kEdit, 7, 9999, false), 12);
  EXPECT_EQ(GetDlgItemNumber(dialog, kEdit, 7, 9999, true), 7);
}

TEST_F(ControlsTest, FormattedAndUtf8Texts) {
  SetDlgItemTextF(dialog, kLabel, "%s v%d.%d.%d", "Verdelo", 1, 2, 3);
  EXPECT_EQ(Text(kLabel), "Verdelo v1.2.3");
  SetDlgItemTextF(dialog, kLabel, "%s", std::string(3000, 'x').c_str());
  EXPECT_EQ(Text(kLabel).size(), 1023u);
  EXPECT_EQ(SetDlgItemTextUtf8(dialog, kLabel, "\xC3\xA9t\xC3\xA9"), 4);  // three characters and the end
  wchar_t wide[16] = {};
  GetDlgItemTextW(dialog, kLabel, wide, 16);
  EXPECT_EQ(std::wstring(wide), L"\u00E9t\u00E9");
  EXPECT_EQ(SetDlgItemTextUtf8(dialog, kLabel, "\xE9t\xE9"), 3);  // not UTF-8: set as ANSI
  EXPECT_EQ(SetDlgItemTextUtf8(dialog, kLabel, nullptr), 1);
  EXPECT_EQ(Text(kLabel), "");
}

TEST_F(ControlsTest, EnableHideAndSelect) {
  EnableDialogItems(false, dialog, kCheck, kEdit, 0, kLabel);
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, kCheck)));
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, kEdit)));
  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, kLabel)));  // after the list's end
  EnableDialogItems(true, dialog, kCheck, -1);
  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, kCheck)));
  HideDialogItems(dialog, kLabel, 0);
  EXPECT_EQ(GetWindowLongPtrA(GetDlgItem(dialog, kLabel), GWL_STYLE) & WS_VISIBLE, 0);
  EnableDialogItems(true, dialog, kEdit, 0);
  SetDlgItemTextA(dialog, kEdit, "select me");
  FocusAndSelectEdit(dialog, kEdit);
  DWORD start = 0;
  DWORD end = 0;
  SendDlgItemMessageA(dialog, kEdit, EM_GETSEL, WPARAM(&start), LPARAM(&end));
  EXPECT_EQ(start, 0u);
  EXPECT_EQ(end, 9u);
}

}  // namespace
