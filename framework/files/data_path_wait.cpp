// The wait loop for a data folder.
#include "framework/files/data_path_wait.h"

#include "framework/files/file_ops.h"
#include "framework/files/folder_path.h"

namespace {

bool IsEmpty(const char* text) { return text == nullptr || text[0] == '\0'; }

}  // namespace

int32_t WaitForFolder(FileOps& ops, const char* folder, int32_t tries, DataPathWaitUi& ui) {
  int32_t tryCount = 0;
  int32_t state = kWaitFailed;
  bool quit = false;
  for (;;) {
    if (IsEmpty(folder)) break;
    if (CreateFolderPath(ops, folder, false) == kFolderReady) {
      state = kWaitReady;
      break;
    }
    if (tries == 0) break;
    if (tries > 0) --tries;
    ++tryCount;
    ui.ShowTry(tryCount);
    for (int i = 0; i < 10 && !quit; ++i) quit = ui.PumpAndSleep();
    if (quit) break;
  }
  if (tryCount > 0) ui.Hide();
  if (state == kWaitReady) return kWaitReady;
  return quit ? kWaitQuit : kWaitFailed;
}
