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

bool ApplySettingsRules(SettingsRecord* settings, int32_t givenVersion) {
  settings->fontFace[kSettingsFontFaceSize - 1] = '\0';
  // Only 0 and 1 are languages; the string table must never be indexed with anything else.
  if (settings->language != 0 && settings->language != 1) settings->language = 0;
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
