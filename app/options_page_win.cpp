// The Options page: the program and care options, the temperature unit, the brightness and the
// pot and saucer colours, and the buttons that move and size the plant.
#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>

#include <iterator>
#include <mutex>
#include <string>

#include "app/brightness_percent.h"
#include "app/button_pictures_win.h"
#include "app/colour_patch_win.h"
#include "app/dialog_control_paint.h"
#include "app/frame_arithmetic.h"
#include "app/plant_data_lock.h"
#include "app/plant_dialog_pages_win.h"
#include "app/plant_dialog_state_win.h"
#include "app/plant_worker_jobs_win.h"
#include "framework/app/zrf_app_win.h"
#include "framework/base/zrf_messages.h"
#include "framework/ui/dialog_controls_win.h"
#include "resources/plant_dialog_ids.h"

namespace plantapp {
namespace {

constexpr ButtonPicture kPictures[] = {
    {IDC_DEFAULT_PLACE, IDB_DEFAULT_PLACE}, {IDC_MOVE_UP, IDB_MOVE_UP},       {IDC_MOVE_DOWN, IDB_MOVE_DOWN},
    {IDC_MOVE_LEFT, IDB_MOVE_LEFT},         {IDC_MOVE_RIGHT, IDB_MOVE_RIGHT}, {IDC_LARGER, IDB_LARGER},
    {IDC_SMALLER, IDB_SMALLER},
};

// The position buttons and the request each posts to the plant window (PlantRefresh, wParam 4).
struct MoveButton {
  int id;
  uint32_t request;
};
constexpr WPARAM kMoveRequest = 4;
constexpr MoveButton kMoveButtons[] = {
    {IDC_DEFAULT_PLACE, kCentreFrame}, {IDC_MOVE_LEFT, kMoveLeft}, {IDC_MOVE_RIGHT, kMoveRight},
    {IDC_MOVE_UP, kMoveUp},           {IDC_MOVE_DOWN, kMoveDown}, {IDC_LARGER, kGrowFrame},
    {IDC_SMALLER, kShrinkFrame},
};

constexpr size_t kBrightnessTextSize = 16;

ButtonPictures gPictures;
// The colour chooser's custom colours, kept for the whole process.
COLORREF gCustomColours[16];
// The brightness field's text as the page set it: a field left as it was keeps the working
// percent, even one outside what the field accepts.
char gShownBrightness[kBrightnessTextSize];

DialogValues& Values() { return DialogState().values; }

std::string BrightnessText(HWND page) {
  char text[kBrightnessTextSize] = {};
  GetDlgItemTextA(page, IDC_BRIGHTNESS, text, sizeof text);
  return text;
}

void OnInitDialog(HWND page) {
  SetUpPage(page);
  DialogValues& values = Values();
  SetCheck(page, IDC_AUTOSTART, values.options.autostart ? BST_CHECKED : BST_UNCHECKED);
  SetCheck(page, IDC_IDLE_CPU, values.options.idleCpu ? BST_CHECKED : BST_UNCHECKED);
  SetCheck(page, IDC_FOLLOW_SCREEN, values.options.followScreenMode ? BST_CHECKED : BST_UNCHECKED);
  SetCheck(page, IDC_AUTO_CARE, values.autoCare ? BST_CHECKED : BST_UNCHECKED);
  SetCheck(page, IDC_GROW_WHILE_OFF, values.growWhileOff ? BST_CHECKED : BST_UNCHECKED);
  CheckRadioButton(page, IDC_CENTIGRADE, IDC_FAHRENHEIT, values.options.fahrenheit ? IDC_FAHRENHEIT : IDC_CENTIGRADE);
  SendDlgItemMessageA(page, IDC_BRIGHTNESS_SPIN, UDM_SETRANGE32, kMinBrightnessPercent, kMaxBrightnessPercent);
  SetDlgItemNumber(page, IDC_BRIGHTNESS, values.brightnessPercent);
  lstrcpynA(gShownBrightness, BrightnessText(page).c_str(), sizeof gShownBrightness);
  SubclassColourSwatch(GetDlgItem(page, IDC_POT_COLOUR), &values.potColour);
  SubclassColourSwatch(GetDlgItem(page, IDC_SAUCER_COLOUR), &values.saucerColour);
  gPictures.Load(page, kPictures, std::size(kPictures), IDC_DEFAULT_PLACE);
}

void RepaintSwatches(HWND page) {
  InvalidateRect(GetDlgItem(page, IDC_POT_COLOUR), nullptr, TRUE);
  InvalidateRect(GetDlgItem(page, IDC_SAUCER_COLOUR), nullptr, TRUE);
}

void SetDefaultLook(HWND page) {
  SetDlgItemTextA(page, IDC_BRIGHTNESS, "100");
  {
    const std::lock_guard<std::mutex> hold(PlantDataLock());
    ResetColours(DialogState().host->Plant().Record(), &Values());
  }
  RepaintSwatches(page);
}

void ChooseSwatchColour(HWND page, plant::StoredColour* colour) {
  CHOOSECOLORA choice{};
  choice.lStructSize = sizeof choice;
  choice.hwndOwner = page;
  choice.rgbResult = SwatchColour(*colour);
  choice.lpCustColors = gCustomColours;
  choice.Flags = CC_FULLOPEN | CC_ANYCOLOR | CC_RGBINIT;
  if (!ChooseColorA(&choice)) return;
  ChooseColour(GetRValue(choice.rgbResult), GetGValue(choice.rgbResult), GetBValue(choice.rgbResult), colour,
               &Values());
  RepaintSwatches(page);
}

bool PostMoveRequest(int id) {
  for (const MoveButton& button : kMoveButtons) {
    if (button.id != id) continue;
    PostMessageA(DialogState().host->PlantWindow(), kPlantRefreshMessage, kMoveRequest, button.request);
    return true;
  }
  return false;
}

bool OnCommand(HWND page, int id, int code) {
  if (id == IDC_SET_DEFAULT && code == BN_CLICKED) {
    SetDefaultLook(page);
    return true;
  }
  if ((id == IDC_POT_COLOUR || id == IDC_SAUCER_COLOUR) && code == STN_CLICKED) {
    ChooseSwatchColour(page, id == IDC_POT_COLOUR ? &Values().potColour : &Values().saucerColour);
    return true;
  }
  if ((id == IDC_CENTIGRADE || id == IDC_FAHRENHEIT) && code == BN_CLICKED) {
    // At once, not only when the page goes: the Care page shows the unit as soon as it is shown.
    Values().options.fahrenheit = GetCheck(page, IDC_CENTIGRADE) != BST_CHECKED;
    return true;
  }
  return code == BN_CLICKED && PostMoveRequest(id);
}

// The page goes when the dialog closes, before OK applies the working copies: the controls are
// copied into them.
void TakeControls(HWND page) {
  DialogValues& values = Values();
  values.growWhileOff = GetCheck(page, IDC_GROW_WHILE_OFF) == BST_CHECKED;
  values.autoCare = GetCheck(page, IDC_AUTO_CARE) == BST_CHECKED;
  const std::string brightness = BrightnessText(page);
  if (brightness != gShownBrightness) values.brightnessPercent = ParseBrightnessText(brightness);
  values.options.autostart = GetCheck(page, IDC_AUTOSTART) == BST_CHECKED;
  values.options.idleCpu = GetCheck(page, IDC_IDLE_CPU) == BST_CHECKED;
  values.options.followScreenMode = GetCheck(page, IDC_FOLLOW_SCREEN) == BST_CHECKED;
  values.options.fahrenheit = GetCheck(page, IDC_CENTIGRADE) != BST_CHECKED;
}

}  // namespace

INT_PTR CALLBACK OptionsPageProc(HWND page, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      OnInitDialog(page);
      return FALSE;  // the dialog keeps the focus
    case WM_COMMAND:
      return OnCommand(page, LOWORD(wParam), HIWORD(wParam)) ? TRUE : FALSE;
    case zrf::WM_ZRF_DPICHANGED:
      FollowPageDpi(page, wParam);
      gPictures.Load(page, kPictures, std::size(kPictures), IDC_DEFAULT_PLACE);
      return TRUE;
    case WM_DESTROY:
      TakeControls(page);
      gPictures.Release();
      return FALSE;
  }
  return FALSE;
}

}  // namespace plantapp
