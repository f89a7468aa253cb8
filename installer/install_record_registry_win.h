// Writing and removing the install record in the registry, where every build of the program
// looks for it: the 32-bit program on 64-bit Windows reads the 32-bit view, the 64-bit builds
// read the 64-bit view, so the record goes into both.
#pragma once

#include <windows.h>

#include "installer/install_record_builder.h"

namespace installer {

/// Stores `bytes` as the REG_BINARY value named kProductName under HKEY_LOCAL_MACHINE
/// "Software\Brambeck" in the 64-bit and the 32-bit registry view (one and the same key on
/// 32-bit Windows). Returns ERROR_SUCCESS or the Win32 code of the first failure, which it logs
/// to standard error.
LONG WriteInstallRecord(const InstallRecordBytes& bytes);

/// Deletes that value from both views, and the "Brambeck" key itself where nothing else is left
/// in it (other products of the maker may keep theirs there). A key or value that is already
/// gone is no failure. Returns ERROR_SUCCESS or the first failure's Win32 code, logged.
LONG RemoveInstallRecord();

}  // namespace installer
