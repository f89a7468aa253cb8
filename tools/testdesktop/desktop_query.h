// How tests talk to the test desktop: its window names, its ready event and the queries its
// control window answers from inside the desktop process. Shared by the test desktop and drivers.
#pragma once

#include <cstdint>

namespace testdesktop {

/// Class of the hidden control window that answers the queries.
inline constexpr char kControlClass[] = "OstrelTestDesktop";
/// Manual-reset event the test desktop sets when its window tree stands.
inline constexpr char kReadyEvent[] = "OstrelTestDesktopReady";
/// Background colour of the list view, so a picture of the desktop can be told apart.
inline constexpr uint32_t kBackground = 0x00808000;  // RGB(0, 128, 128)

/// Queries: SendMessage(control window, WM_APP + query, 0, 0).
enum Query : unsigned {
  /// Status bits (below).
  QueryStatus = 1,
  /// The list view's handle.
  QueryListView = 2,
  /// The cursor the desktop thread shows, as a CursorId.
  QueryCursor = 3,
  /// Button-down messages that reached the list view's own procedure.
  QueryButtonDowns = 4,
  /// Double-clicks that reached the list view's own procedure.
  QueryDoubleClicks = 5,
  /// Position of icon `wParam` (x low word, y high word), or -1.
  QueryIconPosition = 6,
  /// Destroys the list view and makes a new one in its place, in this process; answers its handle.
  QueryRecreateListView = 7,
  /// At the next WM_PAINT that reaches the list view's own procedure, kLateRepaint is invalidated
  /// (with erase) before that procedure runs: a repaint another process asks for after the
  /// library's subclass has read the update region, but before BeginPaint takes it.
  QueryRepaintAtNextPaint = 8,
  /// Posted, not sent: sets kPingEvent once every message posted before it has been handled.
  QueryPing = 15,
};

/// The rectangle QueryRepaintAtNextPaint invalidates, in list-view coordinates; away from the
/// icons and from the plants' usual places.
struct Box {
  int32_t left, top, right, bottom;
};
inline constexpr Box kLateRepaint{600, 500, 700, 600};

/// Auto-reset event that answers QueryPing.
inline constexpr char kPingEvent[] = "OstrelTestDesktopPing";

/// Status bits.
inline constexpr unsigned kLibraryLoaded = 1;
inline constexpr unsigned kSubclassed = 2;
inline constexpr unsigned kDoubleBuffered = 4;

/// Cursors as QueryCursor reports them.
enum CursorId : unsigned { CursorOther = 0, CursorArrow, CursorSizeNS, CursorSizeWE, CursorSizeNESW,
                           CursorSizeNWSE, CursorSizeAll };

}  // namespace testdesktop
