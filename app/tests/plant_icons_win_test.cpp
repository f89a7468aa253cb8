// The plant file's icons lent to a window: given over the class's and the window's own, taken back
// before they are destroyed, and never a shared icon destroyed on the way.
#include "app/plant_icons_win.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <fstream>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "plant/tests/test_plants.h"

namespace plantapp {
namespace {

// An icon file with one 16 x 16 32-bit image: the directory, one entry, then the image as a DIB of
// twice the height (colour rows, then the AND mask rows).
std::vector<uint8_t> IconFile() {
  constexpr uint32_t kSide = 16;
  constexpr uint32_t kImageBytes = 40 + kSide * kSide * 4 + kSide * 4;
  std::vector<uint8_t> bytes;
  // Little-endian fields of the given sizes.
  auto put = [&](std::initializer_list<std::pair<uint32_t, int>> fields) {
    for (const auto& [value, size] : fields) {
      for (int i = 0; i < size; ++i) bytes.push_back(static_cast<uint8_t>(value >> (8 * i)));
    }
  };
  put({{0, 2}, {1, 2}, {1, 2}});  // ICONDIR: an icon, one image
  put({{kSide, 1}, {kSide, 1}, {0, 1}, {0, 1}, {1, 2}, {32, 2}, {kImageBytes, 4}, {6 + 16, 4}});
  put({{40, 4}, {kSide, 4}, {2 * kSide, 4}, {1, 2}, {32, 2}, {0, 4}, {0, 4}, {0, 4}, {0, 4}, {0, 4}, {0, 4}});
  for (uint32_t i = 0; i < kSide * kSide; ++i) put({{0xFF20A040, 4}});  // opaque green
  for (uint32_t i = 0; i < kSide; ++i) put({{0, 4}});                   // AND mask: all shown
  return bytes;
}

bool IsLiveIcon(HICON icon) {
  ICONINFO info{};
  if (!GetIconInfo(icon, &info)) return false;
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  return true;
}

HICON ClassIcon(HWND window) { return reinterpret_cast<HICON>(GetClassLongPtrA(window, GCLP_HICON)); }
HICON WindowIcon(HWND window) {
  return reinterpret_cast<HICON>(SendMessageA(window, WM_GETICON, ICON_BIG, 0));
}

TEST(PlantIcons, FileIconsAreLentAndTakenBackTheSharedIconStays) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = DefWindowProcA;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hIcon = LoadIconA(nullptr, MAKEINTRESOURCEA(32512));  // IDI_APPLICATION: shared
  wc.lpszClassName = "PlantIconsTest";
  RegisterClassA(&wc);
  const HWND window =
      CreateWindowExA(0, wc.lpszClassName, "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, wc.hInstance, nullptr);
  ASSERT_NE(window, nullptr);
  plant_test::ScratchFolder folder("plant_icons");

  // A plain plant file has no icons: the window keeps the program's shared icon, untouched.
  {
    PlantIcons none;
    const std::string plantFile = folder.File("Fern.plt");
    plant_test::WriteFile(plantFile, plant_test::DefaultPlantBytes());
    none.Extract(plantFile);
    EXPECT_EQ(none.Large(), nullptr);
    none.GiveTo(window);
    EXPECT_EQ(ClassIcon(window), wc.hIcon);
  }
  EXPECT_TRUE(IsLiveIcon(wc.hIcon));

  // A file with icons lends them to the class and the window until they are taken back.
  const std::string iconFile = folder.File("Fern.ico");
  plant_test::WriteFile(iconFile, IconFile());
  HICON lent = nullptr;
  {
    PlantIcons icons;
    icons.Extract(iconFile);
    lent = icons.Large();
    ASSERT_NE(lent, nullptr);
    ASSERT_NE(icons.Small(), nullptr);
    icons.GiveTo(window);
    EXPECT_EQ(ClassIcon(window), lent);
    EXPECT_EQ(WindowIcon(window), lent);
  }
  EXPECT_EQ(ClassIcon(window), wc.hIcon);
  EXPECT_EQ(WindowIcon(window), nullptr);
  EXPECT_FALSE(IsLiveIcon(lent)) << "the extracted icon was not destroyed";
  EXPECT_TRUE(IsLiveIcon(wc.hIcon)) << "the shared icon was destroyed";
  DestroyWindow(window);
}

}  // namespace
}  // namespace plantapp
