// A stand-in for the plant program around the plant dialog, for its tests and the dialog test
// program: a hidden plant window that records what the dialog posts to it, a desktop-draw block
// of its own, the plant, options kept in memory, and a log of every other call.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "app/plant_dialog_win.h"

namespace dialogtest {

/// A message the plant window received.
struct Received {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

class DialogTestHost final : public plantapp::PlantDialogHost {
 public:
  /// Makes the hidden plant window and the block (its message registered, no list view, so the
  /// dialog places itself in screen coordinates). The plant is plant, borrowed.
  DialogTestHost(plant::Plant& plant, std::string plantName);
  ~DialogTestHost() override;
  DialogTestHost(const DialogTestHost&) = delete;
  DialogTestHost& operator=(const DialogTestHost&) = delete;

  HWND PlantWindow() override { return window_; }
  ostrel::OstrelSharedMem& SharedBlock() override { return block_; }
  plant::Plant& Plant() override { return plant_; }
  const char* PlantName() override { return name_.c_str(); }
  HICON LargeIcon() override { return nullptr; }
  HICON SmallIcon() override { return nullptr; }
  plantapp::PlantOptions ReadOptions() override { return options; }
  void ApplyOptions(const plantapp::PlantOptions& applied) override;
  void RegisterAutostart() override { calls.push_back("RegisterAutostart"); }
  void SetDialog(HWND dialog) override { workerDialog = dialog; }
  void OpenHelp(const char* file, const char* topic) override;
  void ShowAboutDialog(HWND) override { calls.push_back("ShowAboutDialog"); }
  void RestartPlant() override { calls.push_back("RestartPlant"); }
  const char* WebAddress() override { return "www.brambeck.example"; }
  /// Writes the frame and posts FrameChanged to the stand-in plant window.
  void MoveFrame(const ostrel::Rect32& frame) override;

  /// The number of "Ostrel_Message".
  UINT DesktopMessage() const { return block_.message; }

  /// The options file as the dialog reads it; ApplyOptions writes it.
  plantapp::PlantOptions options;
  /// What the plant window received, oldest first (dispatched by the caller's message loop).
  std::vector<Received> received;
  /// ApplyOptions, RegisterAutostart, OpenHelp (with its topic), ShowAboutDialog, RestartPlant.
  std::vector<std::string> calls;
  /// The dialog the worker would refresh.
  HWND workerDialog = nullptr;

 private:
  static LRESULT CALLBACK PlantWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  plant::Plant& plant_;
  std::string name_;
  ostrel::OstrelSharedMem block_{};
  HWND window_ = nullptr;
};

/// Sets up what the program's start-up would have before a dialog opens: the UI style, the
/// product name and version, and the program's string table. Once per process.
void PrepareFramework();

/// Dispatches this thread's pending messages (the plant dialog's keyboard handling included).
/// True when a WM_QUIT was among them (it is taken off the queue, and the rest left there).
bool PumpMessages();

}  // namespace dialogtest
