// The install record: written into the registry by the installation (the program never writes it),
// it says where the program is installed, where its data folders are and the addresses of its web
// page, update check and download. Stored byte for byte: the layout below is a registry format.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr char kInstallRegistryKey[] = "Software\\Brambeck";  ///< under HKEY_LOCAL_MACHINE
constexpr int32_t kInstallTextSize = 260;
/// Values above this size are not read at all: nothing legitimate is that large.
constexpr uint32_t kInstallValueLimit = 1024 * 1024;

/// REG_BINARY value named after the product, at least 1326 bytes (the first 1326 are used),
/// packed, little-endian; texts are NUL-terminated within their fields:
/// off  size  field
///   0    16  reserved
///  16     2  custom data folder: not 0 = use customDataFolder
///  18     2  append user: not 0 = append "\" and the logon name for the per-user data folder
///  20   260  install folder (help files, "Init" folder, autostart target)
/// 280   260  custom data folder
/// 540   260  address of the product's web page
/// 800   260  address of the update check
/// 1060  260  address of the download page
/// 1320    6  reserved
#pragma pack(push, 1)
struct InstallRecord {
  uint8_t reserved[16];
  int16_t useCustomDataFolder;
  int16_t appendUserName;
  char installFolder[kInstallTextSize];
  char customDataFolder[kInstallTextSize];
  char webAddress[kInstallTextSize];
  char updateCheckAddress[kInstallTextSize];
  char downloadAddress[kInstallTextSize];
  uint8_t reservedEnd[6];
};
#pragma pack(pop)

static_assert(sizeof(InstallRecord) == 1326);
static_assert(offsetof(InstallRecord, useCustomDataFolder) == 16);
static_assert(offsetof(InstallRecord, appendUserName) == 18);
static_assert(offsetof(InstallRecord, installFolder) == 20);
static_assert(offsetof(InstallRecord, customDataFolder) == 280);
static_assert(offsetof(InstallRecord, webAddress) == 540);
static_assert(offsetof(InstallRecord, updateCheckAddress) == 800);
static_assert(offsetof(InstallRecord, downloadAddress) == 1060);
static_assert(offsetof(InstallRecord, reservedEnd) == 1320);

/// Takes the install record from the bytes of the registry value: at least 1326 bytes must be
/// there (more are ignored); every text field is NUL-terminated within its field. Returns 0, or
/// ZRF_ERR_INSTALL for a null or short value, leaving `record` unchanged.
[[nodiscard]] int32_t ParseInstallRecord(const void* bytes, size_t size, InstallRecord* record);
