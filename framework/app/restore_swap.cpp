// The staging folder, the manifest and the steps of a configuration swap.
#include "framework/app/restore_swap.h"

#include <cstring>

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
// One line per path: a tag, the relative path, a newline. Paths hold no control characters (the
// reader refuses such entry names, and file names cannot hold a newline on Windows).
constexpr char kNewTag = 'N';
constexpr char kOldTag = 'O';
// A manifest names at most the files of a data folder and an archive's 65535 entries, each
// under 260 characters; anything larger is not one.
constexpr uint64_t kManifestLimit = 2u * 65536u * 262u;

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

// Moves `relative` from below `fromRoot` to below `toRoot` unless it is not there: moved by a
// run that a kill ended, since a rename either happened or did not. A file standing at both
// places is no state a swap leaves, and fails the move.
bool MoveOne(const std::string& fromRoot, const std::string& toRoot, const std::string& relative) {
  const std::string from = Join(fromRoot, relative);
  if (!IsExistingFile(from.c_str())) return true;
  return MakeParentFolders(toRoot, relative) && MovePath(from.c_str(), Join(toRoot, relative).c_str());
}

bool MoveAll(const std::vector<std::string>& files, const std::string& fromRoot, const std::string& toRoot,
             uint32_t* systemError) {
  for (const std::string& relative : files) {
    if (!MoveOne(fromRoot, toRoot, relative)) {
      *systemError = SystemErrorCode();
      return false;
    }
  }
  return true;
}

// Placed files go back to "new" first: once they all are, every file of the data folder that a
// staged name could mean is an old one, so returning the old files can be repeated safely.
bool Undo(const RestorePaths& paths, const RestoreManifest& manifest) {
  uint32_t ignored = 0;
  for (const std::string& relative : manifest.newFiles) {
    if (IsExistingFile(Join(paths.newFiles, relative).c_str())) continue;
    if (!MoveOne(paths.dataFolder, paths.newFiles, relative)) return false;
  }
  return MoveAll(manifest.oldFiles, paths.oldFiles, paths.dataFolder, &ignored);
}

std::string Serialise(const RestoreManifest& manifest) {
  std::string text;
  for (const std::string& relative : manifest.newFiles) text += kNewTag + relative + '\n';
  for (const std::string& relative : manifest.oldFiles) text += kOldTag + relative + '\n';
  return text;
}

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
      return false;
    }
    start = end + 1;
  }
  return true;
}

bool ReadManifest(const std::string& path, RestoreManifest* manifest) {
  const zip::FileCalls& calls = zip::ActiveFileCalls();
  zip::OsFile file(calls.openForRead(path.c_str()), true);
  if (!file.IsOpen()) return false;
  std::string text;
  char buffer[16384];
  for (;;) {
    const int64_t got = file.Read(buffer, sizeof buffer);
    if (got < 0) return false;
    if (got == 0) break;
    text.append(buffer, static_cast<size_t>(got));
    if (text.size() > kManifestLimit) return false;
  }
  return Parse(text, manifest);
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

void Finish(const RestorePaths& paths, const RestoreManifest& manifest, RemoveFileFunction recycle,
            void* context) {
  // The archive goes first: should the start end now, the next one finds a placed swap to tidy
  // up, not an archive to apply once more.
  (void)RemoveFileAnyway(paths.archive.c_str());
  for (const std::string& relative : manifest.oldFiles) {
    const std::string old = Join(paths.oldFiles, relative);
    if (IsExistingFile(old.c_str())) recycle(context, old.c_str());
  }
  DiscardStaging(paths);
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
  DiscardStaging(paths);
  if (MakeFolderIfMissing(paths.staging.c_str()) && MakeFolderIfMissing(paths.newFiles.c_str())) return true;
  *systemError = SystemErrorCode();
  return false;
}

void DiscardStaging(const RestorePaths& paths) {
  CFileList list(paths.staging.c_str(), "*.*");
  for (int32_t i = 0; i < list.files.count; ++i) (void)RemoveFileAnyway(list.files.GetAt(i)->text);
  // The folders come root first, each before those below it: backwards, each is empty in turn.
  for (int32_t i = list.folders.count - 1; i >= 0; --i) (void)RemoveEmptyFolder(list.folders.GetAt(i)->text);
}

bool CommitSwap(const RestorePaths& paths, const RestoreManifest& manifest, uint32_t* systemError) {
  const std::string draft = Join(paths.staging, kManifestDraft);
  if (!WriteWhole(draft, Serialise(manifest), systemError)) return false;
  if (MovePath(draft.c_str(), Join(paths.staging, kStateAside).c_str())) return true;
  *systemError = SystemErrorCode();
  (void)RemoveFileAnyway(draft.c_str());
  return false;
}

SwapReport RunSwap(const RestorePaths& paths, RemoveFileFunction recycle, void* context) {
  const char* state = CurrentState(paths);
  if (state == nullptr) {
    FolderEntry entry;
    FolderReader reader;
    if (!reader.Open(paths.staging.c_str(), &entry)) return {SwapOutcome::None, 0};
    (void)reader.Close();
    DiscardStaging(paths);
    return {SwapOutcome::Undone, 0};
  }
  RestoreManifest manifest;
  if (!ReadManifest(Join(paths.staging, state), &manifest)) return {SwapOutcome::Stuck, SystemErrorCode()};
  uint32_t failure = 0;
  if (std::strcmp(state, kStateAside) == 0) {
    const bool setAside = MoveAll(manifest.oldFiles, paths.dataFolder, paths.oldFiles, &failure);
    state = setAside ? kStatePlace : kStateBack;
    if (!ChangeState(paths, kStateAside, state)) return {SwapOutcome::Stuck, SystemErrorCode()};
  }
  if (std::strcmp(state, kStatePlace) == 0) {
    if (MoveAll(manifest.newFiles, paths.newFiles, paths.dataFolder, &failure)) {
      Finish(paths, manifest, recycle, context);
      return {SwapOutcome::Completed, 0};
    }
    state = kStateBack;
    if (!ChangeState(paths, kStatePlace, kStateBack)) return {SwapOutcome::Stuck, failure};
  }
  if (!Undo(paths, manifest)) return {SwapOutcome::Stuck, failure != 0 ? failure : SystemErrorCode()};
  DiscardStaging(paths);
  return {SwapOutcome::Undone, failure};
}
