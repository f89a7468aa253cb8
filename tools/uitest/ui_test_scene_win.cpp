// The UI test program's scene; see ui_test_scene_win.h.
#include "tools/uitest/ui_test_scene_win.h"

#include <commctrl.h>

#include "framework/app/zrf_app_win.h"
#include "framework/base/zrf_messages.h"
#include "framework/base/zrf_results.h"
#include "framework/items/item_flags.h"
#include "framework/items/tree_item_win.h"
#include "framework/ui/window_styles.h"
#include "framework/windows/zrf_window_win.h"

namespace uitest {

Scene gScene;

const char* const kOwnerTexts[5] = {"Owner label", "Owner key", "Owner status", nullptr, nullptr};

namespace {

constexpr char kPanelClass[] = "ZRFUITestPanel";
constexpr int32_t kColumnWidth = 170;
constexpr int32_t kMargin = 10;
constexpr int32_t kRowGap = 10;
constexpr int32_t kSeparatorLength = 140;
constexpr int32_t kFrameWidth = 2 * kMargin + kStateCount * kColumnWidth + 20;
constexpr int32_t kFrameHeight = 560;

// String ids of the scene's texts: one per row, then the tests' own.
constexpr uint16_t kRowStrings = 100;
constexpr uint16_t kDragOutString = 120;
constexpr uint16_t kTreeString = 121;
constexpr uint16_t kTooltipString = 122;

constexpr uint16_t kMenuIds[] = {0x200, 0x201, kMenuListEnd};

// Flags that show each row's parts.
constexpr uint32_t kRowFlags[kRowCount] = {
    kItemShowLabel | kItemHasIcon,   // button
    kItemShowLabel | kItemVariantB,  // static, sunken
    0,                               // separator
    kItemShowLabel,                  // slider
    kItemShowLabel,                  // brush size
    kItemShowLabel,                  // colour
    0,                               // palette
};
constexpr int32_t kRowKinds[kRowCount] = {kItemButton,    kItemStatic, kItemSeparator, kItemSlider,
                                          kItemBrushSize, kItemColor,  kItemPalette};
constexpr uint32_t kStateFlags[kStateCount] = {0, kItemHot, kItemPressed, kItemChecked, 0};

LRESULT CALLBACK RecorderProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message >= zrf::kFirstPrivateMessage && message < zrf::kPrivateMessageEnd)
    gScene.log.push_back({message, wParam, lParam});
  switch (message) {
    case zrf::WM_ZRF_GETITEMTEXT:
      if (wParam == kOwnerTextCommand && lParam >= 0 && lParam < 5)
        return reinterpret_cast<LRESULT>(kOwnerTexts[lParam]);
      return 0;
    case zrf::WM_ZRF_DROPDOWN:
      return gScene.dropdownAnswer;
    case zrf::WM_ZRF_GETMENUIDS:
      return reinterpret_cast<LRESULT>(kMenuIds);
    case WM_SIZE:
      if (gScene.panel != nullptr) MoveWindow(gScene.panel, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
      break;
    default:
      break;
  }
  return CallWindowProcA(gApp.previousWindowProc, window, message, wParam, lParam);
}

// The panel stands in for a bar: it paints its background in the bays' colour and paints it
// behind the items that ask for it.
void FillPanelBackground(HDC dc, HWND panel, POINT origin) {
  RECT client;
  GetClientRect(panel, &client);
  OffsetRect(&client, -origin.x, -origin.y);
  gApp.style.FillRect(dc, client, gApp.style.palette[35]);
}

LRESULT CALLBACK PanelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window, &paint);
      FillPanelBackground(dc, window, POINT{0, 0});
      EndPaint(window, &paint);
      return 0;
    }
    case zrf::WM_ZRF_PAINTBACKGROUND:
      FillPanelBackground(reinterpret_cast<HDC>(wParam), window,
                          POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

// The program's procedure of the tree: fills it when the framework sends WM_CREATE.
LRESULT CALLBACK TreeProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* tree = static_cast<CTree*>(ItemFromWindow(window));
  if (message == WM_CREATE && lParam == 0) {
    ++gScene.treeCreates;
    const char* names[] = {"Roots", "Stem", "Leaf"};
    HTREEITEM added[3] = {};
    HTREEITEM parent = TVI_ROOT;
    for (int i = 0; i < 3; ++i) {
      TVINSERTSTRUCTA insert{};
      insert.hParent = parent;
      insert.hInsertAfter = TVI_LAST;
      insert.item.mask = TVIF_TEXT;
      insert.item.pszText = const_cast<char*>(names[i]);
      added[i] = reinterpret_cast<HTREEITEM>(
          SendMessageA(window, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
      parent = added[i];
    }
    // An item opens only once it has children.
    for (HTREEITEM item : added) SendMessageA(window, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item));
    return 0;
  }
  WNDPROC previous = tree != nullptr && tree->previousProc != nullptr ? tree->previousProc : DefWindowProcA;
  return CallWindowProcA(previous, window, message, wParam, lParam);
}

bool Register(uint16_t id, int32_t kind, uint32_t flags, uint16_t icon, uint16_t stringId, uintptr_t data) {
  return gApp.RegisterCommand(id, static_cast<uint16_t>(kind), flags, icon, stringId, data, 0, 0) >= 0;
}

}  // namespace

StringRecord gStrings[] = {
    {kProductStringId, {kProductName}},
    {kRowStrings + kRowButton, {"Button", "Ctrl+B", "Presses the button", nullptr, "Other button"}},
    {kRowStrings + kRowStatic, {"#61712@60Static", nullptr, "A label with an icon and progress"}},
    {kRowStrings + kRowSeparator, {nullptr, nullptr, "A separator"}},
    {kRowStrings + kRowSlider, {"Slider", nullptr, "Slides"}},
    {kRowStrings + kRowBrushSize, {"Brush", nullptr, "Brush size"}},
    {kRowStrings + kRowColor, {"Colour", nullptr, "Picks a colour"}},
    {kRowStrings + kRowPalette, {nullptr, nullptr, "Sixteen colours"}},
    {kDragOutString, {"Drag me", nullptr, "Drag out of it"}},
    {kTreeString, {"Tree"}},
    {kTooltipString, {"Tip", "F1", "A button with a tooltip", "Its own tooltip"}},
    {kStringTableEnd, {}},
};

std::vector<RecordedMessage> Scene::Messages(UINT message) const {
  std::vector<RecordedMessage> found;
  for (const RecordedMessage& entry : log) {
    if (entry.message == message) found.push_back(entry);
  }
  return found;
}

int32_t Scene::RegisterCommands() {
  for (int32_t state = 0; state < kStateCount; ++state) {
    ranges[0][state] = {3 + state, 0, 10};
    ranges[1][state] = {12 + state, 1, 99};
    colors[state] = {0xFF2080E0u - 0x100000u * static_cast<uint32_t>(state), state % 2};
    for (int32_t i = 0; i < kPaletteSwatches; ++i)
      palettes[state].colors[i] = 0xFF000000u | (static_cast<uint32_t>(i) * 0x0F1020u);
    palettes[state].selected = state - 1;
  }
  for (int32_t row = 0; row < kRowCount; ++row) {
    for (int32_t state = 0; state < kStateCount; ++state) {
      uintptr_t data = 0;
      if (row == kRowSlider) data = reinterpret_cast<uintptr_t>(&ranges[0][state]);
      if (row == kRowBrushSize) data = reinterpret_cast<uintptr_t>(&ranges[1][state]);
      if (row == kRowColor) data = reinterpret_cast<uintptr_t>(&colors[state]);
      if (row == kRowPalette) data = reinterpret_cast<uintptr_t>(&palettes[state]);
      const uint16_t icon = row == kRowButton ? 0xF110 : 0;
      const uint16_t id = SceneCommand(row, state);
      if (!Register(id, kRowKinds[row], kRowFlags[row] | kStateFlags[state], icon,
                    static_cast<uint16_t>(kRowStrings + row), data))
        return ZRF_ERR_ADD_COMMAND;
      if (state == kDisabled) (void)gApp.EnableCommand(id, 0);
    }
  }
  const bool registered =
      Register(kDragOutCommand, kItemButton, kItemShowLabel | kItemDragOut, 0, kDragOutString, 0) &&
      Register(kOwnerTextCommand, kItemButton, kItemShowLabel, 0, static_cast<uint16_t>(kStringFromOwner),
               0) &&
      Register(kTreeCommand, kItemTree, 0, 0, kTreeString, reinterpret_cast<uintptr_t>(&TreeProc)) &&
      Register(kBareTreeCommand, kItemTree, 0, 0, kTreeString, 0) &&
      Register(kTooltipCommand, kItemButton, kItemShowLabel, 0, kTooltipString, 0) &&
      Register(kWideStaticCommand, kItemStatic, kItemShowLabel | kItemStretch | kItemVariantB, 0,
               kRowStrings + kRowStatic, 0);
  if (!registered) return ZRF_ERR_ADD_COMMAND;
  for (int32_t i = 0; i < 4; ++i) {
    if (!Register(static_cast<uint16_t>(kBareValueCommand + i), kItemSlider + i, kItemShowLabel, 0,
                  kRowStrings + kRowSlider, 0))
      return ZRF_ERR_ADD_COMMAND;
  }
  return ZRF_OK;
}

int32_t Scene::MakeItems() {
  int32_t y = kMargin;
  for (int32_t row = 0; row < kRowCount; ++row) {
    int32_t rowHeight = 0;
    for (int32_t state = 0; state < kStateCount; ++state) {
      CUIItem* item = CreateUIItem(kRowKinds[row], nullptr);
      if (item == nullptr) return ZRF_ERR_MEMORY;
      items_[row][state] = item;
      if (item->Create(SceneCommand(row, state), panel, frame, nullptr) != ZRF_OK) return ZRF_ERR_CREATE;
      // Separators and statics take the length a bar would give them: the static's bar and
      // percentage lie beyond the text it is measured by.
      const int32_t w = row == kRowSeparator || row == kRowStatic ? kSeparatorLength : item->width;
      MoveWindow(item->hwnd, kMargin + state * kColumnWidth, y, w, item->height, FALSE);
      ShowWindow(item->hwnd, SW_SHOWNA);
      if (item->height > rowHeight) rowHeight = item->height;
    }
    y += rowHeight + kRowGap;
  }
  tree = CreateUIItem(kItemTree, nullptr);
  if (tree == nullptr || tree->Create(kTreeCommand, panel, frame, nullptr) != ZRF_OK) return ZRF_ERR_CREATE;
  MoveWindow(tree->hwnd, kMargin, y, 2 * kColumnWidth - kMargin, 90, FALSE);
  givenObject = CreateUIItem(kItemGivenObject, CreateUIItem(kItemButton, nullptr));
  if (givenObject == nullptr || givenObject->Create(kTooltipCommand, panel, frame, nullptr) != ZRF_OK)
    return ZRF_ERR_CREATE;
  MoveWindow(givenObject->hwnd, kMargin + 2 * kColumnWidth, y, givenObject->width, givenObject->height,
             FALSE);
  ShowWindow(givenObject->hwnd, SW_SHOWNA);
  wideStatic = CreateUIItem(kItemStatic, nullptr);
  if (wideStatic == nullptr || wideStatic->Create(kWideStaticCommand, panel, frame, nullptr) != ZRF_OK)
    return ZRF_ERR_CREATE;
  MoveWindow(wideStatic->hwnd, kMargin + 2 * kColumnWidth, y + 40, 2 * kColumnWidth, wideStatic->height,
             FALSE);
  ShowWindow(wideStatic->hwnd, SW_SHOWNA);
  return ZRF_OK;
}

int32_t Scene::Create() {
  int32_t result = RegisterCommands();
  if (result != ZRF_OK) return result;
  const int32_t position = gApp.CreateZrfWindow(0, RecorderProc, "UI items", 1, zrf::kWindowMain, 40, 40,
                                                kFrameWidth, kFrameHeight);
  if (position < 0) return ZRF_ERR_CREATE;
  frame = (*gApp.windows.GetAt(position))->window;
  WNDCLASSA panelClass{};
  panelClass.lpfnWndProc = PanelProc;
  panelClass.hInstance = GetModuleHandleA(nullptr);
  panelClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  panelClass.lpszClassName = kPanelClass;
  RegisterClassA(&panelClass);
  RECT client;
  GetClientRect(frame, &client);
  panel = CreateWindowExA(0, kPanelClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, client.right,
                          client.bottom, frame, nullptr, GetModuleHandleA(nullptr), nullptr);
  if (panel == nullptr) return ZRF_ERR_CREATE;
  result = MakeItems();
  if (result != ZRF_OK) return result;
  (*gApp.windows.GetAt(position))->Show(SW_SHOWNORMAL, 0);
  UpdateWindow(frame);
  return ZRF_OK;
}

void Scene::Destroy() {
  for (auto& row : items_) {
    for (CUIItem*& item : row) {
      delete item;
      item = nullptr;
    }
  }
  delete tree;
  delete givenObject;
  delete wideStatic;
  tree = givenObject = wideStatic = nullptr;
  gApp.DestroyZrfWindows();
  frame = panel = nullptr;
}

}  // namespace uitest
