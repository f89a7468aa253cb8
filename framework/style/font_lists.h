// The UI style's seven font lists, one entry per DPI each, and the rules for which font a
// request gets. Platform-free: fonts are made, measured and deleted through a FontFactory, which
// the Win32 side implements with GDI and tests implement with a counter.
#pragma once

#include <cstdint>
#include <mutex>

#include "framework/base/zrf_array.h"

constexpr int32_t kFontFaceSize = 260;
constexpr int32_t kFontListCount = 7;

/// The seven lists.
enum FontList : int32_t {
  kFontSystem = 0,
  kFontSystemBold = 1,
  kFontSystemVertical = 2,
  kFontFixed = 3,
  kFontUI = 4,
  kFontUIBold = 5,
  kFontUIVertical = 6,
};

constexpr int32_t kFontWeightNormal = 400;
constexpr int32_t kFontWeightBold = 700;
constexpr int32_t kFontVertical = -900;  ///< tenths of a degree
constexpr int32_t kFontFixedPitch = 1;
constexpr int32_t kDefaultFontSize = 12;  ///< pixels at 96 DPI
constexpr char kFixedFontFace[] = "Courier New";

/// What a font is made from. `escapement` equals `orientation`: with the DC's default graphics
/// mode only the escapement turns the text, so a vertical font needs both.
struct FontRequest {
  int32_t height;  ///< -size * dpi / 96 (MulDiv rounding): a character height in pixels
  int32_t escapement;
  int32_t orientation;
  int32_t weight;
  int32_t pitchAndFamily;
  const char* face;
};

/// One font of a list, for one DPI.
struct FontEntry {
  int32_t dpi;
  int32_t size;  ///< pixels at 96 DPI
  int32_t weight;
  int32_t orientation;
  int32_t pitchAndFamily;
  char face[kFontFaceSize];
  void* font;          ///< HFONT owned by the lists; null when it could not be made
  int32_t textHeight;  ///< height of "Ag"
  int32_t spaceWidth;  ///< width of " "
};

/// Makes, measures and deletes fonts for CFontLists.
class FontFactory {
 public:
  virtual ~FontFactory() = default;
  /// A new font, or null when it cannot be made.
  virtual void* CreateFont(const FontRequest& request) = 0;
  /// Height of "Ag" and width of " " in `font` (null: the measuring DC's current font).
  virtual void Measure(void* font, int32_t* textHeight, int32_t* spaceWidth) = 0;
  virtual void DeleteFont(void* font) = 0;
  /// DPI of the desktop window.
  virtual int32_t DesktopDpi() = 0;
};

/// MulDiv(size, dpi, 96) with MulDiv's rounding (half away from zero), negated: a font height.
int32_t FontHeightForDpi(int32_t size, int32_t dpi);

/// The seven font lists. Every operation takes the lists' lock, because dialogs of other threads
/// (the update check's) ask for fonts while the GUI thread does. Font handles stay valid until the
/// lists are destroyed: entries are never removed.
class CFontLists {
 public:
  /// `factory` must outlive the lists.
  explicit CFontLists(FontFactory& factory);
  ~CFontLists();
  CFontLists(const CFontLists&) = delete;
  CFontLists& operator=(const CFontLists&) = delete;

  /// Sets the system face (cut to the field, always terminated); also the UI face until
  /// SetUIFont names another. Null or empty leaves the faces unchanged.
  void SetSystemFace(const char* face);

  /// Gives lists 0-3 an entry for `dpi` in the system face (list 3: "Courier New", fixed pitch)
  /// at size 12, and lists 4-6 one in `uiFace` at `uiSize`; a null or empty face means the system
  /// face at size 12. Lists that already hold `dpi` keep their entry.
  void SetUIFont(const char* uiFace, int32_t uiSize, int32_t dpi);

  /// Index in `list` of the entry for `dpi`, made with the given look when the list has none (an
  /// existing entry is returned whatever its look). -1 for a list outside 0-6 or when the entry
  /// cannot be stored.
  int32_t GetFont(int32_t list, const char* face, int32_t size, int32_t weight, int32_t orientation,
                  int32_t dpi, int32_t pitchAndFamily);

  /// The font of `list` for `dpi`. When the lists are still empty, all seven are first filled at
  /// the desktop DPI with the system face; a missing DPI is then added in the look of the list's
  /// first entry. Null for a list outside 0-6 or when no font could be made.
  void* FontForDpi(int32_t list, int32_t dpi);

  /// Text height and space width of the UI font for `dpi`; without one, of the UI list's first
  /// entry (the lists are filled first when empty).
  int32_t TextHeight(int32_t dpi);
  int32_t SpaceWidth(int32_t dpi);

  /// Number of entries of `list` (0 outside 0-6).
  int32_t EntryCount(int32_t list);
  /// A copy of entry `index` of `list`; false when out of range.
  bool Entry(int32_t list, int32_t index, FontEntry* entry);

  /// Copies of the current faces.
  void Faces(char (&systemFace)[kFontFaceSize], char (&uiFace)[kFontFaceSize]);

 private:
  int32_t FindDpiLocked(int32_t list, int32_t dpi) const;
  int32_t GetFontLocked(int32_t list, const char* face, int32_t size, int32_t weight, int32_t orientation,
                        int32_t dpi, int32_t pitchAndFamily);
  void SetUIFontLocked(const char* uiFace, int32_t uiSize, int32_t dpi);
  void* FontForDpiLocked(int32_t list, int32_t dpi);
  const FontEntry* UIMetricsLocked(int32_t dpi);

  FontFactory& factory_;
  std::mutex mutex_;
  CZrfArray<FontEntry> lists_[kFontListCount];
  char systemFace_[kFontFaceSize] = "MS Shell Dlg";
  char uiFace_[kFontFaceSize] = "MS Shell Dlg";
};
