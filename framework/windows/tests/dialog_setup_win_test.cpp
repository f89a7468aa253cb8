// The shared dialog set-up under Wine on a test dialog: which controls get the dialog font at 96
// and 144 DPI, the one-time widening of a check box beside a label, centring on the parent,
// clamping into the work area and the parent's topmost state.
#include "framework/windows/dialog_setup_win.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>

#include "framework/app/zrf_app_win.h"
#include "framework/style/font_lists.h"
#include "framework/ui/dialog_font_rule.h"

namespace {

HFONT gInitFont = nullptr;

INT_PTR CALLBACK TestDialogProc(HWND dialog, UINT message, WPARAM, LPARAM) {
  if (message == WM_INITDIALOG) {
    gInitFont = gApp.InitDialog(dialog);
    return FALSE;
  }
  return FALSE;
}

HWND MakeParent(int x, int y, int w, int h, DWORD exStyle) {
  HWND parent = CreateWindowExA(exStyle, "Static", "Parent", WS_POPUP | WS_VISIBLE, x, y, w, h, nullptr,
                                nullptr, nullptr, nullptr);
  EXPECT_NE(parent, nullptr);
  return parent;
}

HFONT FontOf(HWND dialog, int id) {
  return reinterpret_cast<HFONT>(SendDlgItemMessageA(dialog, id, WM_GETFONT, 0, 0));
}

int WidthOf(HWND dialog, int id) {
  RECT r;
  GetWindowRect(GetDlgItem(dialog, id), &r);
  return r.right - r.left;
}

RECT RectOf(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  return r;
}

TEST(DialogSetupWin, DialogFontGoesToTheChosenControlsAtEachDpi) {
  HWND parent = MakeParent(300, 200, 600, 500, 0);
  HWND dialog =
      CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(900), parent, TestDialogProc, 0);
  ASSERT_NE(dialog, nullptr);
  const HFONT bold96 = gApp.style.FontForDpi(kFontUIBold, 96);
  ASSERT_NE(bold96, nullptr);
  EXPECT_EQ(gInitFont, bold96);
  EXPECT_EQ(gApp.dialogFont, bold96);

  EXPECT_EQ(FontOf(dialog, 917), bold96);  // default button
  EXPECT_EQ(FontOf(dialog, 916), bold96);  // group box
  EXPECT_EQ(FontOf(dialog, 913), bold96);  // plain check box beside a centred label
  EXPECT_NE(FontOf(dialog, 911), bold96);  // beside a left-aligned label (style bits 0)
  EXPECT_NE(FontOf(dialog, 915), bold96);  // auto check box
  EXPECT_NE(FontOf(dialog, 918), bold96);  // other push button
  const int plainWidth = WidthOf(dialog, 911);
  EXPECT_EQ(WidthOf(dialog, 913), zrf::WidenedCheckBoxWidth(plainWidth));
  EXPECT_EQ(WidthOf(dialog, 915), plainWidth);

  // 144 DPI: larger bold font on the same controls; the check box is not widened again.
  const HFONT bold144 = gApp.UpdateDialogDpi(dialog, 144);
  EXPECT_EQ(bold144, gApp.style.FontForDpi(kFontUIBold, 144));
  EXPECT_NE(bold144, bold96);
  LOGFONTA at96{};
  LOGFONTA at144{};
  GetObjectA(bold96, sizeof at96, &at96);
  GetObjectA(bold144, sizeof at144, &at144);
  EXPECT_EQ(std::abs(at144.lfHeight), std::abs(at96.lfHeight) * 3 / 2);
  EXPECT_EQ(FontOf(dialog, 917), bold144);
  EXPECT_EQ(FontOf(dialog, 916), bold144);
  EXPECT_EQ(FontOf(dialog, 913), bold144);
  EXPECT_EQ(WidthOf(dialog, 913), zrf::WidenedCheckBoxWidth(plainWidth));
  EXPECT_EQ(gApp.UpdateDialogDpi(dialog, 144), bold144);
  EXPECT_EQ(WidthOf(dialog, 913), zrf::WidenedCheckBoxWidth(plainWidth));

  // A DPI below 96 gets the font for 96.
  EXPECT_EQ(gApp.UpdateDialogDpi(dialog, 72), bold96);
  EXPECT_EQ(FontOf(dialog, 917), bold96);

  DestroyWindow(dialog);
  DestroyWindow(parent);
}

TEST(DialogSetupWin, CentredOnTheParentAndKeptInTheWorkArea) {
  RECT work;
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);

  HWND parent = MakeParent(300, 200, 600, 500, 0);
  HWND dialog =
      CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(900), parent, TestDialogProc, 0);
  ASSERT_NE(dialog, nullptr);
  RECT r = RectOf(dialog);
  EXPECT_NEAR((r.left + r.right) / 2, 600, 1);
  EXPECT_NEAR((r.top + r.bottom) / 2, 450, 1);
  EXPECT_EQ(GetWindowLongA(dialog, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
  DestroyWindow(dialog);
  DestroyWindow(parent);

  // A parent in the bottom-right corner, mostly off screen, and topmost.
  parent = MakeParent(work.right - 100, work.bottom - 80, 600, 500, WS_EX_TOPMOST);
  dialog = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(900), parent, TestDialogProc, 0);
  ASSERT_NE(dialog, nullptr);
  r = RectOf(dialog);
  EXPECT_GE(r.left, work.left);
  EXPECT_GE(r.top, work.top);
  EXPECT_LE(r.right, work.right);
  EXPECT_LE(r.bottom, work.bottom);
  EXPECT_NE(GetWindowLongA(dialog, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
  DestroyWindow(dialog);
  DestroyWindow(parent);
}

int32_t gDepthInside = -1;

INT_PTR CALLBACK EndAtOnceProc(HWND dialog, UINT message, WPARAM, LPARAM lParam) {
  if (message != WM_INITDIALOG) return FALSE;
  gDepthInside = gApp.modalDepth;
  EndDialog(dialog, lParam);
  return TRUE;
}

TEST(DialogSetupWin, RunModalDialogRaisesTheModalDepthMeanwhile) {
  EXPECT_EQ(gApp.RunModalDialog(nullptr, 900, EndAtOnceProc, 42), 42);
  EXPECT_EQ(gDepthInside, 1);
  EXPECT_EQ(gApp.modalDepth, 0);
  gApp.ChangeModalDepth(false);  // never below 0
  EXPECT_EQ(gApp.modalDepth, 0);
}

}  // namespace
