// The data-file store: naming, length checks, and the write-then-replace sequence.
#include "framework/files/data_file.h"

#include <cstdio>
#include <cstring>

#include "framework/files/file_ops.h"
#include "framework/files/folder_path.h"

namespace {

constexpr char kDataFileExtension[] = "zrd";
constexpr char kTempSuffix[] = "_tmp";

// Appends `part` at `*length`; false when it would not leave room for the terminator.
bool Append(char (&path)[kDataPathCapacity], size_t* length, const char* part) {
  size_t partLength = std::strlen(part);
  // *length < kDataPathCapacity holds on entry, so the subtraction cannot wrap.
  if (partLength >= kDataPathCapacity - *length) return false;
  std::memcpy(path + *length, part, partLength + 1);
  *length += partLength;
  return true;
}

// "<name>" or "<name><number>"; false when it does not fit.
bool FormatRecordName(char (&out)[kDataPathCapacity], const char* name, int32_t number) {
  if (name == nullptr) return false;
  int written = number == kNoFileNumber ? std::snprintf(out, sizeof out, "%s", name)
                                        : std::snprintf(out, sizeof out, "%s%d", name, int(number));
  return written >= 0 && size_t(written) < sizeof out;
}

}  // namespace

bool BuildFolderFilePath(char (&path)[kDataPathCapacity], const char* folder, const char* fileName,
                         const char* extension) {
  size_t length = 0;
  path[0] = '\0';
  bool fits = folder != nullptr && Append(path, &length, folder);
  if (fits && fileName != nullptr) fits = Append(path, &length, "\\") && Append(path, &length, fileName);
  if (fits && extension != nullptr) fits = Append(path, &length, ".") && Append(path, &length, extension);
  if (!fits) path[0] = '\0';
  return fits;
}

bool DataFileStore::BuildPath(char (&path)[kDataPathCapacity], const char* folder, const char* fileName,
                              const char* extension, int32_t location) const {
  if (folder == nullptr) {
    if (location != kDataFolderLocation && location != kCommonDataFolderLocation) return false;
    folder = folders_[location];
    // A folder not set up yet would put the file at the root of the current drive.
    if (folder == nullptr || *folder == '\0') return false;
  }
  return BuildFolderFilePath(path, folder, fileName, extension);
}

uint32_t DataFileStore::ReadFileFromFolder(const char* folder, const char* fileName, const char* extension,
                                           void* buffer, uint32_t size, int32_t location) {
  char path[kDataPathCapacity];
  if (!BuildPath(path, folder, fileName, extension, location)) return 0;
  uint32_t count = 0;
  if (buffer == nullptr) return ops_.FileSize(path, &count) ? count : 0;
  if (!ops_.ReadStart(path, buffer, size, &count)) return 0;
  return count <= size ? count : size;
}

uint32_t DataFileStore::WriteFileAtomic(const char* folder, const char* fileName, const char* extension,
                                        const void* data, uint32_t size, int32_t location) {
  if (data == nullptr && size > 0) return 0;
  char target[kDataPathCapacity];
  if (!BuildPath(target, folder, fileName, extension, location)) return 0;
  // The temporary name must fit whole: cut, it would equal the target (or name another file)
  // and creating it would truncate the live record.
  char temp[kDataPathCapacity];
  if (!BuildFolderFilePath(temp, target, nullptr, nullptr)) return 0;
  size_t tempLength = std::strlen(temp);
  if (!Append(temp, &tempLength, kTempSuffix)) return 0;

  NewFileResult written = ops_.WriteNewFile(temp, data, size);
  if (written == NewFileResult::NotCreated) {
    char folderOfTemp[kDataPathCapacity];
    std::memcpy(folderOfTemp, temp, tempLength + 1);
    char* lastBackslash = std::strrchr(folderOfTemp, '\\');
    if (lastBackslash != nullptr) {
      *lastBackslash = '\0';
      if (folderOfTemp[0] != '\0' && !ops_.FolderExists(folderOfTemp))
        (void)CreateFolderPath(ops_, folderOfTemp, true);
    }
    written = ops_.WriteNewFile(temp, data, size);
  }
  // NotCreated a second time means someone else holds the temporary file (or nothing could be
  // made): it is not ours to delete.
  if (written == NewFileResult::NotCreated) return 0;
  if (written != NewFileResult::Ok || !ops_.MoveOver(temp, target)) {
    (void)ops_.RemoveFile(temp);
    return 0;
  }
  return size;
}

uint32_t DataFileStore::ReadDataFile(const char* name, int32_t number, void* buffer, uint32_t size,
                                     int32_t location) {
  char recordName[kDataPathCapacity];
  if (!FormatRecordName(recordName, name, number)) return 0;
  return ReadFileFromFolder(nullptr, recordName, kDataFileExtension, buffer, size, location);
}

uint32_t DataFileStore::WriteDataFile(const char* name, int32_t number, const void* data, uint32_t size,
                                      int32_t location) {
  char recordName[kDataPathCapacity];
  if (!FormatRecordName(recordName, name, number)) return 0;
  return WriteFileAtomic(nullptr, recordName, kDataFileExtension, data, size, location);
}
