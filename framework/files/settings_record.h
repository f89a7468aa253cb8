// The framework's settings record: the user's language, colour scheme, colours and interface font,
// stored as the data file "(ZRF)App". Stored byte for byte: the layout below is a file format.
#pragma once

#include <cstddef>
#include <cstdint>

class DataFileStore;

constexpr char kSettingsFileName[] = "(ZRF)App";
constexpr int32_t kSettingsColorCount = 5;
constexpr int32_t kSettingsFontFaceSize = 260;
/// The interface fonts the settings hold: a face of at most 31 characters (a LOGFONT face and its
/// NUL) and a size of 1 to 2184 pixels at 96 DPI (1638 points); the font dialog stores only these.
constexpr int32_t kSettingsFontFaceLength = 31;
constexpr int32_t kSettingsFontSizeMin = 1;
constexpr int32_t kSettingsFontSizeMax = 2184;

/// Indexes of SettingsRecord::customColors.
constexpr int32_t kColorBackground = 0;
constexpr int32_t kColorUnused = 1;  ///< stored, never read
constexpr int32_t kColorFocus = 2;
constexpr int32_t kColorText = 3;
constexpr int32_t kColorHighlightText = 4;

/// Colour scheme values; 255 means the user has not chosen one yet.
constexpr uint8_t kColorSchemeNone = 0;
constexpr uint8_t kColorSchemeDefault = 1;
constexpr uint8_t kColorSchemeCustom = 2;
constexpr uint8_t kColorSchemeNotChosen = 255;

/// "(ZRF)App", packed, little-endian, 297 bytes:
/// off  size  field
///   0     4  language: 0 English, 1 Deutsch; anything else is read as 0
///   4     4  settings version: the version given at start-up when the record was last loaded
///   8     1  colour scheme: 0 none, 1 default, 2 custom, 255 not chosen yet
///   9    20  five COLORREFs: background, (unused), focus, text, highlighted text
///  29     4  reserved, 0
///  33   260  interface font face, NUL-terminated; empty: the system's dialog face
/// 293     4  interface font size in pixels at 96 DPI, 1 to 2184; used with the face
#pragma pack(push, 1)
struct SettingsRecord {
  int32_t language;
  int32_t settingsVersion;
  uint8_t colorScheme;
  uint32_t customColors[kSettingsColorCount];
  uint8_t reserved[4];
  char fontFace[kSettingsFontFaceSize];
  int32_t fontSize;
};
#pragma pack(pop)

static_assert(sizeof(SettingsRecord) == 297);
static_assert(offsetof(SettingsRecord, language) == 0);
static_assert(offsetof(SettingsRecord, settingsVersion) == 4);
static_assert(offsetof(SettingsRecord, colorScheme) == 8);
static_assert(offsetof(SettingsRecord, customColors) == 9);
static_assert(offsetof(SettingsRecord, reserved) == 29);
static_assert(offsetof(SettingsRecord, fontFace) == 33);
static_assert(offsetof(SettingsRecord, fontSize) == 293);

/// The record every start begins from: all zero, colour scheme 255, background 0x00EE6E18,
/// focus colour 0x0055ADFF.
SettingsRecord DefaultSettingsRecord();

/// Makes a record that came from a file safe and current: a language other than 0 and 1 becomes 0;
/// a font the font dialog cannot have stored (IsStorableFont) becomes no custom font, face and
/// size zeroed, so the damage is not saved again; and a stored version other than `givenVersion`
/// is replaced by it. Returns true when the version was replaced (saved window placements are
/// then not to be used).
bool ApplySettingsRules(SettingsRecord* settings, int32_t givenVersion);

/// True when `face` and `size` are a font the font dialog stores: the face NUL-terminated within
/// its field, 1 to 31 printable characters of the code page (no control character), the size 1 to
/// 2184; or no custom font: an empty face with size 0 or a size of that range (the default
/// font keeps the last size chosen).
bool IsStorableFont(const char (&face)[kSettingsFontFaceSize], int32_t size);

/// Loads "(ZRF)App" of the data folder over the defaults (a missing file leaves the defaults, a
/// shorter one overlays only its own bytes, a longer one gives its first 297) and applies the
/// rules. Returns what ApplySettingsRules returns.
bool LoadSettingsRecord(DataFileStore& store, SettingsRecord* settings, int32_t givenVersion);

/// Writes the 297 bytes as "(ZRF)App" of the data folder. True when the file was replaced.
[[nodiscard]] bool SaveSettingsRecord(DataFileStore& store, const SettingsRecord& settings);
