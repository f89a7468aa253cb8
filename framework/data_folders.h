// Where the per-user and the all-users data folders are, and the wait for a data folder that is
// not available yet (a network or removable drive at logon). Platform-free: the tray icon and
// message pump of the wait are behind DataPathWaitUi, the file system behind FileOps.
#pragma once

#include <cstdint>

#include "framework/install_record.h"

class FileOps;

constexpr int32_t kDataFolderSize = 260;
/// Folder below the application-data folders that holds the maker's products.
constexpr char kMakerFolder[] = "Brambeck";
/// Sub-folder of the install folder whose files seed a new data folder.
constexpr char kInitFolderName[] = "Init";

/// Results of WaitForFolder (and CDataPathWaiter::Wait).
constexpr int32_t kWaitReady = 0;   ///< the folder exists or was created
constexpr int32_t kWaitQuit = 1;    ///< the user chose to give up
constexpr int32_t kWaitFailed = 2;  ///< the folder could not be made available

/// The two data folders.
struct DataFolders {
  char dataFolder[kDataFolderSize];
  char commonDataFolder[kDataFolderSize];
};

/// Works out both folders. With the install record's custom-folder flag, both are its custom
/// folder, and with the append-user flag the data folder gets "\" and `userName` as well;
/// otherwise they are `appDataFolder` and `commonAppDataFolder` followed by "\Brambeck\" and the
/// product name. A folder whose base is empty, or that would not fit in 260 characters, is left
/// empty (a cut or root-relative path could name another folder); the wait then fails for it.
void WorkOutDataFolders(const InstallRecord& install, const char* productName, const char* appDataFolder,
                        const char* commonAppDataFolder, const char* userName, DataFolders* folders);

/// True when both paths are the same text without regard to the case of ASCII letters.
bool IsSameFolder(const char* a, const char* b);

/// The path of the data-folder copy of `initFile`, a file below `initFolder`: `dataFolder`, "\"
/// and the part of `initFile` after `initFolder` and its "\". False, with `target` empty, when
/// `initFile` does not lie below `initFolder` or the result would not fit in 260 characters.
bool InitCopyTarget(const char* initFolder, const char* initFile, const char* dataFolder,
                    char (&target)[kDataFolderSize]);

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
