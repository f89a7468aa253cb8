// The plant program's texts (language 0); see program_strings.h.
#include "app/program_strings.h"

namespace plantapp {

StringRecord gProgramStrings[] = {
    {kProductNameText, {"Verdelo"}},
    {kRestartQuestionText, {"Are you sure you want to restart the plant?"}},
    {kCannotRestartText, {"Can't restart the plant.\nPlease reinstall Verdelo."}},
    {kPlantFileErrorText, {"Corrupt or missing plant file: %s\nError Code: %d", "(No plant file)"}},
    {kHookErrorText, {"Couldn't register to Ostrel.dll.\nPlease restart Windows and try again."}},
    {kCompanionErrorText, {"Could not start the 64 bit application!"}},
    {kStringTableEnd, {}},
};

}  // namespace plantapp
