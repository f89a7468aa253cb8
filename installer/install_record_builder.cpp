// Laying out the install record that the installation writes.
#include "installer/install_record_builder.h"

#include <cstring>

namespace installer {

const char* RecordResultText(RecordResult result) {
  switch (result) {
    case RecordResult::Ok:
      return "ok";
    case RecordResult::EmptyFolder:
      return "the install folder is empty";
    case RecordResult::FolderTooLong:
      return "the install folder is longer than 259 characters";
    case RecordResult::FolderHasNul:
      return "the install folder holds a NUL character";
  }
  return "unknown result";
}

std::string_view ProgramFolder(std::string_view programPath) {
  const size_t slash = programPath.rfind('\\');
  if (slash == std::string_view::npos) return {};
  const bool driveRoot = slash == 2 && programPath[1] == ':';
  return programPath.substr(0, driveRoot ? slash + 1 : slash);
}

namespace {

// Requires: text.size() < kInstallTextSize, so the field keeps at least one terminating 0.
void PutText(char (&field)[kInstallTextSize], std::string_view text) {
  std::memcpy(field, text.data(), text.size());
}

static_assert(sizeof kWebAddress <= kInstallTextSize && sizeof kUpdateCheckAddress <= kInstallTextSize &&
              sizeof kDownloadAddress <= kInstallTextSize);

}  // namespace

RecordResult BuildInstallRecord(std::string_view installFolder, InstallRecordBytes* bytes) {
  if (installFolder.empty()) return RecordResult::EmptyFolder;
  if (installFolder.size() >= size_t(kInstallTextSize)) return RecordResult::FolderTooLong;
  if (installFolder.find('\0') != std::string_view::npos) return RecordResult::FolderHasNul;
  InstallRecord record;
  std::memset(&record, 0, sizeof record);
  PutText(record.installFolder, installFolder);
  PutText(record.webAddress, kWebAddress);
  PutText(record.updateCheckAddress, kUpdateCheckAddress);
  PutText(record.downloadAddress, kDownloadAddress);
  std::memcpy(bytes->data(), &record, sizeof record);
  return RecordResult::Ok;
}

}  // namespace installer
