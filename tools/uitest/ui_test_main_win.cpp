// The UI test program: starts through the framework like a program, shows the scene (items of
// every kind in every state, see ui_test_scene_win.h) and runs the message loop.
//
//   zrf_ui_test                   shows the scene until its window is closed
//   zrf_ui_test -SCREENSHOT FILE  writes a picture of the scene (BMP) and ends
//   zrf_ui_test -TEST [gtest options]  runs the Wine checks of the items on the scene
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "framework/app/zrf_app_win.h"
#include "framework/base/scoped_handles_win.h"
#include "framework/files/install_record.h"
#include "tools/testsupport/window_picture_win.h"
#include "tools/uitest/ui_test_scene_win.h"

namespace {

constexpr int32_t kSettingsVersion = 1;

// Lets the scene paint: every waiting message is handled.
void Settle() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

const char* ArgumentAfter(int argc, char** argv, const char* name) {
  for (int i = 1; i + 1 < argc; ++i) {
    if (std::strcmp(argv[i], name) == 0) return argv[i + 1];
  }
  return nullptr;
}

// What an installer leaves: the install record, here with a data folder of the program's own in
// the temporary folder. A record already there is kept.
void EnsureInstallRecord() {
  ScopedRegKey key;
  if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, kInstallRegistryKey, 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr,
                      key.Receive(), nullptr) != ERROR_SUCCESS)
    return;
  if (RegQueryValueExA(key.Get(), uitest::kProductName, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS)
    return;
  InstallRecord record{};
  record.useCustomDataFolder = 1;
  char temp[MAX_PATH] = "";
  GetTempPathA(MAX_PATH, temp);
  std::snprintf(record.customDataFolder, sizeof record.customDataFolder, "%s%s", temp, uitest::kProductName);
  CreateDirectoryA(record.customDataFolder, nullptr);
  RegSetValueExA(key.Get(), uitest::kProductName, 0, REG_BINARY, reinterpret_cast<const BYTE*>(&record),
                 sizeof record);
}

bool Has(int argc, char** argv, const char* name) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], name) == 0) return true;
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  const bool test = Has(argc, argv, "-TEST");
  if (test) testing::InitGoogleTest(&argc, argv);
  EnsureInstallRecord();
  const int32_t started = gApp.Init(GetModuleHandleA(nullptr), uitest::kProductStringId, uitest::gStrings, 1,
                                    kSettingsVersion, GetCommandLineA(), SW_SHOWNORMAL);
  if (started != 0) return started;
  // The scene's placement and the settings stay as they were: nothing is written at exit.
  gApp.noSave = 1;
  if (uitest::gScene.Create() != 0) return 1;
  SetCursorPos(0, 0);
  Settle();
  int result = 0;
  if (test) {
    result = RUN_ALL_TESTS();
  } else if (const char* file = ArgumentAfter(argc, argv, "-SCREENSHOT")) {
    RedrawWindow(uitest::gScene.frame, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Settle();
    result = SaveWindowPicture(uitest::gScene.frame, file) ? 0 : 1;
  } else {
    result = gApp.Run();
  }
  uitest::gScene.Destroy();
  return result;
}
