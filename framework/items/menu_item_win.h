// CMenu (kind 3): the item that owns a popup window listing the items of a list of command ids: a
// drop-down entry in a bar, a cascading entry inside another popup, or a split button whose arrow
// part opens the popup. The popup is never activated: the keyboard stays with the active window
// and the message loop routes its keys to the popup.
#pragma once

#include <windows.h>

#include <cstdint>

#include "framework/base/zrf_array.h"
#include "framework/items/ui_item_win.h"

/// Window class of the popups.
constexpr char kMenuPopupClass[] = "ZRFAppMenuPopup";

/// Registers the popups' class (with a drop shadow, or without one where the system refuses it);
/// true when it exists.
bool RegisterMenuPopupClass();

class CMenu : public CUIItem {
 public:
  CMenu();
  /// Closes the popup (destroying its entries) and destroys its window before the entry list's
  /// storage goes, so a menu destroyed while open leaves nothing behind.
  ~CMenu() override;

  /// Takes the command's id list (none for a list the owner gives) and makes the hidden popup
  /// window, owned by `parent`. 0, or ZRF_ERR_CREATE.
  int32_t OnCreate(const CommandRecord& command, HWND parent, HWND owner, CUIItem* parentMenu) override;
  /// The arrow part: 6 spaces wide for a split item or an entry inside a popup.
  void OnMeasure(const CommandRecord& command, int32_t orientation) override;
  /// Closes the popup, clears the parent window's record of it (when it is this menu) and destroys
  /// the popup's window; may run more than once.
  void OnDestroy() override;
  void Paint(HDC dc, const RECT& client) override;

  bool IsCursorOnArrow() const override;
  /// Builds the entries (ids from the command, or asked of the owner with WM_ZRF_GETMENUIDS; a
  /// bar's overflow entry lists the bar's dropped items) and shows the popup topmost at `anchor`
  /// (screen): beside it for an entry in a popup or in a column of menu items, else below it,
  /// flipped at the monitor's edges. 0 (also when there are no entries: nothing shows),
  /// ZRF_ERR_NO_MENU, ZRF_ERR_UNKNOWN_COMMAND (the entries made so far stay until the next close)
  /// or ZRF_ERR_MEMORY.
  int32_t OpenPopup(const RECT& anchor) override;
  /// Closes the cascade open from the popup first, hides the popup and destroys its entries, last
  /// first. Returns 0.
  int32_t ClosePopup() override;
  /// Follows the cursor onto or off the arrow part of a split item.
  void OnCursorMoved() override;

  /// Paints the popup's background into `dc`, whose origin lies at (x, y) of the popup: the icon
  /// column's gradient (P36 to P37), the rest in P38, and a raised bevel (P2, P3) around it all.
  void PaintPopup(HDC dc, int32_t x, int32_t y) const;

  CMenu* openSubmenu;    ///< the cascade open from this popup
  uint8_t isOpen;
  uint8_t cursorOnArrow;
  const uint16_t* idList;  ///< the popup's ids, ending with 0xFFFF
  HWND popupWindow;
  CZrfArray<CUIItem*> children;  ///< the popup's entries, owned

 private:
  void DestroyChildren();
  void ForgetInParent();
  bool CascadesFromHere() const;
};
