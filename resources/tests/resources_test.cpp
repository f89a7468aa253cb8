// The main program's resources as Windows loads them: every icon at each size the code asks for,
// the eyedropper cursor, the message-box dialog with its controls, the version block and the manifest.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "resources/resource_ids.h"
#include "version.h"

namespace {

HINSTANCE Self() { return GetModuleHandleA(nullptr); }

TEST(Resources, EveryIconLoadsAtEachSize) {
  const int ids[] = {IDI_APPLICATION_ICON, IDI_MESSAGE_CAPTION, IDI_PAGE_ABOUT, IDI_PAGE_OPTIONS,
                     IDI_PAGE_CARE, 50000, 50001, 50002, 50003, 50004, 50005, 50006, 50007, 50008};
  for (int id : ids) {
    for (int size : {16, 24, 32, 48, 64}) {
      HICON icon = static_cast<HICON>(
          LoadImageA(Self(), MAKEINTRESOURCEA(id), IMAGE_ICON, size, size, 0));
      ASSERT_NE(icon, nullptr) << "icon " << id << " at " << size;
      ICONINFO info{};
      ASSERT_TRUE(GetIconInfo(icon, &info));
      BITMAP bitmap{};
      GetObjectA(info.hbmColor, sizeof bitmap, &bitmap);
      EXPECT_EQ(bitmap.bmWidth, size) << "icon " << id;
      DeleteObject(info.hbmColor);
      DeleteObject(info.hbmMask);
      DestroyIcon(icon);
    }
  }
}

TEST(Resources, EyedropperCursorHasItsHotSpotAtTheTip) {
  HCURSOR cursor = LoadCursorA(Self(), MAKEINTRESOURCEA(IDC_EYEDROPPER));
  ASSERT_NE(cursor, nullptr);
  ICONINFO info{};
  ASSERT_TRUE(GetIconInfo(cursor, &info));
  EXPECT_FALSE(info.fIcon);
  EXPECT_EQ(info.xHotspot, 1u);
  EXPECT_EQ(info.yHotspot, 30u);
  if (info.hbmColor != nullptr) DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
}

INT_PTR CALLBACK QuietProc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

std::string ClassOf(HWND window) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

TEST(Resources, MessageBoxDialogHasItsControls) {
  HWND dialog = CreateDialogParamA(Self(), MAKEINTRESOURCEA(IDD_MESSAGE_BOX), nullptr, QuietProc, 0);
  ASSERT_NE(dialog, nullptr) << GetLastError();

  RECT units = {0, 0, 180, 57};
  MapDialogRect(dialog, &units);
  RECT client{};
  GetClientRect(dialog, &client);
  EXPECT_EQ(client.right, units.right);
  EXPECT_EQ(client.bottom, units.bottom);
  const LONG style = GetWindowLongA(dialog, GWL_STYLE);
  EXPECT_TRUE(style & WS_CAPTION);
  EXPECT_TRUE(style & WS_SYSMENU);

  struct Control {
    int id;
    const char* className;
    LONG typeBits;  // the type bits of a static or button style (low five bits)
    LONG otherBits;
  };
  const Control controls[] = {
      {IDC_MESSAGE_ICON, "Static", SS_OWNERDRAW, 0},
      {IDC_MESSAGE_FIRST_LINE, "Static", SS_LEFT, SS_NOPREFIX},
      {IDC_MESSAGE_OTHER_LINES, "Static", SS_LEFTNOWORDWRAP, SS_NOPREFIX},
      {IDOK, "Button", BS_DEFPUSHBUTTON, 0},
      {IDCANCEL, "Button", BS_PUSHBUTTON, 0},
      {IDYES, "Button", BS_PUSHBUTTON, 0},
      {IDNO, "Button", BS_PUSHBUTTON, 0},
  };
  for (const Control& c : controls) {
    HWND item = GetDlgItem(dialog, c.id);
    ASSERT_NE(item, nullptr) << c.id;
    EXPECT_STRCASEEQ(ClassOf(item).c_str(), c.className) << c.id;
    const LONG itemStyle = GetWindowLongA(item, GWL_STYLE);
    EXPECT_EQ(itemStyle & 0x1F, c.typeBits) << c.id;
    EXPECT_EQ(itemStyle & c.otherBits, c.otherBits) << c.id;
  }
  EXPECT_EQ(SendMessageA(dialog, DM_GETDEFID, 0, 0), MAKELRESULT(IDOK, DC_HASDEFID));
  DestroyWindow(dialog);
}

TEST(Resources, VersionBlockMatchesTheBuild) {
  char path[MAX_PATH];
  ASSERT_GT(GetModuleFileNameA(nullptr, path, sizeof path), 0u);
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeA(path, &ignored);
  ASSERT_GT(size, 0u);
  std::vector<char> block(size);
  ASSERT_TRUE(GetFileVersionInfoA(path, 0, size, block.data()));
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT fixedSize = 0;
  ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &fixedSize));
  EXPECT_EQ(HIWORD(fixed->dwFileVersionMS), VERDELO_VERSION_MAJOR);
  EXPECT_EQ(LOWORD(fixed->dwFileVersionMS), VERDELO_VERSION_MINOR);
  EXPECT_EQ(HIWORD(fixed->dwFileVersionLS), VERDELO_VERSION_PATCH);
}

TEST(Resources, ManifestAsksForCommonControlsSix) {
  HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
  ASSERT_NE(found, nullptr);
  const char* text = static_cast<const char*>(LockResource(LoadResource(nullptr, found)));
  const std::string manifest(text, SizeofResource(nullptr, found));
  EXPECT_NE(manifest.find("Microsoft.Windows.Common-Controls"), std::string::npos);
  EXPECT_NE(manifest.find("version=\"6.0.0.0\""), std::string::npos);
}

}  // namespace
