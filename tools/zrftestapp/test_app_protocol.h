// What the framework test program and the tests that drive it agree on: its product name, its
// switches, the messages a test sends its window and the lines it writes to its event log. It
// runs the maintenance services' daily jobs (update check, scheduled archiving).
#pragma once

#include <cstdint>

namespace zrftest {

/// Piece 0 of the program's string 1: the product name, which keys its control messages.
constexpr char kProductName[] = "ZrfTestApp";
/// Title of the program's framework window.
constexpr char kWindowTitle[] = "ZrfTestApp window";
/// Position and size the window is created with.
constexpr int32_t kWindowX = 100;
constexpr int32_t kWindowY = 50;
constexpr int32_t kWindowWidth = 800;
constexpr int32_t kWindowHeight = 600;

/// Switches: "-EVENTS file" appends the event lines to the file; "-SINGLE" allows one instance
/// only; "-NOICONS" loads the command icons from a module without them, so the start fails late.
constexpr char kEventsSwitch[] = "-EVENTS";
constexpr char kSingleSwitch[] = "-SINGLE";
constexpr char kNoIconsSwitch[] = "-NOICONS";

/// Messages to the framework window (WM_APP + n, below the framework's private range):
/// RequestRestart(wParam mode, own command line, lParam notify).
constexpr uint32_t kRequestRestart = 0x8000 + 1;
/// From now on the monitor table reports one monitor of wParam by lParam pixels at (0, 0).
constexpr uint32_t kFakeScreen = 0x8000 + 2;
/// Opens the About and configuration dialog on the window (post it: the dialog is modal).
constexpr uint32_t kShowAbout = 0x8000 + 3;
/// Shows kMessageText in the framework message box on the window, titled with the product name,
/// with the information icon and OK (post it: the box is modal).
constexpr uint32_t kShowMessage = 0x8000 + 4;
constexpr char kMessageText[] = "The plant was saved\nIt is in the data folder.";

/// Private messages from here up to the registered ones are the framework's to forward but it
/// uses none of them itself; the window logs each it gets.
constexpr uint32_t kFirstLoggedMessage = 0x8410;

/// Event lines, each ending in "\n": "start <pid> <command line>" once the start-up succeeded,
/// "dpi functions <pid> <1 when GetDpiForWindow was looked up, else 0>" right after it,
/// "activate <pid>", "close <pid>" for WM_CLOSE, "message <pid> <hex>" for a logged message,
/// "displaychanged <pid>", "end <pid> <exit code>" after the loop.
}  // namespace zrftest
