// CList: its windows, columns, rows, selection, sorting arrows and scrolling. The two window
// procedures are list_procs_win.cpp's.
#include "framework/items/list_item_win.h"

#include <algorithm>
#include <cstdlib>

#include "framework/app/zrf_app_win.h"
#include "framework/base/scoped_handles_win.h"
#include "framework/base/zrf_results.h"
#include "framework/items/item_flags.h"
#include "framework/items/list_sort.h"
#include "framework/ui/dpi_functions_win.h"

namespace {

constexpr DWORD kContainerStyle = WS_CHILD | WS_CLIPCHILDREN | WS_HSCROLL;
constexpr DWORD kHeaderStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | HDS_BUTTONS | HDS_FULLDRAG;
constexpr DWORD kListBoxStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_VSCROLL | LBS_NOTIFY |
                                LBS_SORT | LBS_OWNERDRAWFIXED | LBS_NOINTEGRALHEIGHT;
constexpr int32_t kCreatedSize = 64;
constexpr uint16_t kAgString = 0xF003;
constexpr int32_t kAgPiece = 1;
constexpr COLORREF kMaskColor = RGB(255, 0, 255);

int32_t ClientWidthOf(HWND window) {
  RECT r{};
  GetClientRect(window, &r);
  return r.right;
}

void SetHeaderImage(HWND header, int32_t column, int32_t image) {
  HDITEMA item{};
  item.mask = HDI_FORMAT;
  if (!Header_GetItem(header, column, &item)) return;
  item.mask = HDI_FORMAT | HDI_IMAGE;
  item.fmt &= ~(HDF_IMAGE | HDF_BITMAP_ON_RIGHT);
  if (image >= 0) {
    item.fmt |= HDF_IMAGE | HDF_BITMAP_ON_RIGHT;
    item.iImage = image;
  }
  SendMessageA(header, HDM_SETITEMA, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&item));
}

}  // namespace

CList::CList()
    : header(nullptr),
      listBox(nullptr),
      columnCount(0),
      sortColumn(-1),
      sortDirection(1),
      previousListBoxProc(nullptr),
      rowHeight(0),
      totalWidth(0),
      columnsFixed(0),
      sortingOff(0),
      painting(nullptr),
      ownerDraw(1),
      scrollPosition(0),
      sortImages(nullptr),
      multiSelect(1),
      focused(0),
      rowBackground(0),
      ownsRows(0) {
  kind = kItemList;
}

CList::~CList() {
  OnDestroy();
  columns.Clear();
}

int32_t CList::Create(uint16_t id, HWND parent, HWND ownerWindow, CUIItem* menu) {
  OnDestroy();
  CommandRecord command;
  if (gApp.GetCommand(id, &command) != ZRF_OK) return ZRF_ERR_CREATE;
  bool changed = false;
  (void)gApp.commands.UpdateFlags(id, 0, kItemDroppable, &changed);
  commandId = id;
  owner = ownerWindow;
  parentMenu = menu;
  flags = command.flags & ~kItemDroppable;
  const DWORD style = kContainerStyle | ((command.flags & kItemVariantA) != 0 ? WS_BORDER : 0);
  hwnd = CreateWindowExA(WS_EX_CONTROLPARENT, kUIItemClass, "", style, 0, 0, kCreatedSize, kCreatedSize, parent,
                         reinterpret_cast<HMENU>(static_cast<uintptr_t>(id)), FrameworkModule(), this);
  if (hwnd == nullptr) return ZRF_ERR_CREATE;
  SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ListContainerWndProc));

  const uint32_t* palette = gApp.style.palette;
  rowBackground = BlendColor(0.5f, palette[6], palette[2]);
  const int32_t dpi = Dpi();
  int32_t textWidth = 0, textHeight = 0;
  (void)gApp.style.MeasureTextUI(gApp.strings.Text(kAgString, kAgPiece), &textWidth, &textHeight, false, dpi);
  rowHeight = textHeight + 4;
  HFONT font = gApp.style.FontForDpi(kFontUI, dpi);

  header = CreateWindowExA(0, WC_HEADERA, "", kHeaderStyle, 0, 0, 0, 0, hwnd, nullptr, FrameworkModule(), nullptr);
  if (header == nullptr) return ZRF_ERR_CREATE;
  SendMessageA(header, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  if (CreateSortImages()) Header_SetImageList(header, sortImages);

  DWORD listStyle = kListBoxStyle | (multiSelect != 0 ? LBS_EXTENDEDSEL : 0);
  if ((command.flags & kItemVariantB) != 0) listStyle |= WS_TABSTOP;
  listBox = CreateWindowExA(0, "LISTBOX", "", listStyle, 0, 0, kCreatedSize, kCreatedSize, hwnd,
                            reinterpret_cast<HMENU>(static_cast<uintptr_t>(id)), FrameworkModule(), nullptr);
  if (listBox == nullptr) return ZRF_ERR_CREATE;
  SendMessageA(listBox, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  SetWindowLongPtrA(listBox, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  previousListBoxProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(listBox, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ListBoxWndProc)));
  width = height = kCreatedSize;
  UpdateColumns();
  return ZRF_OK;
}

void CList::OnDestroy() {
  if (listBox != nullptr) {
    if (ownsRows != 0) {
      const int32_t rows = GetCount();
      for (int32_t i = 0; i < rows; ++i)
        std::free(reinterpret_cast<void*>(SendMessageA(listBox, LB_GETITEMDATA, static_cast<WPARAM>(i), 0)));
    }
    SetWindowLongPtrA(listBox, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previousListBoxProc));
    SetWindowLongPtrA(listBox, GWLP_USERDATA, 0);
    DestroyWindow(listBox);
    listBox = nullptr;
  }
  if (header != nullptr) DestroyWindow(header);
  header = nullptr;
  if (sortImages != nullptr) ImageList_Destroy(sortImages);
  sortImages = nullptr;
  columns.count = 0;
  columnCount = 0;
  sortColumn = -1;
  scrollPosition = 0;
  totalWidth = 0;
}

void CList::Paint(HDC, const RECT&) {}

int32_t CList::AddColumn(const char* text, double fraction) {
  if (header == nullptr) return -1;
  const int32_t position = columns.Add(ListColumn{0, fraction});
  if (position < 0) return -1;
  HDITEMA item{};
  item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
  item.fmt = HDF_LEFT | HDF_STRING;
  item.pszText = const_cast<char*>(text != nullptr ? text : "");
  item.cxy = static_cast<int>(ClientWidthOf(hwnd) * fraction);
  SendMessageA(header, HDM_INSERTITEMA, static_cast<WPARAM>(position), reinterpret_cast<LPARAM>(&item));
  columnCount = columns.count;
  UpdateColumns();
  return position;
}

int32_t CList::AddRow(void* data) {
  if (listBox == nullptr) return -1;
  const LRESULT row = SendMessageA(listBox, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(data));
  return row < 0 ? -1 : static_cast<int32_t>(row);
}

void CList::Select(int32_t row, bool select, bool notify) {
  if (listBox == nullptr) return;
  if (multiSelect != 0) {
    SendMessageA(listBox, LB_SETSEL, select ? TRUE : FALSE, row);
  } else {
    SendMessageA(listBox, LB_SETCURSEL, select ? static_cast<WPARAM>(row) : static_cast<WPARAM>(-1), 0);
  }
  if (notify) SendMessageA(hwnd, WM_COMMAND, MAKEWPARAM(commandId, LBN_SELCHANGE), reinterpret_cast<LPARAM>(listBox));
}

void CList::SetSortColumn(int32_t column, int32_t direction) {
  if (header != nullptr && sortColumn >= 0 && sortColumn != column) SetHeaderImage(header, sortColumn, -1);
  sortColumn = column;
  sortDirection = direction;
  if (header == nullptr || column < 0) return;
  const ListSortState state{sortColumn, sortDirection, sortingOff != 0};
  SetHeaderImage(header, column, SortImageIndex(state));
}

void CList::UpdateColumns() {
  if (hwnd == nullptr) return;
  RECT client;
  GetClientRect(hwnd, &client);
  totalWidth = UpdateColumnLefts({columns.GetAt(0), static_cast<size_t>(columns.count)}, client.right);
  const ListScroll scroll = ClampListScroll(totalWidth, client.right, scrollPosition);
  scrollPosition = scroll.position;
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  info.nMin = 0;
  info.nMax = scroll.maximum;
  info.nPage = static_cast<UINT>(scroll.page);
  info.nPos = scroll.position;
  SetScrollInfo(hwnd, SB_HORZ, &info, TRUE);
  GetClientRect(hwnd, &client);  // the scroll bar may have come or gone
  const int32_t headerHeight = ListHeaderHeight(rowHeight, columns.count);
  if (header != nullptr) {
    SetWindowPos(header, nullptr, -scrollPosition, 0, std::max<int32_t>(totalWidth, client.right + scrollPosition),
                 headerHeight, SWP_NOZORDER | SWP_NOACTIVATE);
  }
  if (listBox != nullptr) {
    SetWindowPos(listBox, nullptr, 0, headerHeight, client.right, std::max<LONG>(client.bottom - headerHeight, 0),
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void CList::Scroll(WPARAM request) {
  RECT client;
  GetClientRect(hwnd, &client);
  int32_t position = scrollPosition;
  const int32_t line = std::max<int32_t>(labelSize.cy, 1);
  switch (LOWORD(request)) {
    case SB_LINELEFT:
      position -= line;
      break;
    case SB_LINERIGHT:
      position += line;
      break;
    case SB_PAGELEFT:
      position -= client.right;
      break;
    case SB_PAGERIGHT:
      position += client.right;
      break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
      position = static_cast<short>(HIWORD(request));
      break;
    default:
      return;
  }
  scrollPosition = ClampListScroll(totalWidth, client.right, position).position;
  UpdateColumns();
  InvalidateRect(listBox, nullptr, TRUE);
}

int32_t CList::GetVisibleRows() const {
  RECT client{};
  if (listBox != nullptr) GetClientRect(listBox, &client);
  return VisibleListRows(client.bottom, rowHeight);
}

int32_t CList::GetCount() const {
  return listBox != nullptr ? static_cast<int32_t>(SendMessageA(listBox, LB_GETCOUNT, 0, 0)) : 0;
}

bool CList::CreateSortImages() {
  const SortImageSize size = SortImageSizeFor(rowHeight);
  sortImages = ImageList_Create(size.width, size.height, ILC_COLOR24 | ILC_MASK, 4, 0);
  if (sortImages == nullptr) return false;
  ScopedWindowDc screen(nullptr);
  ScopedMemoryDc memory(screen.Get());
  ScopedGdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(screen.Get(), size.width * 4, size.height));
  if (memory.Get() == nullptr || bitmap.Get() == nullptr) return false;
  {
    ScopedSelect selected(memory.Get(), bitmap.Get());
    gApp.style.FillRect(memory.Get(), RECT{0, 0, size.width * 4, size.height}, kMaskColor);
    // Images 0 and 1 point up (ascending) and down in the text colour; 2 and 3 are the same,
    // greyed, for sorting switched off. The arrow's middle pixel is why the height is odd.
    const int32_t half = size.height / 2;
    for (int32_t i = 0; i < 4; ++i) {
      const int32_t centre = i * size.width + size.width / 2;
      const bool up = i % 2 == 0;
      const POINT corners[3] = {{centre - half, up ? size.height - 1 : 0},
                                {centre + half, up ? size.height - 1 : 0},
                                {centre, up ? 0 : size.height - 1}};
      const COLORREF color = gApp.style.palette[i < 2 ? 4 : 55];
      ScopedGdiObject<HBRUSH> brush(CreateSolidBrush(color));
      ScopedGdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, color));
      ScopedSelect brushSelected(memory.Get(), brush.Get());
      ScopedSelect penSelected(memory.Get(), pen.Get());
      Polygon(memory.Get(), corners, 3);
    }
  }
  return ImageList_AddMasked(sortImages, bitmap.Get(), kMaskColor) >= 0;
}
