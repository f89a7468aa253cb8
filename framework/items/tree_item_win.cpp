// CTree; see tree_item_win.h.
#include "framework/items/tree_item_win.h"

#include "framework/app/zrf_app_win.h"
#include "framework/base/zrf_results.h"
#include "framework/items/item_flags.h"

namespace {

// Child, visible, with expand buttons and lines at the root.
constexpr DWORD kTreeStyle = 0x50000021;
constexpr int32_t kTreeSize = 64;

}  // namespace

CTree::CTree() : previousProc(nullptr), treeStyle(kTreeStyle), imageList(nullptr) { kind = kItemTree; }

CTree::~CTree() { OnDestroy(); }

int32_t CTree::Create(uint16_t id, HWND parent, HWND ownerWindow, CUIItem* menu) {
  CommandRecord command;
  if (gApp.GetCommand(id, &command) != ZRF_OK) return ZRF_ERR_CREATE;
  // Without the program's procedure the tree would call a null one on its next message.
  if (command.data == 0) return ZRF_ERR_CREATE;
  bool changed = false;
  (void)gApp.commands.UpdateFlags(id, 0, kItemDroppable, &changed);
  flags = (command.flags & ~kItemDroppable) | kItemFullBreadth;
  if ((command.flags & kItemVariantB) != 0) treeStyle |= WS_TABSTOP;
  hwnd = CreateWindowExA(WS_EX_STATICEDGE, WC_TREEVIEWA, "", treeStyle, 0, 0, width, height, parent, nullptr,
                         FrameworkModule(), nullptr);
  if (hwnd == nullptr) return ZRF_ERR_CREATE;
  SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  previousProc =
      reinterpret_cast<WNDPROC>(SetWindowLongPtrA(hwnd, GWLP_WNDPROC, static_cast<LONG_PTR>(command.data)));
  commandId = id;
  owner = ownerWindow;
  parentMenu = menu;
  width = height = kTreeSize;
  SendMessageA(hwnd, WM_CREATE, 0, 0);
  return ZRF_OK;
}

void CTree::Measure(const CommandRecord&, int32_t) {}

void CTree::OnDestroy() {
  if (imageList != nullptr) ImageList_Destroy(imageList);
  imageList = nullptr;
  if (hwnd == nullptr) return;
  HWND window = hwnd;
  hwnd = nullptr;
  // The tree goes with its own procedure back, so nothing of its tear-down reaches the program's
  // procedure after the item is gone.
  if (previousProc != nullptr)
    SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previousProc));
  SetWindowLongPtrA(window, GWLP_USERDATA, 0);
  DestroyWindow(window);
}
