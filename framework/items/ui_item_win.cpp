// The base of every UI item: its life in the application's live list, its window and tooltip,
// measuring, texts, draw state and layout. The window procedure is ui_item_wndproc_win.cpp's.
#include "framework/items/ui_item_win.h"

#include <commctrl.h>

#include <cstdio>
#include <cstring>

#include "framework/app/zrf_app_win.h"
#include "framework/base/zrf_messages.h"
#include "framework/base/zrf_rect_win.h"
#include "framework/base/zrf_results.h"
#include "framework/items/item_flags.h"
#include "framework/ui/dpi_functions_win.h"

namespace {

constexpr size_t kToolTextSize = 260;

float FloatBits(uint32_t word) {
  float value;
  static_assert(sizeof value == sizeof word, "the command's values are 32-bit floats");
  std::memcpy(&value, &word, sizeof value);
  return value;
}

// Removes the first `value` from `list`, keeping the others in order.
void RemoveFirst(CZrfArray<CUIItem*>& list, const CUIItem* value) {
  for (int32_t i = 0; i < list.count; ++i) {
    if (*list.GetAt(i) != value) continue;
    std::memmove(list.GetAt(i), list.GetAt(i + 1),
                 sizeof(CUIItem*) * static_cast<size_t>(list.count - i - 1));
    list.count -= 1;
    return;
  }
}

ItemSize MeasurePiece(const char* text, bool bold, int32_t dpi) {
  if (text == nullptr) return {0, 0};
  int32_t width = 0, height = 0;
  (void)gApp.style.MeasureTextUI(text, &width, &height, bold, dpi);
  return {width, height};
}

}  // namespace

CUIItem::CUIItem()
    : hwnd(nullptr),
      owner(nullptr),
      commandId(0xFFFF),
      flags(0),
      kind(0),
      width(0),
      height(0),
      iconSize{},
      extraSize{},
      labelSize{},
      shortcutSize{},
      trailSize{},
      parentMenu(nullptr),
      bar(nullptr),
      iconColumn(0),
      shownInBar(0),
      lastMouseParam(0),
      draggingOut(0),
      iconRect{},
      labelRect{},
      extraRect{},
      shortcutRect{},
      messageHook(nullptr),
      hasTool_(false) {
  CUIItem* self = this;
  // An item the list cannot hold still works; it only escapes RedrawCommandItems.
  (void)gApp.items.Add(self);
}

CUIItem::~CUIItem() {
  if (commandId != 0xFFFF) gApp.SetItemState(this, 0, kItemHot | kItemPressed);
  RemoveFirst(gApp.items, this);
  RemoveFirst(gApp.menuBarEntries, this);
  // The application must never reach a destroyed item through these (a popup's entry is
  // destroyed while it is the hovered and the pressed item).
  if (gApp.hoveredItem == this) gApp.hoveredItem = nullptr;
  if (gApp.pressedItem == this) gApp.pressedItem = nullptr;
  if (gApp.menuItem == this) gApp.menuItem = nullptr;
  if (gApp.openPopup == this) {
    gApp.openPopup = nullptr;
    gApp.popupOpen = 0;
  }
  DestroyWindowAndTool();
}

int32_t CUIItem::Create(uint16_t id, HWND parent, HWND ownerWindow, CUIItem* menu) {
  CommandRecord command;
  if (gApp.GetCommand(id, &command) != ZRF_OK) return ZRF_ERR_CREATE;
  commandId = id;
  owner = ownerWindow;
  parentMenu = menu;
  hwnd =
      CreateWindowExA(0, kUIItemClass, "", WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0, 0, 0, 0, parent,
                      reinterpret_cast<HMENU>(static_cast<uintptr_t>(id)), FrameworkModule(), this);
  if (hwnd == nullptr) return ZRF_ERR_CREATE;
  if (!InPopup() || (command.flags & kItemTooltipInPopup) != 0) AddTool(parent);
  if (OnCreate(command, parent, ownerWindow, menu) != ZRF_OK) return ZRF_ERR_CREATE;
  // OnCreate may have changed the command's flags.
  (void)gApp.GetCommand(id, &command);
  Measure(command, kOrientationRow);
  return ZRF_OK;
}

int32_t CUIItem::OnCreate(const CommandRecord&, HWND, HWND, CUIItem*) { return ZRF_OK; }

void CUIItem::Measure(const CommandRecord& command, int32_t orientation) {
  flags = command.flags;
  iconSize = labelSize = kUnsetSize;
  extraSize = trailSize = shortcutSize = {0, 0};
  OnMeasure(command, orientation);
  const int32_t dpi = Dpi();
  const bool bold = (flags & kItemBold) != 0;
  if (labelSize == kUnsetSize) {
    labelSize = {0, 0};
    if (MeasuresLabel(flags, InPopup(), extraSize.cx)) {
      const int32_t piece = (flags & kItemAlternativeLabel) != 0 ? kPieceAlternativeLabel : kPieceLabel;
      labelSize = MeasurePiece(GetText(piece), bold, dpi);
    }
  }
  if (InPopup()) shortcutSize = MeasurePiece(GetText(kPieceShortcut), bold, dpi);
  const ItemParts parts{iconSize, extraSize, labelSize, shortcutSize, trailSize};
  const ItemMeasurement m =
      FinishMeasure(parts, flags, SpaceWidth(), dpi, FloatBits(command.valueA), FloatBits(command.valueB));
  iconSize = m.parts.icon;
  labelSize = m.parts.label;
  extraSize = m.parts.extra;
  shortcutSize = m.parts.shortcut;
  trailSize = m.parts.trail;
  iconColumn = m.iconColumn;
  width = m.width;
  height = m.height;
}

void CUIItem::OnMeasure(const CommandRecord&, int32_t) {}

void CUIItem::Destroy() {
  OnDestroy();
  DestroyWindowAndTool();
}

void CUIItem::OnDestroy() {}

void CUIItem::Paint(HDC, const RECT&) {}

void CUIItem::OnSize() {}

void CUIItem::Reserved(int32_t) {}

bool CUIItem::Update(int32_t hint) {
  if (hint == 0 && hwnd != nullptr) RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  return OnUpdate(hint);
}

bool CUIItem::OnUpdate(int32_t) { return false; }

int32_t CUIItem::OpenPopup(const RECT&) { return ZRF_ERR_NO_MENU; }

const char* CUIItem::GetText(int32_t piece) const {
  const CommandRecord* command = gApp.commands.Find(static_cast<uint16_t>(commandId));
  if (command == nullptr) return nullptr;
  if (command->stringId == kStringFromOwner) {
    if (owner == nullptr) return nullptr;
    return reinterpret_cast<const char*>(SendMessageA(owner, zrf::WM_ZRF_GETITEMTEXT, commandId, piece));
  }
  return gApp.strings.FindString(static_cast<uint16_t>(command->stringId), piece);
}

int32_t CUIItem::GetDrawState(uint32_t commandFlags, ItemDrawState* state) const {
  *state = DrawStateOf(commandFlags, InPopup());
  return state->pressOffset;
}

ItemMeasurement CUIItem::Measured() const {
  ItemMeasurement m{};
  m.parts = {iconSize, extraSize, labelSize, shortcutSize, trailSize};
  m.width = width;
  m.height = height;
  m.iconColumn = iconColumn;
  return m;
}

void CUIItem::LayoutParts(const RECT& client, int32_t offset, bool centre, bool inPopup) {
  const int32_t popupColumn = parentMenu != nullptr ? parentMenu->iconColumn : 0;
  const ItemPartRects r = LayoutItemParts(Measured(), client.right - client.left, client.bottom - client.top,
                                          offset, centre, inPopup, popupColumn, flags, SpaceWidth());
  iconRect = ToWinRect(r.icon);
  labelRect = ToWinRect(r.label);
  extraRect = ToWinRect(r.extra);
  shortcutRect = ToWinRect(r.shortcut);
}

uint32_t CUIItem::CommandFlags() const {
  const CommandRecord* command = gApp.commands.Find(static_cast<uint16_t>(commandId));
  return command != nullptr ? command->flags : 0;
}

int32_t CUIItem::Dpi() const { return hwnd != nullptr ? DpiForWindow(hwnd) : 96; }

int32_t CUIItem::SpaceWidth() const { return gApp.style.SpaceWidth(Dpi()); }

void CUIItem::AddTool(HWND parent) {
  if (gApp.tooltipWindow == nullptr) return;
  char text[kToolTextSize];
  const char* tooltip = GetText(kPieceTooltip);
  const char* label = GetText(kPieceLabel);
  const char* shortcut = GetText(kPieceShortcut);
  if (tooltip != nullptr) {
    std::snprintf(text, sizeof text, "%s", tooltip);
  } else if (label != nullptr && shortcut != nullptr) {
    std::snprintf(text, sizeof text, "%s (%s)", label, shortcut);
  } else if (label != nullptr) {
    std::snprintf(text, sizeof text, "%s", label);
  } else {
    return;
  }
  TOOLINFOA tool{};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = parent;
  tool.uId = reinterpret_cast<UINT_PTR>(hwnd);
  tool.lpszText = text;  // the tooltip keeps a copy
  hasTool_ = SendMessageA(gApp.tooltipWindow, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool)) != FALSE;
}

void CUIItem::RemoveTool() {
  if (!hasTool_) return;
  hasTool_ = false;
  if (gApp.tooltipWindow == nullptr || hwnd == nullptr) return;
  TOOLINFOA tool{};
  tool.cbSize = sizeof tool;
  tool.hwnd = GetParent(hwnd);
  tool.uId = reinterpret_cast<UINT_PTR>(hwnd);
  SendMessageA(gApp.tooltipWindow, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

void CUIItem::OnWindowDestroyed() {
  RemoveTool();
  if (hwnd == nullptr) return;
  SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
  hwnd = nullptr;
}

void CUIItem::DestroyWindowAndTool() {
  RemoveTool();
  if (hwnd == nullptr) return;
  HWND window = hwnd;
  hwnd = nullptr;
  SetWindowLongPtrA(window, GWLP_USERDATA, 0);
  DestroyWindow(window);
}
