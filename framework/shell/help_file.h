// The rules of opening a compiled HTML help file: which names count, and the parameter text the
// viewer gets. Platform-free; help_file_win.cpp finds the viewer and starts it.
#pragma once

#include <cstdint>

#include "framework/base/path_backslash.h"

/// Results of CZrfApp::OpenHelp.
constexpr int32_t kHelpOpened = 0;
constexpr int32_t kHelpNotHelpFile = 1;   ///< the name holds no ".chm"; nothing is shown
constexpr int32_t kHelpNoViewer = 2;      ///< no program is associated with help files
constexpr int32_t kHelpMissing = 3;       ///< the help file does not exist
constexpr int32_t kHelpNotStarted = 4;    ///< the viewer could not be found or started

/// Whether file names a compiled HTML help file (its name contains ".chm").
[[nodiscard]] bool IsHelpFileName(const char* file);

/// The viewer's parameters: path in double quotes, with "::/" and the topic before the closing
/// quote when topic is neither null nor empty. False, with parameters emptied, when the text
/// would not fit kPathCapacity characters (a cut path would open another page or file).
[[nodiscard]] bool HelpParameters(char (&parameters)[kPathCapacity], const char* path, const char* topic);
