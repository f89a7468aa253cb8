// The Info page: the plant's icon, name and care tips, its age and health, and Restart.
#include <windows.h>

#include <cstring>
#include <mutex>
#include <string>

#include "app/dialog_texts.h"
#include "app/health_bar_win.h"
#include "app/plant_data_lock.h"
#include "app/plant_dialog_pages_win.h"
#include "app/plant_dialog_state_win.h"
#include "app/plant_worker_jobs_win.h"
#include "app/program_strings.h"
#include "framework/app/zrf_app_win.h"
#include "framework/base/zrf_messages.h"
#include "framework/ui/message_box_layout.h"
#include "plant/growth_simulation.h"
#include "resources/plant_dialog_ids.h"

namespace plantapp {
namespace {

// The question before a restart: a question icon, Yes, No and Cancel and a bold first line.
constexpr uint32_t kRestartQuestionStyle =
    zrf::kMessageQuestion | zrf::kMessageYesNoCancel | zrf::kMessageBoldFirstLine;

PlantDialogHost& Host() { return *DialogState().host; }

// The care tips as the record holds them, without trusting the file to end them.
std::string CareTips() {
  const std::lock_guard<std::mutex> hold(PlantDataLock());
  const char* tips = Host().Plant().Record().careTips;
  return std::string(tips, strnlen(tips, plant::kCareTipsSize));
}

// The age and the health the plant has now. The health walks the node array, which the worker
// may be growing: it is taken under the plant-data lock.
void ShowAgeAndHealth(HWND page) {
  uint32_t steps = 0;
  int32_t secondsPerStep = 0;
  double health = -1.0;
  {
    const std::lock_guard<std::mutex> hold(PlantDataLock());
    const plant::Plant& plant = Host().Plant();
    steps = plant.Record().stepCount;
    secondsPerStep = plant.Record().secondsPerStep;
    health = plant::ComputePlantHealth(plant);
  }
  SetDlgItemTextA(page, IDC_AGE, AgeText(steps, secondsPerStep).c_str());
  SetDlgItemTextA(page, IDC_HEALTH, HealthText(health).c_str());
  SetHealthBarPercent(GetDlgItem(page, IDC_HEALTH_BAR), HealthBarPercent(health));
}

void OnInitDialog(HWND page) {
  const HFONT font = SetUpPage(page);
  ShowPlantIcon(page, IDC_PLANT_ICON, Host());
  SetDlgItemTextA(page, IDC_PLANT_NAME, Host().PlantName());
  SendDlgItemMessageA(page, IDC_PLANT_NAME, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  SetDlgItemTextA(page, IDC_CARE_TIPS, CareTips().c_str());
  SubclassHealthBar(GetDlgItem(page, IDC_HEALTH_BAR));
  ShowAgeAndHealth(page);
}

void AskAndRestart(HWND page) {
  if (gApp.MessageDialog(page, nullptr, "%s", kRestartQuestionStyle, 0, gApp.strings.Text(kRestartQuestionText, 0)) ==
      zrf::kButtonYes) {
    Host().RestartPlant();
  }
}

}  // namespace

INT_PTR CALLBACK InfoPageProc(HWND page, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      OnInitDialog(page);
      return FALSE;  // the dialog keeps the focus
    case kPlantRefreshMessage:
      ShowAgeAndHealth(page);
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) != IDC_RESTART || HIWORD(wParam) != BN_CLICKED) return FALSE;
      AskAndRestart(page);
      return TRUE;
    case zrf::WM_ZRF_DPICHANGED:
      SendDlgItemMessageA(page, IDC_PLANT_NAME, WM_SETFONT, reinterpret_cast<WPARAM>(FollowPageDpi(page, wParam)),
                          TRUE);
      return TRUE;
  }
  return FALSE;
}

}  // namespace plantapp
