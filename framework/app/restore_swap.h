// Swapping the data folder's configuration for a staged one so that the folder ends with the
// whole old configuration or the whole new one, whatever fails and wherever the process is
// killed. Platform-free; the restore at start (pending_archive.h) stages and commits a swap here.
//
// Design. A restore stages the new files below "<data folder>\(ZRF)Restore\new" while the old
// configuration stays untouched; running out of space there costs nothing. It then writes a
// manifest (the staged files, and the files of the data folder they displace or that go) into
// the staging folder and commits by renaming it to "aside". From then on every step is a rename
// within the data folder's volume, which needs no free space, and the manifest's name records how
// far the swap got:
//   aside  the old files move to "(ZRF)Restore\old", keeping their relative paths;
//   place  the staged files move from "new" to their places;
//   back   a failed step is undone: placed files return to "new", then the old files to theirs.
// Each step skips what is done already, so running it again after a kill completes it. A start
// runs any swap it finds before the folder is read (RunSwap): "aside" and "place" go forward,
// "back" goes back. Once everything is placed, the pending archive is moved out of the way and
// deleted, the old files go to the recycle bin and the staging folder goes.
//
// Nothing the restore did not write itself is ever deleted. A file that appeared at a path a
// step needs (a start that seeded the folder while the old files were aside) is set aside under
// a name of its own beside it. A staging folder without a manifest loses only what the restore
// extracted; any other file in it (an old file the user took back from the recycle bin, one the
// bin refused) goes back to the data folder, under a name of its own where its place is taken.
// The manifest ends with its line count and CRC-32: one that is not whole moves every file it
// can find back to the data folder, old files first, and leaves the archive for a later start.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

/// Folder of the data folder where a restore stages its files; it exists only during a restore.
constexpr char kRestoreFolderName[] = "(ZRF)Restore";

/// Removes one file for good or to the recycle bin; failures are the function's own to ignore.
using RemoveFileFunction = void (*)(void* context, const char* path);

/// The paths of one restore, all full paths with the platform's separators.
struct RestorePaths {
  std::string dataFolder;
  std::string archive;   ///< the pending archive, deleted once the swap is complete
  std::string staging;   ///< "<data folder>\(ZRF)Restore"
  std::string newFiles;  ///< "<staging>\new": the entries are extracted here
  std::string oldFiles;  ///< "<staging>\old"
};

/// The paths for `dataFolder` (without a trailing separator) and its pending archive.
RestorePaths MakeRestorePaths(const char* dataFolder, const char* archivePath);

/// What a swap changes, by paths relative to the data folder with the platform's separators.
struct RestoreManifest {
  std::vector<std::string> newFiles;  ///< staged below "new", to take their places
  std::vector<std::string> oldFiles;  ///< files of the data folder that go or are replaced
};

/// How a swap ended.
enum class SwapOutcome {
  None,       ///< no staging folder: no swap under way
  Completed,  ///< the new configuration is in place, the old one recycled, the archive deleted
  Undone,     ///< the old configuration is whole again, or the staging was unfinished; it went
  Stuck,      ///< a step could be neither completed nor undone; everything stays for a later start
  Salvaged,   ///< the manifest was not whole: every file went back to the data folder, the archive stays
};

struct SwapReport {
  SwapOutcome outcome = SwapOutcome::None;
  uint32_t systemError = 0;  ///< the platform's code of the failure that undid or stopped the swap
  /// Full paths of files the swap kept where the user did not leave them: set aside from a path
  /// the swap needed, taken back from the staging folder, refused by the recycle bin, or the
  /// archive itself when it could be neither moved away nor deleted.
  std::vector<std::string> kept;
};

/// Removes an old staging folder and makes an empty one with its "new" folder. False, with the
/// platform's code in `*systemError`, when it cannot be made.
bool BeginStaging(const RestorePaths& paths, uint32_t* systemError);

/// Removes the staging folder: deletes what the restore wrote there and moves any other file back
/// to the data folder (under a name of its own where its place is taken, listed in `kept`).
void DiscardStaging(const RestorePaths& paths, std::vector<std::string>* kept);

/// True while a committed swap is under way or was left unfinished: nothing else may write into
/// the data folder then.
bool IsSwapUnderWay(const RestorePaths& paths);

/// Writes `manifest` into the staging folder and commits the swap: from here on a start
/// completes it. False, with the staging folder as it was, when the manifest cannot be written.
bool CommitSwap(const RestorePaths& paths, const RestoreManifest& manifest, uint32_t* systemError);

/// Runs the swap that the staging folder holds, committed now or interrupted at an earlier start,
/// to its end; `recycle` takes the old files once the new ones are in place. Completed leaves the
/// manifest in place, and the archive in `kept`, when the archive can be neither moved out of
/// the way nor deleted: the next start finishes the swap again instead of applying it twice.
SwapReport RunSwap(const RestorePaths& paths, RemoveFileFunction recycle, void* context);
