// Removing or scheduling the files an uninstall left; see leftover_files_win.h.
#include "installer/leftover_files_win.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>

namespace installer {
namespace {

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Deletes `path` now or, when something holds it, at the next restart. True when it was scheduled.
bool DeleteNowOrAtRestart(const std::string& path, bool isFolder) {
  if (!Exists(path)) return false;
  if (isFolder ? RemoveDirectoryA(path.c_str()) : DeleteFileA(path.c_str())) return false;
  if (MoveFileExA(path.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT)) return true;
  std::fprintf(stderr, "VerdeloSetup: MoveFileExA (at restart) of %s failed: %lu\n", path.c_str(), GetLastError());
  return false;
}

}  // namespace

int32_t RemoveLeftoverFiles(const std::string& installFolder, const std::vector<std::string>& names) {
  std::string folder = installFolder;
  if (folder.empty()) return 0;
  if (folder.back() != '\\') folder += '\\';
  int32_t scheduled = 0;
  std::vector<std::string> subFolders;
  for (const std::string& name : names) {
    if (name.empty()) continue;
    if (DeleteNowOrAtRestart(folder + name, false)) ++scheduled;
    const size_t cut = name.rfind('\\');
    if (cut != std::string::npos) subFolders.push_back(name.substr(0, cut));
  }
  // Deepest first, so that each folder is empty when its turn comes (at once or at the restart,
  // where the scheduled deletions run in the order they were made).
  std::sort(subFolders.begin(), subFolders.end(), [](const std::string& a, const std::string& b) {
    const auto depthA = std::count(a.begin(), a.end(), '\\');
    const auto depthB = std::count(b.begin(), b.end(), '\\');
    return depthA != depthB ? depthA > depthB : a < b;
  });
  subFolders.erase(std::unique(subFolders.begin(), subFolders.end()), subFolders.end());
  if (scheduled == 0) {
    for (const std::string& sub : subFolders) RemoveDirectoryA((folder + sub).c_str());
    RemoveDirectoryA(folder.c_str());
    return 0;
  }
  for (const std::string& sub : subFolders) (void)DeleteNowOrAtRestart(folder + sub, true);
  folder.pop_back();
  (void)DeleteNowOrAtRestart(folder, true);
  return scheduled;
}

}  // namespace installer
