// Finding and starting the help viewer; the texts come from help_file.cpp.
#include "framework/shell/help_file_win.h"

#include <shellapi.h>

#include <cstdio>

#include "framework/files/data_file.h"
#include "framework/shell/help_file.h"

namespace {

constexpr int32_t kCannotDisplayPiece = 0;
constexpr int32_t kMissingPiece = 1;
constexpr uintptr_t kLastShellError = 32;  // ShellExecute and FindExecutable fail at or below this

HelpOutcome Outcome(int32_t result, int32_t piece, const char* name) {
  HelpOutcome outcome{result, piece, {}};
  std::snprintf(outcome.messageName, sizeof outcome.messageName, "%s", name);
  return outcome;
}

}  // namespace

const HelpShellCalls& SystemHelpShellCalls() {
  static const HelpShellCalls calls{FindExecutableA, ShellExecuteA};
  return calls;
}

HelpOutcome OpenHelpFile(const char* file, const char* topic, const char* installFolder,
                         const HelpShellCalls& calls) {
  if (!IsHelpFileName(file)) {
    return Outcome(kHelpNotHelpFile, -1, "");
  }
  char path[kPathCapacity];
  if (GetFileAttributesA(file) != INVALID_FILE_ATTRIBUTES) {
    std::snprintf(path, sizeof path, "%s", file);
  } else if (!BuildFolderFilePath(path, installFolder, file, nullptr)) {
    return Outcome(kHelpMissing, kMissingPiece, file);
  }
  // The short form has no blanks, so the viewer's "path::/topic" parameter needs no escaping.
  char shortPath[kPathCapacity];
  const DWORD shortLength = GetShortPathNameA(path, shortPath, sizeof shortPath);
  if (shortLength > 0 && shortLength < sizeof shortPath) {
    std::snprintf(path, sizeof path, "%s", shortPath);
  }
  char viewer[MAX_PATH] = {};
  const auto found = reinterpret_cast<uintptr_t>(calls.findExecutable(path, nullptr, viewer));
  if (found == SE_ERR_NOASSOC) {
    return Outcome(kHelpNoViewer, kCannotDisplayPiece, file);
  }
  if (GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES) {
    return Outcome(kHelpMissing, kMissingPiece, path);
  }
  char parameters[kPathCapacity];
  if (found <= kLastShellError || viewer[0] == '\0' || !HelpParameters(parameters, path, topic)) {
    return Outcome(kHelpNotStarted, kCannotDisplayPiece, file);
  }
  const auto started =
      reinterpret_cast<uintptr_t>(calls.shellExecute(nullptr, nullptr, viewer, parameters, nullptr, SW_SHOWNORMAL));
  if (started <= kLastShellError) {
    return Outcome(kHelpNotStarted, kCannotDisplayPiece, file);
  }
  return Outcome(kHelpOpened, -1, "");
}
