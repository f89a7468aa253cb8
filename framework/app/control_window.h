// The control window's rules: what a control message from another instance may do, and when the
// hourly timer runs the daily jobs. Platform-free; the window itself is control_window_win.h's.
#pragma once

#include <cstdint>

/// Window class and registered message through which the instances of a product talk.
constexpr char kControlWindowClass[] = "ZRFPhantom";
constexpr char kControlMessageName[] = "ZRFMSG_ZRFCONTROL";
/// Registered message the shell broadcasts when its taskbar was re-created.
constexpr char kTaskbarCreatedName[] = "TaskbarCreated";

/// The hourly timer of the control window.
constexpr uintptr_t kHourlyTimerId = 0x4321;
constexpr uint32_t kHourlyTimerPeriod = 3600000;  ///< milliseconds

/// What a control message asks of this instance.
enum class ControlAction {
  Ignore,    ///< another product's, or a code no instance may send
  Activate,  ///< show the instance (WM_ZRF_ACTIVATE)
  Quit,      ///< tell the main window to end the program (WM_ZRF_QUIT)
  Restart,   ///< restart this instance (WM_ZRF_RESTART)
  Forward,   ///< pass the code to the main window as a message without parameters
};

/// The action for code `code` with lParam `crc` at an instance whose product CRC is `ownCrc`.
/// Only codes in the framework's private range are forwarded: the message passes the message
/// filter, so any process could otherwise make the main window close or end its session.
ControlAction ControlActionFor(uint32_t code, uint32_t crc, uint32_t ownCrc);

/// Counts the hourly ticks towards the daily jobs.
class DailyJobClock {
 public:
  /// One tick; true on every 24th, 24 hours after the last run (or after the window appeared).
  bool Tick();

 private:
  int32_t ticks_ = 0;
};
