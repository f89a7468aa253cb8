// The wait for a data folder that is not available yet (a network or removable drive at logon):
// the loop of tries. Platform-free: the tray icon and message pump are behind DataPathWaitUi, the
// file system behind FileOps.
#pragma once

#include <cstdint>

class FileOps;

/// Results of WaitForFolder (and CDataPathWaiter::Wait).
constexpr int32_t kWaitReady = 0;   ///< the folder exists or was created
constexpr int32_t kWaitQuit = 1;    ///< the user chose to give up
constexpr int32_t kWaitFailed = 2;  ///< the folder could not be made available

/// The visible side of a wait, called once per try after the folder test failed.
class DataPathWaitUi {
 public:
  virtual ~DataPathWaitUi() = default;
  /// Shows try `tryNumber` (1, 2, ...): made visible on the first, blinking after that.
  virtual void ShowTry(int32_t tryNumber) = 0;
  /// Handles waiting messages for about 100 ms; true once the user chose to give up.
  virtual bool PumpAndSleep() = 0;
  /// Removes what ShowTry showed; called once at the end when at least one try was made.
  virtual void Hide() = 0;
};

/// Makes `folder` available: kWaitReady when it exists or all its missing levels could be made.
/// Otherwise, `tries` times (-1: until the folder is there or the user gives up), shows a try,
/// pumps ten times 100 ms and tests again. An empty or null folder fails at once.
int32_t WaitForFolder(FileOps& ops, const char* folder, int32_t tries, DataPathWaitUi& ui);
