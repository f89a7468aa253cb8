// The plant dialog: a modeless tabbed dialog beside the plant on the desktop, whose pages edit
// working copies of the plant's care values and options. OK writes them back; Cancel drops them
// and puts back a plant the user moved or resized while it was open. One dialog per process, on
// the UI thread.
#pragma once

#include <windows.h>

#include "app/dialog_values.h"
#include "hooklib/shared_block.h"
#include "plant/plant_state.h"

namespace plantapp {

/// What the plant dialog needs from the plant program around it. Called on the UI thread only.
class PlantDialogHost {
 public:
  virtual ~PlantDialogHost() = default;
  /// The plant window: owner of the dialogs, receiver of FrameChanged, DialogClosed and the
  /// redraw and move requests (PlantRefresh).
  virtual HWND PlantWindow() = 0;
  /// The desktop-draw block: the dialog saves and restores its activeFrame and posts its message.
  virtual ostrel::OstrelSharedMem& SharedBlock() = 0;
  /// The plant; the dialog takes the plant-data lock around every use of its record and nodes.
  virtual plant::Plant& Plant() = 0;
  /// The plant's name ("Fern"); its large and small icons, either of which may be null.
  virtual const char* PlantName() = 0;
  virtual HICON LargeIcon() = 0;
  virtual HICON SmallIcon() = 0;
  /// The options as their file holds them now (the defaults when it is missing).
  virtual PlantOptions ReadOptions() = 0;
  /// OK's options: stores them, makes or removes the autostart shortcut, sets the worker's priority
  /// and saves the options file.
  virtual void ApplyOptions(const PlantOptions& options) = 0;
  /// Makes or removes the autostart shortcut as the stored options say (the welcome dialog).
  virtual void RegisterAutostart() = 0;
  /// Tells the worker which dialog to refresh after each pass; null when none is open.
  virtual void SetDialog(HWND dialog) = 0;
  /// Opens topic of the help file.
  virtual void OpenHelp(const char* file, const char* topic) = 0;
  /// The framework's About and configuration dialog, modal on owner.
  virtual void ShowAboutDialog(HWND owner) = 0;
  /// Restarts the plant from its installed plant file (the user has confirmed). May not return.
  virtual void RestartPlant() = 0;
  /// The maker's web address the About page shows.
  virtual const char* WebAddress() = 0;
  /// Puts the plant back at `frame` (Cancel after a move): the library's active frame becomes
  /// `frame` and the plant window adopts it, as after a drag.
  virtual void MoveFrame(const ostrel::Rect32& frame) = 0;
};

/// Opens the dialog beside the plant (the library's active frame must already be set), or brings
/// the open one to the front, and gives it the focus. Returns the dialog, or null when it could
/// not be made. host must outlive the dialog.
HWND OpenPlantDialog(PlantDialogHost& host);

/// The open plant dialog, or null.
[[nodiscard]] HWND PlantDialogWindow();

/// Closes the dialog as OK (cancel false: the working copies are applied) or Cancel does, tells the
/// plant window (DialogClosed) and destroys it.
void ClosePlantDialog(HWND dialog, bool cancel);

/// The dialog procedure of resource 102.
INT_PTR CALLBACK PlantDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace plantapp
