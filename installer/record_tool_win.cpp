// InstallRecord.exe: the installation's own custom action, installed beside the program.
//   InstallRecord.exe /write    writes the install record naming the folder this file was
//                               installed to (the one chosen at install time)
//   InstallRecord.exe /remove   removes it again (uninstall and rollback)
// The installer runs it without a console window and judges it by its exit code: 0 for success,
// 1 for a wrong command line, 2 for an install folder the record cannot hold, 3 for a registry
// failure (which it also reports on standard error when one is attached).
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string_view>

#include "installer/install_record_builder.h"
#include "installer/install_record_registry_win.h"

namespace {

int WriteRecord() {
  char path[MAX_PATH] = "";
  const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
  // A path that fills the buffer has been cut: never record a folder that might not be ours.
  if (length == 0 || length >= sizeof path) {
    std::fprintf(stderr, "InstallRecord: cannot tell the install folder (GetModuleFileNameA: %lu)\n",
                 GetLastError());
    return 2;
  }
  installer::InstallRecordBytes bytes;
  const installer::RecordResult result =
      installer::BuildInstallRecord(installer::ProgramFolder(std::string_view(path, length)), &bytes);
  if (result != installer::RecordResult::Ok) {
    std::fprintf(stderr, "InstallRecord: %s: %s\n", installer::RecordResultText(result), path);
    return 2;
  }
  return installer::WriteInstallRecord(bytes) == ERROR_SUCCESS ? 0 : 3;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  if (__argc == 2 && std::strcmp(__argv[1], "/write") == 0) return WriteRecord();
  if (__argc == 2 && std::strcmp(__argv[1], "/remove") == 0)
    return installer::RemoveInstallRecord() == ERROR_SUCCESS ? 0 : 3;
  std::fprintf(stderr, "usage: InstallRecord.exe /write | /remove\n");
  return 1;
}
