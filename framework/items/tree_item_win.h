// CTree (kind 5): a system tree view whose window procedure the program supplies in the command's
// data word; that procedure fills the tree when it gets WM_CREATE and chains to previousProc.
#pragma once

#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include "framework/items/ui_item_win.h"

class CTree : public CUIItem {
 public:
  CTree();
  ~CTree() override;
  /// Makes the tree view, 64 x 64, with the program's procedure in place, and sends it WM_CREATE.
  /// The command loses kItemDroppable; the tree is a tab stop with kItemVariantB. No tooltip, no
  /// OnCreate, no measuring. 0, or ZRF_ERR_CREATE (also when the command gives no procedure).
  int32_t Create(uint16_t commandId, HWND parent, HWND owner, CUIItem* parentMenu) override;
  /// The tree's size is its own: measuring changes nothing.
  void Measure(const CommandRecord& command, int32_t orientation) override;
  /// Destroys the image list and the window.
  void OnDestroy() override;

  WNDPROC previousProc;  ///< the tree view's own procedure, for the program's to chain to
  DWORD treeStyle;
  HIMAGELIST imageList;  ///< set by the program's procedure; destroyed with the tree
};
