// The staging folder, the manifest and the steps of a configuration swap.
#include "framework/app/restore_swap.h"

#include <cstdio>
#include <cstring>
#include <utility>

#include "framework/base/crc32.h"
#include "framework/files/data_folders.h"
#include "framework/files/file_list.h"
#include "framework/files/file_moves.h"
#include "framework/files/folder_reader.h"
#include "framework/files/system_error.h"
#include "zip/zip_file.h"

namespace {

// The manifest's names: written as kManifestDraft, then renamed to each state in turn.
constexpr char kManifestDraft[] = "list";
constexpr char kStateAside[] = "aside";
constexpr char kStatePlace[] = "place";
constexpr char kStateBack[] = "back";
// Where the applied archive goes before it is deleted: out of the pending archive's place first,
// so that no start applies it again, whatever keeps it from being deleted.
constexpr char kSpentArchive[] = "applied";
// One line per path: a tag, the relative path, a newline. Paths hold no control characters (the
// reader refuses such entry names, and file names cannot hold a newline on Windows). The last
// line is the end mark: the number of path lines and the CRC-32 of every byte before it, so a
// manifest cut short or emptied is told from a smaller one.
constexpr char kNewTag = 'N';
constexpr char kOldTag = 'O';
constexpr char kEndTag = 'E';
// A manifest names at most the files of a data folder and an archive's 65535 entries, each
// under 260 characters; anything larger is not one.
constexpr uint64_t kManifestLimit = 2u * 65536u * 262u;
// Tries for a name of its own ("name (2).ext" on up) before a file is left where it is.
constexpr int kOwnNameTries = 1000;

std::string Join(const std::string& folder, const std::string& relative) {
  return folder + kPathSeparator + relative;
}

bool IsSeparator(char c) { return c == '/' || c == '\\'; }

// Makes `root` and the folders on the way to `relative` below it.
bool MakeParentFolders(const std::string& root, const std::string& relative) {
  if (!MakeFolderIfMissing(root.c_str())) return false;
  for (size_t at = 0; at < relative.size(); ++at) {
    if (IsSeparator(relative[at]) && !MakeFolderIfMissing(Join(root, relative.substr(0, at)).c_str()))
      return false;
  }
  return true;
}

// A free name beside `path`: "Greenleaf (2).plt", "Greenleaf (3).plt" and on; empty when none is.
std::string OwnName(const std::string& path) {
  const size_t name = path.find_last_of("/\\") + 1;  // npos + 1 is 0
  size_t dot = path.rfind('.');
  if (dot == std::string::npos || dot <= name) dot = path.size();
  for (int n = 2; n < kOwnNameTries; ++n) {
    std::string candidate = path.substr(0, dot) + " (" + std::to_string(n) + ")" + path.substr(dot);
    if (!IsExistingFile(candidate.c_str())) return candidate;
  }
  return std::string();
}

// Moves the file at `path` to a name of its own beside it and lists it in `kept`.
bool SetAside(const std::string& path, std::vector<std::string>* kept) {
  const std::string own = OwnName(path);
  if (own.empty() || !MovePath(path.c_str(), own.c_str())) return false;
  kept->push_back(own);
  return true;
}

// Moves `relative` from below `fromRoot` to below `toRoot` unless it is not there: moved by a
// run that a kill ended, since a rename either happened or did not. A file the swap did not put
// at the target (another start wrote it there meanwhile) is set aside first.
bool MoveOne(const std::string& fromRoot, const std::string& toRoot, const std::string& relative,
             std::vector<std::string>* kept) {
  const std::string from = Join(fromRoot, relative);
  if (!IsExistingFile(from.c_str())) return true;
  const std::string to = Join(toRoot, relative);
  if (IsExistingFile(to.c_str()) && !SetAside(to, kept)) return false;
  return MakeParentFolders(toRoot, relative) && MovePath(from.c_str(), to.c_str());
}

bool MoveAll(const std::vector<std::string>& files, const std::string& fromRoot, const std::string& toRoot,
             std::vector<std::string>* kept, uint32_t* systemError) {
  for (const std::string& relative : files) {
    if (!MoveOne(fromRoot, toRoot, relative, kept)) {
      *systemError = SystemErrorCode();
      return false;
    }
  }
  return true;
}

// Setting the old files aside: one already in "old" was moved by an earlier run, so a file at its
// place in the data folder is not the user's old one but appeared since, and is set aside.
bool SetOldFilesAside(const RestorePaths& paths, const RestoreManifest& manifest,
                      std::vector<std::string>* kept, uint32_t* systemError) {
  for (const std::string& relative : manifest.oldFiles) {
    const std::string there = Join(paths.dataFolder, relative);
    const bool moved = IsExistingFile(Join(paths.oldFiles, relative).c_str());
    if (!(moved ? !IsExistingFile(there.c_str()) || SetAside(there, kept)
                : MoveOne(paths.dataFolder, paths.oldFiles, relative, kept))) {
      *systemError = SystemErrorCode();
      return false;
    }
  }
  return true;
}

// Placed files go back to "new" first: once they all are, every file of the data folder that a
// staged name could mean is an old one or one that appeared since, which is set aside.
bool Undo(const RestorePaths& paths, const RestoreManifest& manifest, std::vector<std::string>* kept) {
  uint32_t ignored = 0;
  for (const std::string& relative : manifest.newFiles) {
    if (IsExistingFile(Join(paths.newFiles, relative).c_str())) continue;
    if (!MoveOne(paths.dataFolder, paths.newFiles, relative, kept)) return false;
  }
  return MoveAll(manifest.oldFiles, paths.oldFiles, paths.dataFolder, kept, &ignored);
}

// "E<count> <CRC-32 in 8 hex digits>" and a newline.
std::string EndMark(const std::string& lines, size_t count) {
  char crc[16];
  std::snprintf(crc, sizeof crc, " %08X\n",
                static_cast<unsigned>(Crc32(lines.data(), static_cast<ptrdiff_t>(lines.size()))));
  return kEndTag + std::to_string(count) + crc;
}

std::string Serialise(const RestoreManifest& manifest) {
  std::string text;
  for (const std::string& relative : manifest.newFiles) text += kNewTag + relative + '\n';
  for (const std::string& relative : manifest.oldFiles) text += kOldTag + relative + '\n';
  return text + EndMark(text, manifest.newFiles.size() + manifest.oldFiles.size());
}

// False for a text that is not a whole manifest: no end mark as its last line, or one whose count
// or CRC-32 the lines before it do not match.
bool Parse(const std::string& text, RestoreManifest* manifest) {
  size_t start = 0;
  while (start < text.size()) {
    const size_t end = text.find('\n', start);
    if (end == std::string::npos || end - start < 2) return false;
    const std::string relative = text.substr(start + 1, end - start - 1);
    if (text[start] == kNewTag) {
      manifest->newFiles.push_back(relative);
    } else if (text[start] == kOldTag) {
      manifest->oldFiles.push_back(relative);
    } else {
      const std::string lines = text.substr(0, start);
      const size_t count = manifest->newFiles.size() + manifest->oldFiles.size();
      return text[start] == kEndTag && end + 1 == text.size() &&
             text.compare(start, std::string::npos, EndMark(lines, count)) == 0;
    }
    start = end + 1;
  }
  return false;
}

enum class ManifestRead { Whole, NotWhole, Unreadable };

ManifestRead ReadManifest(const std::string& path, RestoreManifest* manifest) {
  const zip::FileCalls& calls = zip::ActiveFileCalls();
  zip::OsFile file(calls.openForRead(path.c_str()), true);
  if (!file.IsOpen()) return ManifestRead::Unreadable;
  std::string text;
  char buffer[16384];
  for (;;) {
    const int64_t got = file.Read(buffer, sizeof buffer);
    if (got < 0) return ManifestRead::Unreadable;
    if (got == 0) break;
    text.append(buffer, static_cast<size_t>(got));
    if (text.size() > kManifestLimit) return ManifestRead::NotWhole;
  }
  return Parse(text, manifest) ? ManifestRead::Whole : ManifestRead::NotWhole;
}

// Writes the whole file `path`, which must not exist, through the zip library's file calls.
bool WriteWhole(const std::string& path, const std::string& text, uint32_t* systemError) {
  const zip::FileCalls& calls = zip::ActiveFileCalls();
  bool exists = false;
  zip::OsFile file(calls.createNew(path.c_str(), &exists), true);
  bool ok = file.IsOpen() && file.Write(text.data(), text.size()) == text.size() && file.Flush();
  if (!ok) *systemError = SystemErrorCode();
  ok = file.Close() && ok;
  if (!ok) (void)calls.remove(path.c_str());
  return ok;
}

// The state the manifest's name records, or null for a staging without a committed manifest.
const char* CurrentState(const RestorePaths& paths) {
  for (const char* state : {kStateAside, kStatePlace, kStateBack}) {
    if (IsExistingFile(Join(paths.staging, state).c_str())) return state;
  }
  return nullptr;
}

bool ChangeState(const RestorePaths& paths, const char* from, const char* to) {
  return MovePath(Join(paths.staging, from).c_str(), Join(paths.staging, to).c_str());
}

// The enumeration is closed again at once: an open one keeps Windows from removing the folder.
bool HasStagingFolder(const RestorePaths& paths) {
  FolderEntry entry;
  FolderReader reader;
  return reader.Open(paths.staging.c_str(), &entry);
}

// The files the restore itself keeps in the staging folder, the manifest in any state first.
constexpr const char* kRestoreOwnFiles[] = {kStateBack, kStatePlace, kStateAside, kManifestDraft,
                                            kSpentArchive};

bool IsRestoreOwnFile(const std::string& name) {
  for (const char* own : kRestoreOwnFiles) {
    if (name == own) return true;
  }
  return false;
}

// Moves every file below `root` back to the same place below the data folder. `first`: its files
// take their places, and whatever stands there is set aside; else a file whose place is taken
// goes under a name of its own. A file that cannot move stays where it is, and is listed.
void ReturnFiles(const RestorePaths& paths, const std::string& root, bool first,
                 std::vector<std::string>* kept) {
  CFileList list(root.c_str(), "*.*");
  for (int32_t i = 0; i < list.files.count; ++i) {
    const char* path = list.files.GetAt(i)->text;
    const std::string relative = path + root.size() + 1;
    if (root == paths.staging && (IsBelowFolder(path, paths.newFiles.c_str()) ||
                                  IsBelowFolder(path, paths.oldFiles.c_str()) || IsRestoreOwnFile(relative)))
      continue;
    std::string target = Join(paths.dataFolder, relative);
    if (IsExistingFile(target.c_str())) {
      if (first) {
        if (!SetAside(target, kept)) target.clear();
      } else {
        target = OwnName(target);
      }
    }
    const bool moved =
        !target.empty() && MakeParentFolders(paths.dataFolder, relative) && MovePath(path, target.c_str());
    // Listed where it ended: a file the user may be looking for (one taken back from the recycle
    // bin, one the bin refused) is told of either way.
    kept->push_back(moved ? target : std::string(path));
  }
}

enum class StagedFiles { Discard, Return };

void RemoveRestoreOwnFiles(const RestorePaths& paths) {
  for (const char* own : kRestoreOwnFiles) (void)RemoveFileAnyway(Join(paths.staging, own).c_str());
}

// Empties the staging folder and removes it. Discarding, the manifest goes first: every file it
// names is where the swap left it for good (old files back, new ones placed or staged), so a
// start that ends on the way finds a staging folder without one and goes on the same way; staged
// files are then deleted. Returning, they go back to the data folder as well, and the manifest
// goes last, so that an interrupted start repeats the same.
void ClearStaging(const RestorePaths& paths, StagedFiles staged, std::vector<std::string>* kept) {
  const bool returning = staged == StagedFiles::Return;
  if (!returning) RemoveRestoreOwnFiles(paths);
  ReturnFiles(paths, paths.oldFiles, returning, kept);
  if (returning) {
    ReturnFiles(paths, paths.newFiles, false, kept);
    // An archive moved out of the way goes back: unsure what was applied, a later start applies it.
    const std::string spent = Join(paths.staging, kSpentArchive);
    if (IsExistingFile(spent.c_str()) && !IsExistingFile(paths.archive.c_str()))
      (void)MovePath(spent.c_str(), paths.archive.c_str());
  }
  ReturnFiles(paths, paths.staging, false, kept);
  CFileList list(paths.staging.c_str(), "*.*");
  for (int32_t i = 0; i < list.files.count && !returning; ++i) {
    const char* path = list.files.GetAt(i)->text;
    if (IsBelowFolder(path, paths.newFiles.c_str())) (void)RemoveFileAnyway(path);
  }
  if (returning) RemoveRestoreOwnFiles(paths);
  // The folders come root first, each before those below it: backwards, each is empty in turn.
  for (int32_t i = list.folders.count - 1; i >= 0; --i) (void)RemoveEmptyFolder(list.folders.GetAt(i)->text);
}

// Moves the applied archive out of its place, or deletes it there. False, with the archive in
// `kept`, when neither works: the caller then keeps the manifest, which records that it was applied.
bool PutArchiveAway(const RestorePaths& paths, SwapReport* report) {
  if (!IsExistingFile(paths.archive.c_str())) return true;
  const zip::FileCalls& calls = zip::ActiveFileCalls();
  if (calls.replace(paths.archive.c_str(), Join(paths.staging, kSpentArchive).c_str()) ||
      calls.remove(paths.archive.c_str()))
    return true;
  report->systemError = SystemErrorCode();
  report->kept.push_back(paths.archive);
  return false;
}

// The new files are placed, and on the disk since they were staged. The archive goes out of the
// way first: should the start end now, the next one finds a placed swap to tidy up, not an
// archive to apply once more. Old files the bin refuses go back to the data folder (ClearStaging).
void Finish(const RestorePaths& paths, const RestoreManifest& manifest, RemoveFileFunction recycle,
            void* context, SwapReport* report) {
  report->outcome = SwapOutcome::Completed;
  const bool archiveAway = PutArchiveAway(paths, report);
  for (const std::string& relative : manifest.oldFiles) {
    const std::string old = Join(paths.oldFiles, relative);
    if (IsExistingFile(old.c_str())) recycle(context, old.c_str());
  }
  if (archiveAway) {
    ClearStaging(paths, StagedFiles::Discard, &report->kept);
  } else {
    ReturnFiles(paths, paths.oldFiles, false, &report->kept);
  }
}

// A step could be neither completed nor undone; what the report kept so far stays listed.
SwapReport Stuck(SwapReport report, uint32_t systemError) {
  report.outcome = SwapOutcome::Stuck;
  report.systemError = systemError;
  return report;
}

}  // namespace

RestorePaths MakeRestorePaths(const char* dataFolder, const char* archivePath) {
  RestorePaths paths;
  paths.dataFolder = dataFolder;
  paths.archive = archivePath;
  paths.staging = Join(paths.dataFolder, kRestoreFolderName);
  paths.newFiles = Join(paths.staging, "new");
  paths.oldFiles = Join(paths.staging, "old");
  return paths;
}

bool BeginStaging(const RestorePaths& paths, uint32_t* systemError) {
  // A start has run RunSwap before, which leaves no staging folder behind; nothing is kept here.
  std::vector<std::string> kept;
  DiscardStaging(paths, &kept);
  if (MakeFolderIfMissing(paths.staging.c_str()) && MakeFolderIfMissing(paths.newFiles.c_str())) return true;
  *systemError = SystemErrorCode();
  return false;
}

void DiscardStaging(const RestorePaths& paths, std::vector<std::string>* kept) {
  ClearStaging(paths, StagedFiles::Discard, kept);
}

bool IsSwapUnderWay(const RestorePaths& paths) { return CurrentState(paths) != nullptr; }

bool CommitSwap(const RestorePaths& paths, const RestoreManifest& manifest, uint32_t* systemError) {
  const std::string draft = Join(paths.staging, kManifestDraft);
  if (!WriteWhole(draft, Serialise(manifest), systemError)) return false;
  if (MovePath(draft.c_str(), Join(paths.staging, kStateAside).c_str())) return true;
  *systemError = SystemErrorCode();
  (void)RemoveFileAnyway(draft.c_str());
  return false;
}

SwapReport RunSwap(const RestorePaths& paths, RemoveFileFunction recycle, void* context) {
  SwapReport report;
  const char* state = CurrentState(paths);
  if (state == nullptr) {
    if (!HasStagingFolder(paths)) return report;
    ClearStaging(paths, StagedFiles::Discard, &report.kept);
    report.outcome = SwapOutcome::Undone;
    return report;
  }
  RestoreManifest manifest;
  switch (ReadManifest(Join(paths.staging, state), &manifest)) {
    case ManifestRead::Whole:
      break;
    case ManifestRead::NotWhole:
      // Which files are whose is unknown: every one goes back, none is deleted, and the archive
      // stays for a start that can apply it afresh.
      ClearStaging(paths, StagedFiles::Return, &report.kept);
      report.outcome = SwapOutcome::Salvaged;
      return report;
    case ManifestRead::Unreadable:
      return Stuck(std::move(report), SystemErrorCode());
  }
  uint32_t failure = 0;
  if (std::strcmp(state, kStateAside) == 0) {
    const bool setAside = SetOldFilesAside(paths, manifest, &report.kept, &failure);
    state = setAside ? kStatePlace : kStateBack;
    if (!ChangeState(paths, kStateAside, state)) return Stuck(std::move(report), SystemErrorCode());
  }
  if (std::strcmp(state, kStatePlace) == 0) {
    if (MoveAll(manifest.newFiles, paths.newFiles, paths.dataFolder, &report.kept, &failure)) {
      Finish(paths, manifest, recycle, context, &report);
      return report;
    }
    state = kStateBack;
    if (!ChangeState(paths, kStatePlace, kStateBack)) return Stuck(std::move(report), failure);
  }
  if (!Undo(paths, manifest, &report.kept))
    return Stuck(std::move(report), failure != 0 ? failure : SystemErrorCode());
  ClearStaging(paths, StagedFiles::Discard, &report.kept);
  report.outcome = SwapOutcome::Undone;
  report.systemError = failure;
  return report;
}
