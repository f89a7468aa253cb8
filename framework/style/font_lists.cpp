// Font lists per DPI: lookup by DPI only, creation through the factory, and the filling of all
// seven lists when a font is first asked for before the style was set up.
#include "framework/style/font_lists.h"

#include <cstring>

namespace {

// Bounded copy with a terminator: faces come from the settings file and may lack one.
void CopyFace(char (&field)[kFontFaceSize], const char* face) {
  size_t length = 0;
  while (length < kFontFaceSize - 1 && face[length] != '\0') ++length;
  std::memmove(field, face, length);
  field[length] = '\0';
}

bool IsEmpty(const char* text) { return text == nullptr || text[0] == '\0'; }

bool ValidList(int32_t list) { return list >= 0 && list < kFontListCount; }

}  // namespace

int32_t FontHeightForDpi(int32_t size, int32_t dpi) {
  const int64_t product = static_cast<int64_t>(size) * dpi;
  const int64_t rounded = product >= 0 ? (product + 48) / 96 : -((-product + 48) / 96);
  return -static_cast<int32_t>(rounded);
}

CFontLists::CFontLists(FontFactory& factory) : factory_(factory) {}

CFontLists::~CFontLists() {
  for (CZrfArray<FontEntry>& list : lists_) {
    for (int32_t i = 0; i < list.count; ++i) {
      if (list.GetAt(i)->font) factory_.DeleteFont(list.GetAt(i)->font);
    }
  }
}

void CFontLists::SetSystemFace(const char* face) {
  if (IsEmpty(face)) return;
  std::lock_guard<std::mutex> lock(mutex_);
  CopyFace(systemFace_, face);
  CopyFace(uiFace_, face);
}

int32_t CFontLists::FindDpiLocked(int32_t list, int32_t dpi) const {
  const CZrfArray<FontEntry>& entries = lists_[list];
  for (int32_t i = 0; i < entries.count; ++i) {
    if (entries.GetAt(i)->dpi == dpi) return i;
  }
  return -1;
}

int32_t CFontLists::GetFontLocked(int32_t list, const char* face, int32_t size, int32_t weight,
                                  int32_t orientation, int32_t dpi, int32_t pitchAndFamily) {
  if (!ValidList(list)) return -1;
  const int32_t found = FindDpiLocked(list, dpi);
  if (found >= 0) return found;

  FontEntry entry{};
  entry.dpi = dpi;
  entry.size = size;
  entry.weight = weight;
  entry.orientation = orientation;
  entry.pitchAndFamily = pitchAndFamily;
  CopyFace(entry.face, face ? face : "");
  const FontRequest request{
      FontHeightForDpi(size, dpi), orientation, orientation, weight, pitchAndFamily, entry.face};
  // A font that cannot be made is kept as null all the same: text drawn with it uses the DC's
  // font, and asking again would fail again.
  entry.font = factory_.CreateFont(request);
  factory_.Measure(entry.font, &entry.textHeight, &entry.spaceWidth);
  const int32_t position = lists_[list].Add(entry);
  if (position < 0 && entry.font) factory_.DeleteFont(entry.font);
  return position;
}

int32_t CFontLists::GetFont(int32_t list, const char* face, int32_t size, int32_t weight, int32_t orientation,
                            int32_t dpi, int32_t pitchAndFamily) {
  std::lock_guard<std::mutex> lock(mutex_);
  return GetFontLocked(list, face, size, weight, orientation, dpi, pitchAndFamily);
}

void CFontLists::SetUIFontLocked(const char* uiFace, int32_t uiSize, int32_t dpi) {
  (void)GetFontLocked(kFontSystem, systemFace_, kDefaultFontSize, kFontWeightNormal, 0, dpi, 0);
  (void)GetFontLocked(kFontSystemBold, systemFace_, kDefaultFontSize, kFontWeightBold, 0, dpi, 0);
  (void)GetFontLocked(kFontSystemVertical, systemFace_, kDefaultFontSize, kFontWeightNormal, kFontVertical,
                      dpi, 0);
  (void)GetFontLocked(kFontFixed, kFixedFontFace, kDefaultFontSize, kFontWeightNormal, 0, dpi,
                      kFontFixedPitch);
  if (IsEmpty(uiFace)) {
    CopyFace(uiFace_, systemFace_);
    uiSize = kDefaultFontSize;
  } else if (uiFace != uiFace_) {
    CopyFace(uiFace_, uiFace);
  }
  (void)GetFontLocked(kFontUI, uiFace_, uiSize, kFontWeightNormal, 0, dpi, 0);
  (void)GetFontLocked(kFontUIBold, uiFace_, uiSize, kFontWeightBold, 0, dpi, 0);
  (void)GetFontLocked(kFontUIVertical, uiFace_, uiSize, kFontWeightNormal, kFontVertical, dpi, 0);
}

void CFontLists::SetUIFont(const char* uiFace, int32_t uiSize, int32_t dpi) {
  std::lock_guard<std::mutex> lock(mutex_);
  SetUIFontLocked(uiFace, uiSize, dpi);
}

void* CFontLists::FontForDpiLocked(int32_t list, int32_t dpi) {
  if (!ValidList(list)) return nullptr;
  int32_t index = FindDpiLocked(list, dpi);
  if (index < 0) {
    if (lists_[kFontSystem].count == 0) SetUIFontLocked(nullptr, kDefaultFontSize, factory_.DesktopDpi());
    if (lists_[list].count == 0) return nullptr;  // the desktop-DPI filling could not store it
    // Copied: adding to the list may move its storage.
    const FontEntry first = *lists_[list].GetAt(0);
    index = GetFontLocked(list, first.face, first.size, first.weight, first.orientation, dpi,
                          first.pitchAndFamily);
    if (index < 0) return nullptr;
  }
  return lists_[list].GetAt(index)->font;
}

void* CFontLists::FontForDpi(int32_t list, int32_t dpi) {
  std::lock_guard<std::mutex> lock(mutex_);
  return FontForDpiLocked(list, dpi);
}

const FontEntry* CFontLists::UIMetricsLocked(int32_t dpi) {
  // Asked before the style was set up, the lists would have no first entry to fall back on.
  if (lists_[kFontUI].count == 0) SetUIFontLocked(nullptr, kDefaultFontSize, factory_.DesktopDpi());
  const int32_t index = FindDpiLocked(kFontUI, dpi);
  if (index >= 0) return lists_[kFontUI].GetAt(index);
  return lists_[kFontUI].count > 0 ? lists_[kFontUI].GetAt(0) : nullptr;
}

int32_t CFontLists::TextHeight(int32_t dpi) {
  std::lock_guard<std::mutex> lock(mutex_);
  const FontEntry* entry = UIMetricsLocked(dpi);
  return entry ? entry->textHeight : 0;
}

int32_t CFontLists::SpaceWidth(int32_t dpi) {
  std::lock_guard<std::mutex> lock(mutex_);
  const FontEntry* entry = UIMetricsLocked(dpi);
  return entry ? entry->spaceWidth : 0;
}

int32_t CFontLists::EntryCount(int32_t list) {
  if (!ValidList(list)) return 0;
  std::lock_guard<std::mutex> lock(mutex_);
  return lists_[list].count;
}

bool CFontLists::Entry(int32_t list, int32_t index, FontEntry* entry) {
  if (!ValidList(list)) return false;
  std::lock_guard<std::mutex> lock(mutex_);
  if (index < 0 || index >= lists_[list].count) return false;
  *entry = *lists_[list].GetAt(index);
  return true;
}

void CFontLists::Faces(char (&systemFace)[kFontFaceSize], char (&uiFace)[kFontFaceSize]) {
  std::lock_guard<std::mutex> lock(mutex_);
  std::memcpy(systemFace, systemFace_, kFontFaceSize);
  std::memcpy(uiFace, uiFace_, kFontFaceSize);
}
