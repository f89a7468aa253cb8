// Folder entries on POSIX systems. Windows attributes are derived: read-only when the owner
// cannot write, hidden for names that start with a dot, a link for a symbolic link.
#include "framework/files/folder_reader.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <cstring>

const char kPathSeparator = '/';

namespace {

constexpr uint64_t kUnixEpochInFileTime = 116444736000000000ull;

uint64_t FileTimeOf(const struct statx_timestamp& stamp) {
  if (stamp.tv_sec < -11644473600ll) return 0;
  return kUnixEpochInFileTime + static_cast<uint64_t>(stamp.tv_sec) * 10000000ull + stamp.tv_nsec / 100;
}

// Describes the entry `name` of the folder open as `dir`.
bool Describe(DIR* dir, const char* name, FolderEntry* entry) {
  const size_t length = std::strlen(name);
  if (length >= sizeof entry->name) return false;
  std::memcpy(entry->name, name, length + 1);
  struct statx link {};
  if (statx(dirfd(dir), name, AT_SYMLINK_NOFOLLOW, STATX_BASIC_STATS | STATX_BTIME, &link) != 0) return false;
  entry->isLink = S_ISLNK(link.stx_mode);
  // A link describes what it names, as Windows does for a junction; a dangling one stays a link.
  struct statx target = link;
  if (entry->isLink && statx(dirfd(dir), name, 0, STATX_BASIC_STATS | STATX_BTIME, &target) != 0)
    target = link;
  uint32_t attributes = 0;
  if ((target.stx_mode & S_IWUSR) == 0) attributes |= kEntryReadOnly;
  if (name[0] == '.' && !IsDotEntry(name)) attributes |= kEntryHidden;
  if (S_ISDIR(target.stx_mode)) attributes |= kEntryDirectory;
  if (entry->isLink) attributes |= kEntryReparsePoint;
  entry->attributes = attributes;
  entry->lastWriteTime = FileTimeOf(target.stx_mtime);
  // File systems without a birth time report none; the last write is the closest stand-in.
  entry->creationTime =
      (target.stx_mask & STATX_BTIME) != 0 ? FileTimeOf(target.stx_btime) : entry->lastWriteTime;
  entry->size = S_ISDIR(target.stx_mode) ? 0 : target.stx_size;
  return true;
}

}  // namespace

bool FolderReader::Open(const char* folder, FolderEntry* entry) {
  (void)Close();
  DIR* dir = opendir(folder[0] != '\0' ? folder : ".");
  if (dir == nullptr) return false;
  handle_ = dir;
  return Next(entry);
}

bool FolderReader::Next(FolderEntry* entry) {
  if (handle_ == nullptr) return false;
  DIR* dir = static_cast<DIR*>(handle_);
  for (;;) {
    const dirent* found = readdir(dir);
    if (found == nullptr) return false;
    // An entry removed since the folder was read, or a name too long, is passed over.
    if (Describe(dir, found->d_name, entry)) return true;
  }
}

int32_t FolderReader::Close() {
  if (handle_ == nullptr) return -1;
  const int result = closedir(static_cast<DIR*>(handle_));
  handle_ = nullptr;
  return result == 0 ? 1 : 0;
}
