// Link labels under Wine on a test dialog: what they take from the static and its style, the
// tooltip, opening the target on a click that began on the link and on the space bar, detaching,
// also by a dialog that is destroyed, and a text too wide for the link's usual font.
#include "framework/windows/link_label_win.h"

#include <commctrl.h>
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <climits>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

INT_PTR CALLBACK PlainDialogProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

std::string TempPath(const char* name) {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  return std::string(temp) + name;
}

long LineCount(const std::string& path) {
  std::ifstream in(path);
  return static_cast<long>(std::count(std::istreambuf_iterator<char>(in), {}, '\n'));
}

bool WaitForLines(const std::string& path, long lines) {
  for (int round = 0; round < 1500; ++round) {
    if (LineCount(path) >= lines) return true;
    Sleep(20);
  }
  return false;
}

TEST(LinkLabelWin, TakesTheStaticOpensOnAClickOrSpaceAndDetaches) {
  const std::string marker = TempPath("link-opened.txt");
  const std::string target = TempPath("link-target.bat");
  DeleteFileA(marker.c_str());
  std::ofstream(target) << "@echo opened>>\"" << marker << "\"\n";
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  HWND dialog =
      CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(901), nullptr, PlainDialogProc, 0);
  ASSERT_NE(dialog, nullptr);

  CLinkLabel missing;
  EXPECT_FALSE(missing.Attach(dialog, 999, "x"));
  EXPECT_EQ(missing.control, nullptr);
  CLinkLabel centred;
  ASSERT_TRUE(centred.Attach(dialog, 920, nullptr));
  EXPECT_STREQ(centred.target, "Centred");
  EXPECT_EQ(centred.drawFlags, static_cast<uint32_t>(DT_CENTER));
  CLinkLabel right;
  ASSERT_TRUE(right.Attach(dialog, 922, "elsewhere"));
  EXPECT_STREQ(right.text, "Right");
  EXPECT_EQ(right.drawFlags, static_cast<uint32_t>(DT_RIGHT));
  CLinkLabel path;
  ASSERT_TRUE(path.Attach(dialog, 921, target.c_str()));
  EXPECT_STREQ(path.text, target.c_str());
  EXPECT_EQ(path.drawFlags, static_cast<uint32_t>(DT_PATH_ELLIPSIS));
  char shown[MAX_PATH] = "";
  GetWindowTextA(path.control, shown, sizeof shown);
  EXPECT_EQ(std::string(shown), target);

  char tip[MAX_PATH] = "";
  TTTOOLINFOA tool{};
  tool.cbSize = TTTOOLINFOA_V1_SIZE;
  tool.hwnd = dialog;
  tool.uId = reinterpret_cast<UINT_PTR>(path.control);
  tool.lpszText = tip;
  SendMessageA(path.tooltip, TTM_GETTEXTA, sizeof tip, reinterpret_cast<LPARAM>(&tool));
  EXPECT_EQ(std::string(tip), target);
  EXPECT_EQ(SendMessageA(path.control, WM_SETCURSOR, reinterpret_cast<WPARAM>(path.control), HTCLIENT), TRUE);

  // A release over the link after a press elsewhere opens nothing; a click and Space each open it.
  SetFocus(centred.control);
  SendMessageA(path.control, WM_LBUTTONUP, 0, 0);
  SendMessageA(path.control, WM_LBUTTONDOWN, MK_LBUTTON, 0);
  EXPECT_EQ(GetFocus(), path.control);
  SendMessageA(path.control, WM_LBUTTONUP, 0, 0);
  EXPECT_TRUE(WaitForLines(marker, 1));
  SendMessageA(path.control, WM_KEYDOWN, VK_SPACE, 0);
  EXPECT_TRUE(WaitForLines(marker, 2));

  HWND control = path.control;
  HWND tooltip = path.tooltip;
  path.Detach();
  EXPECT_FALSE(IsWindow(control));
  EXPECT_FALSE(IsWindow(tooltip));
  EXPECT_EQ(path.control, nullptr);
  tooltip = centred.tooltip;
  DestroyWindow(dialog);
  EXPECT_EQ(centred.control, nullptr);
  EXPECT_FALSE(IsWindow(tooltip));
  centred.Detach();  // nothing left to do
  EXPECT_EQ(LineCount(marker), 2);
  DeleteFileA(target.c_str());
  DeleteFileA(marker.c_str());
}

struct Box {
  int left = INT_MAX, top = INT_MAX, right = -1, bottom = -1;  // inclusive; empty while right < 0
  void Add(int x, int y) {
    left = std::min(left, x);
    top = std::min(top, y);
    right = std::max(right, x);
    bottom = std::max(bottom, y);
  }
};

// The control's client area as the screen shows it, after a paint of its own.
std::vector<COLORREF> Pixels(HWND control, int width, int height) {
  RedrawWindow(control, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  std::vector<COLORREF> pixels;
  HDC dc = GetDC(control);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) pixels.push_back(GetPixel(dc, x, y));
  }
  ReleaseDC(control, dc);
  return pixels;
}

bool IsLinkBlue(COLORREF pixel) {
  return GetBValue(pixel) > GetRValue(pixel) + 60 && GetBValue(pixel) > GetGValue(pixel) + 60;
}

TEST(LinkLabelWin, ATextWiderThanItsControlFitsWithTheFocusRectangleAroundIt) {
  HWND dialog =
      CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(901), nullptr, PlainDialogProc, 0);
  ASSERT_NE(dialog, nullptr);
  CLinkLabel web;
  ASSERT_TRUE(web.Attach(dialog, 923, nullptr));
  RECT client;
  GetClientRect(web.control, &client);
  const int width = client.right, height = client.bottom;
  SetFocus(GetDlgItem(dialog, 920));
  const std::vector<COLORREF> plain = Pixels(web.control, width, height);
  SetFocus(web.control);
  const std::vector<COLORREF> focused = Pixels(web.control, width, height);
  Box text, focus;
  for (int i = 0; i < width * height; ++i) {
    if (IsLinkBlue(plain[i])) text.Add(i % width, i / width);
    if (focused[i] != plain[i]) focus.Add(i % width, i / width);
  }
  ASSERT_GE(text.right, 0);
  ASSERT_GE(focus.right, 0);
  // The whole address shows, not cut at either end nor reduced to an ellipsis, and the focus
  // rectangle runs around it, inside the control.
  EXPECT_GT(text.right - text.left, width / 2);
  EXPECT_LT(focus.left, text.left);
  EXPECT_GT(focus.right, text.right);
  EXPECT_LT(focus.top, text.top);
  EXPECT_GT(focus.bottom, text.bottom);
  DestroyWindow(dialog);
}

}  // namespace
