// The application object's shell services that need its identity and its message box:
// CZrfApp::SetAutostart and CZrfApp::OpenHelp over the shortcut and help functions of
// framework_shell_win. (CZrfApp::SetTrayIcon, which needs the framework windows, is in
// tray_icon_win.cpp.)
#include "framework/app/zrf_app_win.h"

#include "framework/shell/autostart_shortcut.h"
#include "framework/shell/autostart_shortcut_win.h"
#include "framework/shell/help_file_win.h"
#include "framework/ui/message_box_layout.h"

namespace {

// Framework text whose piece 0 says the manual cannot be displayed and piece 1 that it is missing.
constexpr uint16_t kManualTextId = 0xF007;

}  // namespace

int32_t CZrfApp::SetAutostart(bool enabled, const char* extra, uint8_t keepExisting, const char* iconLocation,
                              const char* name) {
  char target[kPathCapacity];
  // Deleting needs no target; a target that does not fit fails the creation below.
  if (!AutostartTarget(target, install.installFolder, productName)) {
    target[0] = '\0';
  }
  return SetStartupShortcut(enabled, extra, keepExisting != 0, iconLocation, name != nullptr ? name : productName,
                            target);
}

int32_t CZrfApp::OpenHelp(const char* file, const char* topic) {
  const HelpOutcome outcome = OpenHelpFile(file, topic, install.installFolder, SystemHelpShellCalls());
  if (outcome.messagePiece >= 0) {
    MessageDialog(nullptr, productName, strings.Text(kManualTextId, outcome.messagePiece),
                  zrf::kMessageError | zrf::kMessageOk | zrf::kMessageBoldFirstLine, 0, outcome.messageName);
  }
  return outcome.result;
}
