// The program's message boxes; see program_messages_win.h.
#include "app/program_messages_win.h"

#include "app/program_strings.h"
#include "framework/app/zrf_app_win.h"
#include "framework/files/system_error.h"
#include "plant/plant_file.h"

namespace plantapp {

int32_t ShowProgramMessage(uint16_t id) {
  return gApp.MessageDialog(nullptr, nullptr, "%s", kProgramMessageStyle, 0, gApp.strings.Text(id, 0));
}

int32_t ShowPlantSaveFailure(uint32_t systemError) {
  char reason[512];
  SystemErrorText(systemError, reason, sizeof reason);
  return gApp.MessageDialog(nullptr, nullptr, reason[0] != '\0' ? "%s\n%s" : "%s", kProgramMessageStyle, 0,
                            plant::SaveResultText(plant::SaveResult::WriteFailed), reason);
}

int32_t ShowPlantFileMessage(const char* name, int32_t code) {
  const char* shown = name != nullptr ? name : gApp.strings.Text(kPlantFileErrorText, kNoPlantFilePiece);
  return gApp.MessageDialog(nullptr, nullptr, gApp.strings.Text(kPlantFileErrorText, 0), kProgramMessageStyle,
                            0, shown, code);
}

}  // namespace plantapp
