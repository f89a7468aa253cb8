// Elevation, opening through the shell, and the pickers driven by a helper thread that finds the
// modal dialog and answers it.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <cstring>
#include <string>
#include <thread>

#include "framework/shell/file_pickers_win.h"
#include "framework/shell/process_elevation_win.h"
#include "framework/shell/shell_open_win.h"

namespace {

std::string TempFolder() {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  std::string folder = std::string(temp) + "shl" + std::to_string(GetCurrentProcessId());
  CreateDirectoryA(folder.c_str(), nullptr);
  return folder;
}

// The first visible "#32770" window of the enumeration goes to the HWND behind `data`.
BOOL CALLBACK FindDialogProc(HWND window, LPARAM data) {
  char className[16];
  if (!IsWindowVisible(window) || GetClassNameA(window, className, sizeof className) == 0 ||
      std::strcmp(className, "#32770") != 0)
    return TRUE;
  *reinterpret_cast<HWND*>(data) = window;
  return FALSE;
}

HWND FindDialogOf(DWORD threadId) {
  HWND found = nullptr;
  EnumThreadWindows(threadId, FindDialogProc, reinterpret_cast<LPARAM>(&found));
  return found;
}

// Waits up to a minute (a loaded machine makes Wine slow to show the first dialog) for the thread's dialog,
// lets `answer` act on it, and reports whether a dialog was found.
class DialogAnswerer {
 public:
  template <typename Answer>
  explicit DialogAnswerer(Answer answer)
      : thread_([this, answer, id = GetCurrentThreadId()] {
          for (int tries = 0; tries < 200; ++tries) {
            Sleep(50);
            if (HWND dialog = FindDialogOf(id)) {
              Sleep(200);  // let the dialog finish its own set-up
              answer(dialog);
              found_ = true;
              return;
            }
          }
        }) {}
  ~DialogAnswerer() {
    if (thread_.joinable()) thread_.join();
  }
  bool Found() {
    thread_.join();
    thread_ = std::thread();
    return found_;
  }

 private:
  std::atomic<bool> found_{false};
  std::thread thread_;
};

TEST(IsProcessElevated, OldSystemsCountAsElevated) {
  EXPECT_EQ(IsProcessElevated(0), 1);
  const int32_t elevated = IsProcessElevated(10);
  EXPECT_TRUE(elevated == 0 || elevated == 1) << elevated;
}

TEST(ShellOpen, StartsAProgramAndRefusesAnEmptyTarget) {
  EXPECT_EQ(ShellOpen("", nullptr, nullptr, nullptr, SW_HIDE), E_INVALIDARG);
  EXPECT_EQ(ShellOpen(nullptr, nullptr, nullptr, nullptr, SW_HIDE), E_INVALIDARG);
  std::string marker = TempFolder() + "\\opened.txt";
  std::string parameters = "/c echo opened> \"" + marker + "\"";
  EXPECT_EQ(ShellOpen("cmd.exe", parameters.c_str(), nullptr, nullptr, SW_HIDE), S_OK);
  bool appeared = false;
  for (int tries = 0; tries < 200 && !appeared; ++tries) {
    Sleep(50);
    appeared = GetFileAttributesA(marker.c_str()) != INVALID_FILE_ATTRIBUTES;
  }
  EXPECT_TRUE(appeared);
}

TEST(PickFileName, CancelGivesNull) {
  char folder[MAX_PATH] = "C:\\";
  DialogAnswerer answerer([](HWND dialog) { PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0); });
  EXPECT_EQ(PickFileName(false, "Text\0*.txt\0\0", 0, nullptr, folder, nullptr), nullptr);
  EXPECT_TRUE(answerer.Found());
  EXPECT_STREQ(folder, "C:\\");
}

TEST(PickFileName, ChosenFileGivesPathFolderAndFilter) {
  std::string folder = TempFolder();
  std::string file = folder + "\\chosen.plt";
  HANDLE created = CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  CloseHandle(created);
  char folderBuffer[MAX_PATH];
  std::strcpy(folderBuffer, folder.c_str());
  int32_t chosenFilter = -1;
  DialogAnswerer answerer([](HWND dialog) { PostMessageA(dialog, WM_COMMAND, IDOK, 0); });
  const char* picked =
      PickFileName(false, "Text\0*.txt\0Plants\0*.plt\0\0", 1, &chosenFilter, folderBuffer, "chosen.plt");
  ASSERT_TRUE(answerer.Found());
  ASSERT_NE(picked, nullptr);
  EXPECT_STREQ(picked, file.c_str());
  EXPECT_EQ(std::string(folderBuffer), folder + "\\");
  EXPECT_EQ(chosenFilter, 1);
}

TEST(PickFolder, CancelLeavesThePathAlone) {
  char path[MAX_PATH] = "C:\\windows";
  DialogAnswerer answerer([](HWND dialog) { PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0); });
  EXPECT_EQ(PickFolder("Choose", path, true), kFolderNotPicked);
  EXPECT_TRUE(answerer.Found());
  EXPECT_STREQ(path, "C:\\windows");
}

}  // namespace
