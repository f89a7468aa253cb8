// The plant dialog's four pages in tab order, with what each tab shows and the help topic of
// each page, and the items the dialog adds to its system menu. Platform-free.
#pragma once

#include <cstdint>

namespace plantapp {

enum DialogPage : int32_t { kCarePage = 0, kOptionsPage = 1, kInfoPage = 2, kAboutPage = 3 };
inline constexpr int32_t kPageCount = 4;

/// The tabs' texts, in tab order.
inline constexpr const char* kPageTitles[kPageCount] = {"Care", "Options", "Info", "About"};
/// The help file and each page's topic in it.
inline constexpr char kHelpFile[] = "Verdelo.chm";
inline constexpr const char* kPageHelpTopics[kPageCount] = {"PlantCare.htm", "PlantOptions.htm", "PlantInfo.htm",
                                                            "About.htm"};

/// The system-menu items the dialog appends. WM_SYSCOMMAND keeps the low four bits of its command
/// for the system's own use, so the ids leave them clear, and they stay below the system's 0xF000.
inline constexpr uint32_t kHelpMenuItem = 0x90;
inline constexpr uint32_t kQuitMenuItem = 0xA0;
static_assert((kHelpMenuItem & 0xF) == 0 && (kQuitMenuItem & 0xF) == 0);
static_assert(kHelpMenuItem < 0xF000 && kQuitMenuItem < 0xF000);

/// The menu item a WM_SYSCOMMAND wParam names.
constexpr uint32_t SystemMenuItem(uintptr_t wParam) { return static_cast<uint32_t>(wParam) & 0xFFF0; }

}  // namespace plantapp
