// The plant dialog's stand-in program.
#include "tools/testdialog/dialog_test_host_win.h"

#include <commctrl.h>

#include <utility>

#include "app/plant_dialog_win.h"
#include "app/plant_worker_jobs_win.h"
#include "app/program_strings.h"
#include "framework/app/zrf_app_win.h"
#include "version.h"

namespace dialogtest {
namespace {

constexpr char kPlantWindowClass[] = "VerdeloDialogTestPlant";

}  // namespace

DialogTestHost::DialogTestHost(plant::Plant& plant, std::string plantName)
    : plant_(plant), name_(std::move(plantName)) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = PlantWindowProc;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = kPlantWindowClass;
  RegisterClassA(&windowClass);  // a second host finds the class there already
  block_.message = RegisterWindowMessageA(ostrel::kMessageName);
  window_ = CreateWindowExA(WS_EX_TOOLWINDOW, kPlantWindowClass, "Verdelo", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                            GetModuleHandleA(nullptr), this);
}

DialogTestHost::~DialogTestHost() {
  if (HWND dialog = plantapp::PlantDialogWindow()) DestroyWindow(dialog);
  if (window_ != nullptr) DestroyWindow(window_);
}

void DialogTestHost::ApplyOptions(const plantapp::PlantOptions& applied) {
  options = applied;
  calls.push_back("ApplyOptions");
}

void DialogTestHost::OpenHelp(const char* file, const char* topic) {
  calls.push_back(std::string("OpenHelp ") + file + " " + topic);
}

void DialogTestHost::MoveFrame(const ostrel::Rect32& frame) {
  block_.activeFrame = frame;
  PostMessageA(window_, block_.message, static_cast<WPARAM>(ostrel::OstrelCode::FrameChanged), 0);
}

LRESULT CALLBACK DialogTestHost::PlantWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* host = reinterpret_cast<DialogTestHost*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (host != nullptr && (message == host->block_.message || message == plantapp::kPlantRefreshMessage)) {
    host->received.push_back(Received{message, wParam, lParam});
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

void PrepareFramework() {
  static bool prepared = false;
  if (prepared) return;
  prepared = true;
  INITCOMMONCONTROLSEX classes{sizeof classes, ICC_WIN95_CLASSES};
  InitCommonControlsEx(&classes);
  (void)gApp.style.Init();
  lstrcpynA(gApp.productName, "Verdelo", sizeof gApp.productName);
  gApp.version[0] = VERDELO_VERSION_MAJOR;
  gApp.version[1] = VERDELO_VERSION_MINOR;
  gApp.version[2] = VERDELO_VERSION_PATCH;
  (void)gApp.strings.SetProgramTable(0, plantapp::gProgramStrings);
}

bool PumpMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) return true;
    HWND dialog = plantapp::PlantDialogWindow();
    if (dialog != nullptr && IsDialogMessageA(dialog, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return false;
}

}  // namespace dialogtest
