// The desktop-draw block that every process loading the hook library maps, the sub-codes of the
// desktop-draw message, and the packing of window handles into the block's 32-bit slots.
// Platform-free: the Win32 halves map the block and turn the slots back into handles.
#pragma once

#include <cstddef>
#include <cstdint>

namespace ostrel {

/// Name of the page-file-backed mapping that holds the block.
inline constexpr char kSharedMemName[] = "OstrelDllSharedMEM";
/// Name of the registered window message whose wParam is an OstrelCode.
inline constexpr char kMessageName[] = "Ostrel_Message";
/// Size of the block in bytes, the same in every build.
inline constexpr uint32_t kBlockSize = 4752;
/// Most plant windows registered at once.
inline constexpr int32_t kMaxClients = 16;
/// Bytes of the RGNDATA handed to the clients.
inline constexpr uint32_t kPaintRegionSize = 4096;
/// The list-view subclass answers every sub-code with this value.
inline constexpr intptr_t kSubclassAnswer = 10;

/// Sub-codes of "Ostrel_Message", carried in wParam, in both directions.
enum class OstrelCode : uint32_t {
  Paint = 1,          ///< to each client, bottom first; lParam = index in clients
  HitTest = 4,        ///< to clients, top first; lParam = point; non-zero answer = hit
  FrameChanged = 8,   ///< to the active client after a drag that changed the frame
  OnTop = 9,          ///< to the client just moved to the top
  GetLimit = 11,      ///< to the active client; lParam 1..4; answer = pixels
  DragStart = 12,     ///< to the active client at button-down on the frame
  DragEnd = 13,       ///< to the same client when the drag ends, however it ends; after FrameChanged
  Identify = 14,      ///< to each client from Ostrel_Register; 0 = the plant under test is mine
  PinLibrary = 20,    ///< to the list view: install the subclass and keep the library loaded
  UnpinLibrary = 21,  ///< to the list view, sent after a client's slot has gone: with no slot
                      ///< naming a live window left, the subclass goes
  RepaintFrame = 22,  ///< to the list view: repaint the active frame's border; lParam: the plant
                      ///< whose activation changed (activated, or its dialog closed), or 0
  Activate = 33,      ///< to a client: open the plant dialog
  DialogClosed = 34,  ///< posted by a plant's own dialog; never sent by the library
  Deactivate = 35,    ///< to the active client: close the plant dialog
};

/// Index of GetLimit's lParam.
enum class LimitKind : int32_t { MinWidth = 1, MaxWidth = 2, MinHeight = 3, MaxHeight = 4 };

/// A RECT as the block stores it: left, top, right, bottom, signed 32-bit.
struct Rect32 {
  int32_t left;
  int32_t top;
  int32_t right;
  int32_t bottom;
};

inline bool operator==(const Rect32& a, const Rect32& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

/// A point in list-view client coordinates.
struct Point32 {
  int32_t x;
  int32_t y;
};

/// The shared block, read and written in place by every process that maps it. Little-endian.
/// Window handles are 32-bit slots in both builds (see PackHandle).
///
/// off   size  field
///    0     4  listView          desktop icon list view; a copy that the desktop's process
///                               keeps right, used only once checked (desktop_list_view_win.h)
///    4     4  activeClient      plant window whose dialog is open; 0 = none; the desktop's
///                               process keeps its own (RepaintFrame tells it of changes)
///    8     1  companionRunning  1 while a companion runs or is being started
///    9     3  padding
///   12    16  activeFrame       RECT of the active plant, list-view client coordinates
///   28     4  paintingView      list view whose Paint broadcast last set the Paint bit; 0 = none
///   32     8  aspectRatio       double, frame height / width
///   40     4  busy              flags: 1 registration, 2 removal, 4 reorder, 0x100 Paint
///                               broadcast; bits 9..31 the claim's tag (hooklib/busy_word.h)
///   44     4  message           number of "Ostrel_Message"
///   48   256  checkedName       plant path under test by Identify, NUL-terminated
///  304  4096  paintRegion       RGNDATA of the region being repainted
/// 4400     4  clientCount       registered plant windows, 0..16
/// 4404    68  clients           17 handles, bottom of the stacking order first; [count] spare
/// 4472     4  inputHwnd         argument: window to register or remove
/// 4476   260  inputName         argument: NUL-terminated plant path of that window
/// 4736    16  updateRect        argument: RECT to repaint
struct OstrelSharedMem {
  uint32_t listView;
  uint32_t activeClient;
  uint8_t companionRunning;
  uint8_t padding0[3];
  Rect32 activeFrame;
  uint32_t paintingView;
  double aspectRatio;
  int32_t busy;
  uint32_t message;
  char checkedName[256];
  uint8_t paintRegion[kPaintRegionSize];
  int32_t clientCount;
  uint32_t clients[kMaxClients + 1];
  uint32_t inputHwnd;
  char inputName[260];
  Rect32 updateRect;
};

static_assert(sizeof(Rect32) == 16);
static_assert(sizeof(OstrelSharedMem) == kBlockSize);
static_assert(offsetof(OstrelSharedMem, listView) == 0);
static_assert(offsetof(OstrelSharedMem, activeClient) == 4);
static_assert(offsetof(OstrelSharedMem, companionRunning) == 8);
static_assert(offsetof(OstrelSharedMem, activeFrame) == 12);
static_assert(offsetof(OstrelSharedMem, paintingView) == 28);
static_assert(offsetof(OstrelSharedMem, aspectRatio) == 32);
static_assert(offsetof(OstrelSharedMem, busy) == 40);
static_assert(offsetof(OstrelSharedMem, message) == 44);
static_assert(offsetof(OstrelSharedMem, checkedName) == 48);
static_assert(offsetof(OstrelSharedMem, paintRegion) == 304);
static_assert(offsetof(OstrelSharedMem, clientCount) == 4400);
static_assert(offsetof(OstrelSharedMem, clients) == 4404);
static_assert(offsetof(OstrelSharedMem, inputHwnd) == 4472);
static_assert(offsetof(OstrelSharedMem, inputName) == 4476);
static_assert(offsetof(OstrelSharedMem, updateRect) == 4736);

/// Stores a window handle in a 32-bit slot. Window handles fit in 32 bits on 64-bit Windows too,
/// which is what lets the 32-bit and 64-bit builds share one block.
constexpr uint32_t PackHandle(uintptr_t handle) { return static_cast<uint32_t>(handle); }

/// Turns a slot back into a handle value: sign-extended, as 64-bit Windows extends 32-bit handles.
constexpr uintptr_t UnpackHandle(uint32_t slot) {
  return static_cast<uintptr_t>(static_cast<intptr_t>(static_cast<int32_t>(slot)));
}

/// Reads a 32-bit field of the block afresh: other processes change it at any time.
template <typename T>
inline T LoadShared(const T& field) {
  static_assert(sizeof(T) == 4);
  return __atomic_load_n(&field, __ATOMIC_ACQUIRE);
}

/// Writes a 32-bit field of the block so that other processes see it at once.
template <typename T>
inline void StoreShared(T& field, T value) {
  static_assert(sizeof(T) == 4);
  __atomic_store_n(&field, value, __ATOMIC_RELEASE);
}

/// Reads a rectangle of the block afresh, field by field.
inline Rect32 LoadSharedRect(const Rect32& shared) {
  return Rect32{LoadShared(shared.left), LoadShared(shared.top), LoadShared(shared.right),
                LoadShared(shared.bottom)};
}

/// Writes a rectangle of the block, field by field.
inline void StoreSharedRect(Rect32& shared, const Rect32& rect) {
  StoreShared(shared.left, rect.left);
  StoreShared(shared.top, rect.top);
  StoreShared(shared.right, rect.right);
  StoreShared(shared.bottom, rect.bottom);
}

}  // namespace ostrel
