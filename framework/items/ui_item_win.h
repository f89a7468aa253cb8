// CUIItem: a small owner-painted child window of class "ZRFAppUIItem" that shows one command of the
// command table (its texts, icon and state flags) and reports presses, clicks and hovering to the
// application (item_events_win.cpp), which turns them into messages to the item's owner. The kinds
// derive from it; CreateUIItem makes one from a command's kind.
#pragma once

#include <windows.h>

#include <cstdint>

#include "framework/app/command_table.h"
#include "framework/items/item_draw_state.h"
#include "framework/items/item_geometry.h"

class CBar;

/// Window class of the items, registered by the start-up with UIItemWndProc.
constexpr char kUIItemClass[] = "ZRFAppUIItem";

class CUIItem;

/// Called first for every message of an item's window; its result is ignored.
using ItemMessageHook = void (*)(HWND window, UINT message, WPARAM wParam, LPARAM lParam, CUIItem* item);

class CUIItem {
 public:
  /// commandId 0xFFFF, everything else zero; the item joins the application's live items.
  CUIItem();
  /// Clears the hot and pressed flags of its command, leaves the live items, drops every
  /// reference the application holds to it (hovered, pressed, popup), removes its tooltip and
  /// destroys its window. A kind with its own OnDestroy calls it from its own destructor.
  virtual ~CUIItem();
  CUIItem(const CUIItem&) = delete;
  CUIItem& operator=(const CUIItem&) = delete;

  // The operations of every kind, in the order of the framework's item slots.
  /// Creates the hidden window for registered command `commandId` inside `parent`, reporting to
  /// `owner`; `parentMenu` is the menu whose popup holds the item (null elsewhere). Adds the
  /// tooltip, runs OnCreate and measures the item. 0, or ZRF_ERR_CREATE (also for an unknown
  /// command or a failing OnCreate; the caller then deletes the item).
  virtual int32_t Create(uint16_t commandId, HWND parent, HWND owner, CUIItem* parentMenu);
  /// The kind's own set-up. 0, or an error code.
  virtual int32_t OnCreate(const CommandRecord& command, HWND parent, HWND owner, CUIItem* parentMenu);
  /// Measures the parts and the whole item for `orientation` (kOrientationRow...).
  virtual void Measure(const CommandRecord& command, int32_t orientation);
  /// The kind's sizes before the texts are measured.
  virtual void OnMeasure(const CommandRecord& command, int32_t orientation);
  /// OnDestroy, then the tooltip and the window go; the object stays.
  virtual void Destroy();
  virtual void OnDestroy();
  /// Paints the client area `client` into `dc`.
  virtual void Paint(HDC dc, const RECT& client);
  virtual void OnSize();
  virtual void Reserved(int32_t value);
  /// Hint 0 redraws the window at once; returns OnUpdate(hint).
  virtual bool Update(int32_t hint);
  virtual bool OnUpdate(int32_t hint);

  // What the application asks of a menu item (kind 3); the menu items override these.
  /// True when the cursor is over the item's arrow part.
  virtual bool IsCursorOnArrow() const { return false; }
  /// Opens the item's popup at `anchor` (screen coordinates). 0 or an error code.
  virtual int32_t OpenPopup(const RECT& anchor);
  /// Closes the item's popup and everything opened from it.
  virtual int32_t ClosePopup() { return 0; }
  /// The cursor moved over the item (a split menu item follows its arrow part here).
  virtual void OnCursorMoved() {}

  void SetMessageHook(ItemMessageHook hook) { messageHook = hook; }
  /// The window is being destroyed by someone else (its parent went): the tooltip goes and the
  /// item lets go of the window.
  void OnWindowDestroyed();
  /// Piece `piece` of the command's texts: asked of the owner (WM_ZRF_GETITEMTEXT) for a command
  /// whose string id is -2, else from the string table. Null when there is none; an owner's text
  /// is valid until the owner changes it.
  const char* GetText(int32_t piece) const;
  /// The look for `commandFlags` into `*state`; returns the press offset.
  int32_t GetDrawState(uint32_t commandFlags, ItemDrawState* state) const;
  /// Lays the parts out in `client` into iconRect, labelRect, extraRect and shortcutRect.
  void LayoutParts(const RECT& client, int32_t offset, bool centre, bool inPopup);
  /// True while the item sits in a popup.
  bool InPopup() const { return parentMenu != nullptr; }
  /// The command's current flags; 0 when it is no longer registered.
  uint32_t CommandFlags() const;
  /// The window's DPI and the UI font's space width at it.
  int32_t Dpi() const;
  int32_t SpaceWidth() const;

  HWND hwnd;
  HWND owner;          ///< receives the item's messages
  uint32_t commandId;  ///< 0xFFFF until created
  uint32_t flags;      ///< the command's flags as of the last measuring
  int32_t kind;
  int32_t width;  ///< measured size of the whole item
  int32_t height;
  ItemSize iconSize;
  ItemSize extraSize;
  ItemSize labelSize;
  ItemSize shortcutSize;
  ItemSize trailSize;
  CUIItem* parentMenu;  ///< the menu whose popup holds the item, null elsewhere
  CBar* bar;            ///< the bar that holds the item, null elsewhere
  int32_t iconColumn;   ///< scaled icon width; a popup's menu keeps the largest of its entries
  uint8_t shownInBar;
  uint32_t lastMouseParam;  ///< lParam of the last mouse move handled
  uint8_t draggingOut;      ///< 1 while WM_ZRF_DRAGOUT is being sent
  RECT iconRect;
  RECT labelRect;
  RECT extraRect;
  RECT shortcutRect;
  ItemMessageHook messageHook;

 protected:
  /// The measured parts as the layout takes them.
  ItemMeasurement Measured() const;
  /// Removes the tooltip and destroys the window, the window first unbound from the item so that
  /// nothing of its tear-down reaches a half-destroyed object.
  void DestroyWindowAndTool();

 private:
  void AddTool(HWND parent);
  void RemoveTool();

  bool hasTool_;
};

/// The item procedure of class "ZRFAppUIItem": hover, drag-out, press with capture, double click by
/// time, click on release, painting. The item is bound to its window at WM_NCCREATE (from the
/// creation parameter) and unbound at WM_NCDESTROY.
LRESULT CALLBACK UIItemWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

/// The item bound to `window`, or null.
CUIItem* ItemFromWindow(HWND window);

/// The buttons of mouse message `message`: its own button (1 left, 2 right, 4 middle) with those
/// its key state `wParam` holds down.
uint32_t GetMouseButtonMask(UINT message, WPARAM wParam);

/// A new item of `kind` (not yet created as a window), owned by the caller; `object` itself for
/// kind 99; null for any other kind or when memory runs out.
CUIItem* CreateUIItem(int32_t kind, CUIItem* object);

/// Registers the window class of the items (once; a class that exists already stays).
bool RegisterUIItemClass(HINSTANCE instance);
