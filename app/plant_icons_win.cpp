// The plant file's icons; see plant_icons_win.h.
#include "app/plant_icons_win.h"

#include <shellapi.h>

namespace plantapp {
namespace {

HICON ClassIcon(HWND window, int which) { return reinterpret_cast<HICON>(GetClassLongPtrA(window, which)); }

void SetClassIcon(HWND window, int which, HICON icon) {
  SetClassLongPtrA(window, which, reinterpret_cast<LONG_PTR>(icon));
}

HICON SetWindowIcon(HWND window, WPARAM which, HICON icon) {
  return reinterpret_cast<HICON>(SendMessageA(window, WM_SETICON, which, reinterpret_cast<LPARAM>(icon)));
}

}  // namespace

void PlantIcons::Extract(const std::string& path) {
  Release();
  HICON large = nullptr;
  HICON small = nullptr;
  // A file that is neither a program, a library nor an icon file (a plain plant file) gives none.
  if (ExtractIconExA(path.c_str(), 0, &large, &small, 1) == 0) {
    return;
  }
  large_ = plant::OwnedIcon(large);
  small_ = plant::OwnedIcon(small);
}

void PlantIcons::GiveTo(HWND window) {
  TakeBack();
  window_ = window;
  // What stands there now is the program's shared icon or the window's; it is only put back.
  if (large_.Get() != nullptr) {
    classLarge_ = ClassIcon(window, GCLP_HICON);
    SetClassIcon(window, GCLP_HICON, large_.Get());
    windowLarge_ = SetWindowIcon(window, ICON_BIG, large_.Get());
  }
  if (small_.Get() != nullptr) {
    classSmall_ = ClassIcon(window, GCLP_HICONSM);
    SetClassIcon(window, GCLP_HICONSM, small_.Get());
    windowSmall_ = SetWindowIcon(window, ICON_SMALL, small_.Get());
  }
}

void PlantIcons::TakeBack() {
  if (window_ == nullptr || !IsWindow(window_)) {
    window_ = nullptr;
    return;
  }
  if (large_.Get() != nullptr) {
    SetClassIcon(window_, GCLP_HICON, classLarge_);
    SetWindowIcon(window_, ICON_BIG, windowLarge_);
  }
  if (small_.Get() != nullptr) {
    SetClassIcon(window_, GCLP_HICONSM, classSmall_);
    SetWindowIcon(window_, ICON_SMALL, windowSmall_);
  }
  window_ = nullptr;
}

void PlantIcons::Release() {
  TakeBack();
  large_.Reset();
  small_.Reset();
}

}  // namespace plantapp
