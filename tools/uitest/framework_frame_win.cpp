// The second framework window of the UI test program; see framework_frame_win.h.
#include "tools/uitest/framework_frame_win.h"

#include <cstring>

#include "framework/app/zrf_app_win.h"
#include "framework/base/zrf_messages.h"
#include "framework/items/item_flags.h"
#include "framework/items/list_item_win.h"
#include "framework/ui/window_styles.h"
#include "framework/windows/dock_bay_win.h"

namespace uitest {

namespace {

constexpr char kBarClass[] = "ZRFUITestBar";
constexpr int32_t kBarBorder = 2;
constexpr uint16_t kOwnerText = static_cast<uint16_t>(kStringFromOwner);
constexpr uint16_t kBadMenuIds[] = {0xF110, 0x7777, kMenuListEnd};
constexpr uint16_t kFileMenuIds[] = {0xF110, kSeparatorCommand, 0xF111, kMenuListEnd};
constexpr uint16_t kViewMenuIds[] = {0xF121, 0xF122, kMenuListEnd};

FrameworkFrame gFrame;

struct OwnerText {
  uint16_t id;
  const char* label;
  const char* status;
};
const OwnerText kTexts[] = {
    {kFirstBarCommand, "Tools", "The tools bar"},     {kFirstBarCommand + 1, "Column", "The column bar"},
    {kFirstBarCommand + 2, "Sizes", "The sizes bar"}, {kFirstBarCommand + 3, "Menus", "The menu bar"},
    {kBadMenuCommand, "Broken", "A menu naming an unknown command"},
    {kFileMenuCommand, "File", "The file menu"},      {kViewMenuCommand, "View", "The view menu"},
    {kFirstToolCommand, "Cut", nullptr},              {kFirstToolCommand + 1, "Copy", nullptr},
    {kFirstToolCommand + 2, "Paste", nullptr},        {kFirstToolCommand + 3, "Undo", nullptr},
    {kFirstToolCommand + 4, "Redo", nullptr},         {kFirstToolCommand + 5, "Find", nullptr},
    {kFirstToolCommand + 6, "Replace", nullptr},      {kFirstToolCommand + 7, "Print", nullptr},
};

const char* TextOf(WPARAM id, LPARAM piece) {
  for (const OwnerText& text : kTexts) {
    if (text.id != id) continue;
    if (piece == kPieceLabel) return text.label;
    if (piece == kPieceStatus) return text.status;
  }
  return nullptr;
}

int32_t CompareRows(const CList& list, const ListRow& a, const ListRow& b) {
  const int32_t order = list.sortColumn == 1 ? (a.number > b.number) - (a.number < b.number) : std::strcmp(a.name, b.name);
  const int32_t sign = order < 0 ? -1 : (order > 0 ? 1 : 0);
  return list.sortDirection < 0 ? -sign : sign;
}

CList* ListOfBox(HWND listBox) { return reinterpret_cast<CList*>(GetWindowLongPtrA(listBox, GWLP_USERDATA)); }

// The owner puts the rows in the new order: taken out and added again, each goes to its sorted
// place.
void Reorder(CList& list) {
  std::vector<void*> rows;
  for (int32_t i = 0; i < list.GetCount(); ++i)
    rows.push_back(reinterpret_cast<void*>(SendMessageA(list.listBox, LB_GETITEMDATA, static_cast<WPARAM>(i), 0)));
  SendMessageA(list.listBox, LB_RESETCONTENT, 0, 0);
  for (void* row : rows) list.AddRow(row);
}

void DrawRowText(const DRAWITEMSTRUCT& draw) {
  const CList* list = ListOfBox(draw.hwndItem);
  const auto* row = reinterpret_cast<const ListRow*>(draw.itemData);
  if (list == nullptr || row == nullptr) return;
  char number[16];
  std::snprintf(number, sizeof number, "%d", row->number);
  const char* cells[2] = {row->name, number};
  for (int32_t c = 0; c < 2 && c < list->columns.count; ++c) {
    RECT cell = draw.rcItem;
    cell.left = list->columns.GetAt(c)->left - list->scrollPosition + 4;
    cell.right = c + 1 < list->columns.count ? list->columns.GetAt(c + 1)->left - list->scrollPosition : cell.right;
    DrawTextA(draw.hDC, cells[c], -1, &cell, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
  }
}

LRESULT CALLBACK FrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message >= zrf::kFirstPrivateMessage && message < zrf::kPrivateMessageEnd)
    gFrame.log.push_back({message, wParam, lParam});
  switch (message) {
    case zrf::WM_ZRF_GETITEMTEXT:
      return reinterpret_cast<LRESULT>(TextOf(wParam, lParam));
    case zrf::WM_ZRF_COMMAND:
      if (HIWORD(wParam) == zrf::ZRF_LN_KEYDOWN) return gFrame.keyAnswer;
      if (HIWORD(wParam) == zrf::ZRF_LN_SORT && gFrame.reorderOnSort) {
        if (CUIItem* item = ItemFromWindow(GetDlgItem(window, LOWORD(wParam)))) Reorder(*static_cast<CList*>(item));
      }
      break;
    case WM_DRAWITEM:
      if (wParam == kListCommand) {
        DrawRowText(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
      }
      break;
    case WM_ERASEBKGND: {
      // What the program shows between the bays.
      RECT client;
      GetClientRect(window, &client);
      FillRect(reinterpret_cast<HDC>(wParam), &client, GetSysColorBrush(COLOR_APPWORKSPACE));
      return 1;
    }
    case WM_COMPAREITEM: {
      const auto* compare = reinterpret_cast<const COMPAREITEMSTRUCT*>(lParam);
      const CList* list = ListOfBox(compare->hwndItem);
      if (list == nullptr) break;
      ++gFrame.compareCount;
      return CompareRows(*list, *reinterpret_cast<const ListRow*>(compare->itemData1),
                         *reinterpret_cast<const ListRow*>(compare->itemData2));
    }
    default:
      break;
  }
  return CallWindowProcA(ZrfWindowProc, window, message, wParam, lParam);
}

CBar* BarOf(HWND window) { return reinterpret_cast<CBar*>(GetWindowLongPtrA(window, GWLP_USERDATA)); }

void FillBar(HWND window, HDC dc, POINT origin) {
  RECT client;
  GetClientRect(window, &client);
  OffsetRect(&client, -origin.x, -origin.y);
  gApp.style.FillRect(dc, client, gApp.style.palette[35]);
  gApp.style.DrawBevel(dc, client, true, gApp.style.palette[2], gApp.style.palette[3]);
}

// The bar maker's window procedure: the item area inside a 2-pixel bevel, its background, and a
// floating bar laying its items out again when the user sizes it.
LRESULT CALLBACK BarProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  CBar* bar = BarOf(window);
  switch (message) {
    case WM_PAINT: {
      if (wParam == kBarMeasurePaint) {
        if (bar != nullptr) {
          GetClientRect(window, &bar->inner);
          InflateRect(&bar->inner, -kBarBorder, -kBarBorder);
        }
        return 0;
      }
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window, &paint);
      FillBar(window, dc, {0, 0});
      EndPaint(window, &paint);
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;
    case zrf::WM_ZRF_PAINTBACKGROUND:
      FillBar(window, reinterpret_cast<HDC>(wParam), {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
      return 0;
    case WM_SIZE:
      if (bar != nullptr && bar->IsFloating()) bar->LayoutItems(bar->length, bar->thickness, false);
      break;
    default:
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

void Register(uint16_t id, int32_t kind, uint32_t flags, uint16_t icon, uintptr_t data) {
  if (gApp.CommandIndex(id) < 0)
    (void)gApp.RegisterCommand(id, static_cast<uint16_t>(kind), flags, icon, kOwnerText, data, 0, 0);
}

void RegisterCommands() {
  for (uint16_t i = 0; i < 4; ++i) Register(static_cast<uint16_t>(kFirstBarCommand + i), kItemButton, kItemShowLabel, 0, 0);
  Register(kListCommand, kItemList, kItemVariantA | kItemVariantB, 0, 0);
  Register(kBadMenuCommand, kItemMenu, kItemShowLabel, 0, reinterpret_cast<uintptr_t>(kBadMenuIds));
  Register(kFileMenuCommand, kItemMenu, kItemShowLabel | kItemMenuBarEntry, 0, reinterpret_cast<uintptr_t>(kFileMenuIds));
  Register(kViewMenuCommand, kItemMenu, kItemShowLabel | kItemMenuBarEntry, 0, reinterpret_cast<uintptr_t>(kViewMenuIds));
  for (uint16_t i = 0; i < 8; ++i) Register(static_cast<uint16_t>(kFirstToolCommand + i), kItemButton, kItemShowLabel, 0, 0);
}

}  // namespace

std::vector<RecordedMessage> FrameworkFrame::Messages(UINT message) const {
  std::vector<RecordedMessage> found;
  for (const RecordedMessage& entry : log) {
    if (entry.message == message) found.push_back(entry);
  }
  return found;
}

std::vector<RecordedMessage> FrameworkFrame::ListCodes(uint32_t code) const {
  std::vector<RecordedMessage> found;
  for (const RecordedMessage& entry : log) {
    if (entry.message == zrf::WM_ZRF_COMMAND && HIWORD(entry.wParam) == code) found.push_back(entry);
  }
  return found;
}

FrameworkFrame& Frame() {
  if (gFrame.window != nullptr) return gFrame;
  RegisterCommands();
  WNDCLASSA barClass{};
  barClass.lpfnWndProc = BarProc;
  barClass.hInstance = GetModuleHandleA(nullptr);
  barClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  barClass.lpszClassName = kBarClass;
  RegisterClassA(&barClass);
  const int32_t position =
      gApp.CreateZrfWindow(1, FrameProc, "Menus, lists and bars", 1, zrf::kWindowSizable, 40, 620, 900, 360);
  if (position < 0) return gFrame;
  gFrame.object = *gApp.windows.GetAt(position);
  gFrame.window = gFrame.object->window;
  gFrame.object->Show(SW_SHOWNORMAL, 0);
  UpdateWindow(gFrame.window);
  Pump();
  return gFrame;
}

CBar* MakeBar(uint16_t barId, uint16_t barFlags, std::initializer_list<uint16_t> commands, uint16_t bayId, int32_t x,
              int32_t y, int32_t length, int32_t thickness) {
  FrameworkFrame& frame = Frame();
  auto* bar = new CBar;
  bar->barId = barId;
  bar->windowIndex = frame.object->index;
  bar->frameWindow = frame.object;
  bar->barFlags = static_cast<uint16_t>(barFlags | kBarShown);
  bar->itemSpacing = 2;
  bar->hwnd = CreateWindowExA(WS_EX_TOOLWINDOW, kBarClass, "Bar", WS_CHILD, 0, 0, 10, 10, frame.window, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
  SetWindowLongPtrA(bar->hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(bar));
  std::vector<uint16_t> ids(commands);
  ids.push_back(kOverflowCommand);
  for (uint16_t id : ids) {
    const CommandRecord* command = gApp.commands.Find(id);
    CUIItem* item = command != nullptr ? CreateUIItem(command->kind, nullptr) : nullptr;
    if (item == nullptr) continue;
    item->bar = bar;
    if (item->Create(id, bar->hwnd, frame.window, nullptr) != 0) {
      delete item;
      continue;
    }
    (void)bar->items.Add(item);
  }
  (void)gApp.bars.Add(bar);
  bar->Dock(bayId, x, y, length, thickness, true);
  Pump();
  return bar;
}

void DeleteBar(CBar* bar) {
  for (int32_t i = 0; i < gApp.bars.count; ++i) {
    if (*gApp.bars.GetAt(i) != bar) continue;
    std::memmove(gApp.bars.GetAt(i), gApp.bars.GetAt(i + 1), sizeof(CBar*) * static_cast<size_t>(gApp.bars.count - i - 1));
    gApp.bars.count -= 1;
    break;
  }
  delete bar;
  if (gFrame.object != nullptr) gFrame.object->Layout();
  Pump();
}

void Pump() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

void PumpFor(uint32_t milliseconds) {
  const ULONGLONG end = GetTickCount64() + milliseconds;
  while (GetTickCount64() < end) {
    Pump();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

}  // namespace uitest
