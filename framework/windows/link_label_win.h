// CLinkLabel: a static control of a dialog made to look and act like a hyperlink. It paints its
// text blue in the UI face, shows the hand cursor and a tooltip with its target, and opens the
// target (an address, a file or a folder) through the shell on a click or the space bar.
#pragma once

#include <windows.h>

#include <cstdint>

class CLinkLabel {
 public:
  static constexpr int32_t kTextSize = 260;

  /// All fields zero: not attached.
  CLinkLabel();
  /// Detaches.
  ~CLinkLabel();
  CLinkLabel(const CLinkLabel&) = delete;
  CLinkLabel& operator=(const CLinkLabel&) = delete;

  /// Makes the static `controlId` of `dialog` a link to `target`, detaching first when attached.
  /// A null target links to the control's own text; a control without text shows the target
  /// (the control's window text becomes what is shown). The static should have SS_NOTIFY, or
  /// it gets no mouse messages. The alignment and path ellipsis of its style are kept. False
  /// when the dialog has no such control (nothing is attached then).
  bool Attach(HWND dialog, int32_t controlId, const char* target);

  /// Gives the control its own procedure back and destroys its tooltip and the control itself.
  /// Nothing when not attached; a control that was destroyed with its dialog detached itself.
  void Detach();

  /// Opens the target through the shell (ShellOpen); an empty target opens nothing.
  void Open() const;

  int32_t controlId;
  HWND control;  ///< null while detached
  HWND dialog;   ///< the dialog that holds the control
  HWND tooltip;  ///< this label's own tooltip window
  char text[kTextSize];
  char target[kTextSize];
  uint32_t drawFlags;  ///< DT_CENTER, DT_RIGHT and DT_PATH_ELLIPSIS as the static's style says
  WNDPROC previousProc;

 private:
  void Unbind();
  static LRESULT CALLBACK WndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
  void Paint();
};
