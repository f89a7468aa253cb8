// The application object: construction, patterns, settings and install record, data files.
#include "framework/app/zrf_app_win.h"

#include <ole2.h>

#include "framework/base/text_copy.h"
#include "framework/files/file_ops_win.h"
#include "framework/files/install_record_win.h"

// Constructed before main and destroyed after it returns, in this translation unit's static
// initialisation; nothing else may be constructed statically that uses it.
CZrfApp gApp;

CZrfApp::CZrfApp()
    : instance(nullptr),
      processId(0),
      productStringId(0),
      productName{},
      version{},
      commandLine{},
      programFolder{},
      programPath{},
      productCrc(0),
      controlMessage(0),
      taskbarMessage(0),
      doubleClickTime(0),
      dataFolder{},
      commonDataFolder{},
      dialogIconId(1),
      osCode(0),
      wow64(0),
      noSave(0),
      settingsVersionChanged(0),
      keepPatterns{},
      dataFilePatterns{},
      loopRunning(0),
      restartMode(0),
      restartCommandLine{},
      notifySiblings(0),
      applicationIcon(nullptr),
      checkForUpdateIfDue(nullptr),
      archiveConfigIfDue(nullptr),
      scheduledArchiveFolder(nullptr),
      settings(DefaultSettingsRecord()),
      install{},
      autostart(0),
      minimised(0),
      taskScheduler(0),
      acceleratorsOn(1),
      controlWindow(nullptr),
      tooltipWindow(nullptr),
      previousWindowProc(nullptr),
      modalDepth(0),
      dialogFont(nullptr),
      menuWindowIndex(0),
      openPopup(nullptr),
      popupOpen(0),
      menuItem(nullptr),
      hoveredItem(nullptr),
      pressedItem(nullptr),
      lastPressTick(0),
      buttonPressTicks{},
      popupMenu(nullptr),
      exitHook(nullptr),
      frameworkWindowHook(nullptr),
      redrawItemsHook(nullptr),
      barItemsHook(nullptr) {
  // language is the first field of the 4-aligned record: an int32_t that may be read in place.
  static_assert(offsetof(SettingsRecord, language) == 0);
  strings.SetLanguageSource(reinterpret_cast<const int32_t*>(&settings));
  oleResult_ = OleInitialize(nullptr);
}

CZrfApp::~CZrfApp() {
  if (exitHook != nullptr) exitHook();
  if (SUCCEEDED(oleResult_)) OleUninitialize();
}

void CZrfApp::SetFilePatterns(const char* dataFilePatternsText, const char* keepPatternsText) {
  CopyCut(dataFilePatterns, dataFilePatternsText);
  CopyCut(keepPatterns, keepPatternsText);
}

void CZrfApp::LoadSettings(int32_t givenVersion) {
  DataFileStore store = DataFiles();
  settingsVersionChanged = LoadSettingsRecord(store, &settings, givenVersion) ? 1 : 0;
}

bool CZrfApp::SaveSettings() {
  if (noSave != 0) return false;
  DataFileStore store = DataFiles();
  return SaveSettingsRecord(store, settings);
}

int32_t CZrfApp::LoadInstallRecord() { return ReadInstallRecord(productName, &install); }

DataFileStore CZrfApp::DataFiles() { return DataFileStore(SystemFileOps(), dataFolder, commonDataFolder); }

int32_t CZrfApp::ParseCommandLine(const char* text) {
  SwitchFlags flags;
  const int32_t result = ::ParseCommandLine(text, switches, flags);
  autostart = flags.autostart;
  minimised = flags.minimised;
  taskScheduler = flags.taskScheduler;
  return result;
}

HINSTANCE FrameworkModule() { return gApp.instance != nullptr ? gApp.instance : GetModuleHandleA(nullptr); }

uint32_t ReadDataFile(const char* name, int32_t number, void* buffer, uint32_t size, int32_t location) {
  return gApp.DataFiles().ReadDataFile(name, number, buffer, size, location);
}

uint32_t WriteDataFile(const char* name, int32_t number, const void* data, uint32_t size, int32_t location) {
  return gApp.DataFiles().WriteDataFile(name, number, data, size, location);
}

uint32_t ReadFileFromFolder(const char* folder, const char* fileName, const char* extension, void* buffer,
                            uint32_t size, int32_t location) {
  return gApp.DataFiles().ReadFileFromFolder(folder, fileName, extension, buffer, size, location);
}

uint32_t WriteFileAtomic(const char* folder, const char* fileName, const char* extension, const void* data,
                         uint32_t size, int32_t location) {
  return gApp.DataFiles().WriteFileAtomic(folder, fileName, extension, data, size, location);
}
