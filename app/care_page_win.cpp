// The Care page: the water and fertiliser bars with their add buttons, the light and temperature
// sliders, the light indicator and the temperature text.
#include <windows.h>
#include <commctrl.h>

#include <iterator>
#include <mutex>

#include "app/add_button_win.h"
#include "app/button_pictures_win.h"
#include "app/colour_patch_win.h"
#include "app/dialog_control_paint.h"
#include "app/dialog_texts.h"
#include "app/level_bar_win.h"
#include "app/plant_data_lock.h"
#include "app/plant_dialog_pages_win.h"
#include "app/plant_dialog_state_win.h"
#include "app/plant_worker_jobs_win.h"
#include "framework/app/zrf_app_win.h"
#include "framework/base/zrf_messages.h"
#include "resources/plant_dialog_ids.h"

namespace plantapp {
namespace {

constexpr int32_t kLightSteps = 1000;       // the light slider: light x 1000
constexpr int32_t kTemperatureSteps = 500;  // the temperature slider: degrees x 10, 0 to 50
constexpr ButtonPicture kPictures[] = {{IDC_ADD_WATER, IDB_ADD_WATER}, {IDC_ADD_FERTILIZER, IDB_ADD_FERTILIZER}};

ButtonPictures gPictures;

DialogValues& Values() { return DialogState().values; }

void SetUpSlider(HWND page, int id, int32_t maximum, int32_t pageSize, int32_t position) {
  SendDlgItemMessageA(page, id, TBM_SETRANGEMIN, FALSE, 0);
  SendDlgItemMessageA(page, id, TBM_SETRANGEMAX, FALSE, maximum);
  SendDlgItemMessageA(page, id, TBM_SETPAGESIZE, 0, pageSize);
  SendDlgItemMessageA(page, id, TBM_SETPOS, TRUE, position);
}

int32_t SliderAt(HWND page, int id) { return static_cast<int32_t>(SendDlgItemMessageA(page, id, TBM_GETPOS, 0, 0)); }

void ShowTemperature(HWND page) {
  SetDlgItemTextA(page, IDC_TEMPERATURE_TEXT,
                  TemperatureText(Values().temperature, Values().options.fahrenheit != 0).c_str());
}

void Repaint(HWND page, int id) { InvalidateRect(GetDlgItem(page, id), nullptr, TRUE); }

void OnInitDialog(HWND page) {
  SetUpPage(page);
  DialogValues& values = Values();
  SubclassLevelBar(GetDlgItem(page, IDC_WATER_BAR), &values.water, kWaterBarColour);
  SubclassLevelBar(GetDlgItem(page, IDC_FERTILIZER_BAR), &values.fertiliser, kFertiliserBarColour);
  SubclassLightIndicator(GetDlgItem(page, IDC_LIGHT_INDICATOR), &values.light);
  SubclassAddButton(GetDlgItem(page, IDC_ADD_WATER), &values.water);
  SubclassAddButton(GetDlgItem(page, IDC_ADD_FERTILIZER), &values.fertiliser);
  SetUpSlider(page, IDC_LIGHT, kLightSteps, 50, SliderPosition(values.light, 1000.0, kLightSteps));
  SetUpSlider(page, IDC_TEMPERATURE, kTemperatureSteps, 10,
              SliderPosition(values.temperature, 10.0, kTemperatureSteps));
  ShowTemperature(page);
  gPictures.Load(page, kPictures, std::size(kPictures), IDC_ADD_WATER);
}

// The plant consumed water and fertiliser since the page last looked (or an add button stepped a
// level): the bars show the working levels less what was consumed.
void OnRefresh(HWND page) {
  {
    const std::lock_guard<std::mutex> hold(PlantDataLock());
    TakeConsumption(DialogState().host->Plant().Record(), &Values());
  }
  Repaint(page, IDC_WATER_BAR);
  Repaint(page, IDC_FERTILIZER_BAR);
}

}  // namespace

INT_PTR CALLBACK CarePageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      OnInitDialog(page);
      return FALSE;  // the dialog keeps the focus
    case WM_HSCROLL: {
      // A slider's move goes on as a command of its id, with the scroll code in the high word.
      const int id = GetDlgCtrlID(reinterpret_cast<HWND>(lParam));
      if (id != IDC_LIGHT && id != IDC_TEMPERATURE) return FALSE;
      SendMessageA(page, WM_COMMAND, MAKEWPARAM(id, LOWORD(wParam)), lParam);
      return TRUE;
    }
    case WM_COMMAND:
      if (LOWORD(wParam) == IDC_LIGHT) {
        Values().light = SliderAt(page, IDC_LIGHT) / 1000.0;
        Repaint(page, IDC_LIGHT_INDICATOR);
        return TRUE;
      }
      if (LOWORD(wParam) == IDC_TEMPERATURE) {
        Values().temperature = SliderAt(page, IDC_TEMPERATURE) / 10.0;
        ShowTemperature(page);
        return TRUE;
      }
      return FALSE;
    case WM_SHOWWINDOW:
      ShowTemperature(page);  // the unit may have changed on the Options page
      return FALSE;
    case kPlantRefreshMessage:
      OnRefresh(page);
      return TRUE;
    case zrf::WM_ZRF_DPICHANGED:
      FollowPageDpi(page, wParam);
      gPictures.Load(page, kPictures, std::size(kPictures), IDC_ADD_WATER);
      return TRUE;
    case WM_DESTROY:
      gPictures.Release();
      return FALSE;
  }
  return FALSE;
}

}  // namespace plantapp
