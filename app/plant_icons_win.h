// The plant's large and small icons, taken from the plant file when it is loaded: the plant process
// owns them and lends them to its windows. A plant file without icons leaves the windows the
// program's own icon, which is shared and therefore never destroyed.
#pragma once

#include <windows.h>

#include <string>

#include "plant/gdi_handles_win.h"

namespace plantapp {

class PlantIcons {
 public:
  PlantIcons() = default;
  PlantIcons(const PlantIcons&) = delete;
  PlantIcons& operator=(const PlantIcons&) = delete;
  /// Release.
  ~PlantIcons() { Release(); }

  /// Extracts the first large and the first small icon of the file at path (the system's icon
  /// extraction, index 0), replacing any held before. Either is null when the file carries none.
  void Extract(const std::string& path);

  /// The plant's own icons; null when the plant file carries none.
  [[nodiscard]] HICON Large() const { return large_.Get(); }
  [[nodiscard]] HICON Small() const { return small_.Get(); }

  /// Makes the icons the window's and its class's (big and small), remembering what they replace.
  /// A size the plant has no icon for keeps the window's. One window at a time.
  void GiveTo(HWND window);

  /// Puts back on the window given to what GiveTo replaced, so the icons can be destroyed while the
  /// window and its class live on. Harmless when nothing was given.
  void TakeBack();

  /// TakeBack, then destroys the icons.
  void Release();

 private:
  plant::OwnedIcon large_;
  plant::OwnedIcon small_;
  HWND window_ = nullptr;
  HICON classLarge_ = nullptr;
  HICON classSmall_ = nullptr;
  HICON windowLarge_ = nullptr;
  HICON windowSmall_ = nullptr;
};

}  // namespace plantapp
