// Defaults, checks, loading and saving of the settings record.
#include "framework/files/settings_record.h"

#include <cstring>

#include "framework/files/data_file.h"

SettingsRecord DefaultSettingsRecord() {
  SettingsRecord settings;
  std::memset(&settings, 0, sizeof settings);
  settings.colorScheme = kColorSchemeNotChosen;
  settings.customColors[kColorBackground] = 0x00EE6E18;
  settings.customColors[kColorFocus] = 0x0055ADFF;
  return settings;
}

namespace {

// Control characters and DEL; bytes from 0x80 are letters of the ANSI code page.
bool IsPrintable(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return byte >= 0x20 && byte != 0x7F;
}

}  // namespace

bool IsStorableFont(const char (&face)[kSettingsFontFaceSize], int32_t size) {
  const bool sizeStorable = size >= kSettingsFontSizeMin && size <= kSettingsFontSizeMax;
  if (face[0] == '\0') return size == 0 || sizeStorable;
  int32_t length = 0;
  while (length <= kSettingsFontFaceLength && face[length] != '\0') {
    if (!IsPrintable(face[length])) return false;
    ++length;
  }
  return length <= kSettingsFontFaceLength && sizeStorable;
}

bool ApplySettingsRules(SettingsRecord* settings, int32_t givenVersion) {
  // Only 0 and 1 are languages; the string table must never be indexed with anything else.
  if (settings->language != 0 && settings->language != 1) settings->language = 0;
  // A damaged face or size made every message box unreadable, and was saved again at exit.
  if (!IsStorableFont(settings->fontFace, settings->fontSize)) {
    std::memset(settings->fontFace, 0, sizeof settings->fontFace);
    settings->fontSize = 0;
  }
  if (settings->settingsVersion == givenVersion) return false;
  settings->settingsVersion = givenVersion;
  return true;
}

bool LoadSettingsRecord(DataFileStore& store, SettingsRecord* settings, int32_t givenVersion) {
  *settings = DefaultSettingsRecord();
  (void)store.ReadDataFile(kSettingsFileName, kNoFileNumber, settings, sizeof *settings, kDataFolderLocation);
  return ApplySettingsRules(settings, givenVersion);
}

bool SaveSettingsRecord(DataFileStore& store, const SettingsRecord& settings) {
  return store.WriteDataFile(kSettingsFileName, kNoFileNumber, &settings, sizeof settings,
                             kDataFolderLocation) == sizeof settings;
}
