// Writing and removing the install record in both registry views.
#include "installer/install_record_registry_win.h"

#include <cstdio>

#include "framework/base/scoped_handles_win.h"

namespace installer {
namespace {

constexpr REGSAM kViews[] = {KEY_WOW64_64KEY, KEY_WOW64_32KEY};

const char* ViewName(REGSAM view) { return view == KEY_WOW64_64KEY ? "64-bit" : "32-bit"; }

LONG LogFailure(const char* api, REGSAM view, LONG status) {
  char text[256] = "";
  FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, DWORD(status), 0, text,
                 sizeof text, nullptr);
  std::fprintf(stderr, "InstallRecord: %s of HKLM\\%s (%s view) failed: %ld %s\n", api, kInstallRegistryKey,
               ViewName(view), status, text);
  return status;
}

bool IsGone(LONG status) { return status == ERROR_FILE_NOT_FOUND || status == ERROR_PATH_NOT_FOUND; }

// Deletes the key of `view` when it holds neither values nor sub-keys.
LONG RemoveKeyIfEmpty(REGSAM view) {
  DWORD subKeyCount = 0;
  DWORD valueCount = 0;
  {
    ScopedRegKey key;
    LONG status =
        RegOpenKeyExA(HKEY_LOCAL_MACHINE, kInstallRegistryKey, 0, KEY_QUERY_VALUE | view, key.Receive());
    if (IsGone(status)) return ERROR_SUCCESS;
    if (status != ERROR_SUCCESS) return LogFailure("RegOpenKeyExA", view, status);
    status = RegQueryInfoKeyA(key.Get(), nullptr, nullptr, nullptr, &subKeyCount, nullptr, nullptr,
                              &valueCount, nullptr, nullptr, nullptr, nullptr);
    if (status != ERROR_SUCCESS) return LogFailure("RegQueryInfoKeyA", view, status);
  }
  if (subKeyCount != 0 || valueCount != 0) return ERROR_SUCCESS;
  const LONG status = RegDeleteKeyExA(HKEY_LOCAL_MACHINE, kInstallRegistryKey, view, 0);
  if (status != ERROR_SUCCESS && !IsGone(status)) return LogFailure("RegDeleteKeyExA", view, status);
  return ERROR_SUCCESS;
}

LONG RemoveFromView(REGSAM view) {
  {
    ScopedRegKey key;
    LONG status =
        RegOpenKeyExA(HKEY_LOCAL_MACHINE, kInstallRegistryKey, 0, KEY_SET_VALUE | view, key.Receive());
    if (IsGone(status)) return ERROR_SUCCESS;
    if (status != ERROR_SUCCESS) return LogFailure("RegOpenKeyExA", view, status);
    status = RegDeleteValueA(key.Get(), kProductName);
    if (status != ERROR_SUCCESS && !IsGone(status)) return LogFailure("RegDeleteValueA", view, status);
  }
  return RemoveKeyIfEmpty(view);
}

}  // namespace

LONG WriteInstallRecord(const InstallRecordBytes& bytes) {
  for (REGSAM view : kViews) {
    ScopedRegKey key;
    LONG status =
        RegCreateKeyExA(HKEY_LOCAL_MACHINE, kInstallRegistryKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_SET_VALUE | view, nullptr, key.Receive(), nullptr);
    if (status != ERROR_SUCCESS) return LogFailure("RegCreateKeyExA", view, status);
    status = RegSetValueExA(key.Get(), kProductName, 0, REG_BINARY, bytes.data(), DWORD(bytes.size()));
    if (status != ERROR_SUCCESS) return LogFailure("RegSetValueExA", view, status);
  }
  return ERROR_SUCCESS;
}

LONG RemoveInstallRecord() {
  LONG first = ERROR_SUCCESS;
  // Both views are tried even when one fails, so an uninstall leaves as little behind as it can.
  for (REGSAM view : kViews) {
    const LONG status = RemoveFromView(view);
    if (first == ERROR_SUCCESS) first = status;
  }
  return first;
}

}  // namespace installer
