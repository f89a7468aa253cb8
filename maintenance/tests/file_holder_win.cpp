// Test helper: holds a file open without sharing, as another program writing it would, until
// told to let go. Usage: file_holder PATH READY_EVENT RELEASE_EVENT; exit code 0 when it held the
// file, 1 when it could not open it or the events.
#include <windows.h>

int main(int argc, char** argv) {
  if (argc != 4) return 1;
  HANDLE file = CreateFileA(argv[1], GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  HANDLE ready = OpenEventA(EVENT_MODIFY_STATE, FALSE, argv[2]);
  HANDLE release = OpenEventA(SYNCHRONIZE, FALSE, argv[3]);
  if (file == INVALID_HANDLE_VALUE || ready == nullptr || release == nullptr) return 1;
  SetEvent(ready);
  WaitForSingleObject(release, 60000);
  CloseHandle(file);
  return 0;
}
