// The driver of scripts/run, inside its Wine prefix: installs the plant program with the default
// species (made to have grown for some days first, when asked), starts the test desktop and the
// plant, lets the plant live, ends it with the program's own -QUIT and writes the snapshot it saved
// as a PNG. A tool for looking at the program, not a part of it.
//
//   plant_run Verdelo.exe LIBRARY.dll ostrel_test_desktop.exe OUT.png [--days N] [--seconds S]
//             [--beside FILE]...
//
// LIBRARY.dll is the program's hook library (Ostrel.dll or Ostrel64.dll); each --beside FILE goes
// into the program folder too (for the 32-bit program, the companion and its library).
#include <windows.h>
// After windows.h, which it needs.
#include <shlobj.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "hooklib/shared_block.h"
#include "plant/snapshot_format.h"
#include "tools/ageplant/age_plant.h"
#include "tools/render/picture_file.h"
#include "tools/species/default_species.h"
#include "tools/species/species_builder.h"
#include "tools/testdesktop/desktop_query.h"
#include "tools/testsupport/install_record_fixture_win.h"
#include "tools/testsupport/program_folder_win.h"
#include "tools/testsupport/read_shared_file_win.h"
#include "tools/testsupport/wine_path.h"

namespace {

constexpr char kProduct[] = "Verdelo";
// The name the installation gives the default species.
constexpr char kPlantFile[] = "Greenleaf.plt";
constexpr char kWorkerEvent[] = "VerdeloEvent_Greenleaf.plt";
constexpr DWORD kStartMs = 60000;  // Wine starts a process in a second or two; a grown plant's
constexpr DWORD kGrowMs = 300000;  // backlog of weeks takes some seconds to simulate.

struct Options {
  std::string program;
  std::string library;
  std::string desktop;
  std::string png;
  std::vector<std::string> beside;
  long days = 0;
  long seconds = 3;
};

bool Fail(const std::string& what) {
  std::fprintf(stderr, "plant_run: %s\n", what.c_str());
  return false;
}

bool ParseOptions(int argc, char** argv, Options* options) {
  if (argc < 5) return false;
  options->program = ToWinePath(argv[1]);
  options->library = ToWinePath(argv[2]);
  options->desktop = ToWinePath(argv[3]);
  options->png = ToWinePath(argv[4]);
  for (int i = 5; i + 1 < argc; i += 2) {
    if (std::strcmp(argv[i], "--beside") == 0) {
      options->beside.push_back(ToWinePath(argv[i + 1]));
      continue;
    }
    char* end = nullptr;
    const long value = std::strtol(argv[i + 1], &end, 10);
    if (*end != '\0' || value < 0) return false;
    if (std::strcmp(argv[i], "--days") == 0) {
      options->days = value;
    } else if (std::strcmp(argv[i], "--seconds") == 0) {
      options->seconds = value;
    } else {
      return false;
    }
  }
  return true;
}

bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs) {
  const ULONGLONG end = GetTickCount64() + timeoutMs;
  while (!done()) {
    if (GetTickCount64() >= end) return false;
    Sleep(100);
  }
  return true;
}

PROCESS_INFORMATION Start(const std::string& commandLine) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  std::string line = commandLine;
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process)) {
    Fail("cannot start " + commandLine);
  }
  return process;
}

bool Ended(const PROCESS_INFORMATION& process, DWORD ms) {
  return process.hProcess == nullptr || WaitForSingleObject(process.hProcess, ms) == WAIT_OBJECT_0;
}

// The program folder: the program, its library, what goes beside them and the installed plant
// file, the default species as it comes or, for `days`, grown that long with automatic care.
bool Install(const Options& options, const std::string& folder) {
  CreateDirectoryA(folder.c_str(), nullptr);
  if (!CopyFileA(options.program.c_str(), (folder + "\\Verdelo.exe").c_str(), FALSE) ||
      !CopyIntoFolder(options.library, folder)) {
    return Fail("cannot copy the program into " + folder);
  }
  for (const std::string& file : options.beside) {
    if (!CopyIntoFolder(file, folder)) return Fail("cannot copy " + file + " into " + folder);
  }
  std::vector<uint8_t> plant;
  std::string why;
  if (!species::BuildPlantFile(species::DefaultSpecies(), &plant, &why) ||
      !age_tool::AgePlantBytes(&plant, static_cast<int64_t>(std::time(nullptr)),
                               int64_t{options.days} * 86400, options.days > 0, &why)) {
    return Fail("default species: " + why);
  }
  std::ofstream out(folder + "\\" + kPlantFile, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(plant.data()), static_cast<std::streamsize>(plant.size()));
  return out.flush() ? true : Fail("cannot write the plant file");
}

bool StartDesktop(const Options& options, PROCESS_INFORMATION* desktop) {
  const HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, testdesktop::kReadyEvent);
  *desktop = Start("\"" + options.desktop + "\"");
  const HANDLE waits[] = {ready, desktop->hProcess};
  const bool up =
      desktop->hProcess != nullptr && WaitForMultipleObjects(2, waits, FALSE, kStartMs) == WAIT_OBJECT_0;
  CloseHandle(ready);
  return up ? true : Fail("the test desktop did not start");
}

// Registered on the desktop, then the first pass done: the worker clears its event only at the end
// of a pass that rendered and handed its picture over.
bool WaitForFirstPicture(const PROCESS_INFORMATION& plant) {
  auto registered = [&] {
    const HANDLE mapping = OpenFileMappingA(FILE_MAP_READ, FALSE, ostrel::kSharedMemName);
    if (mapping == nullptr) return false;
    auto* block = static_cast<const ostrel::OstrelSharedMem*>(MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0));
    const bool any = block != nullptr && ostrel::LoadShared(block->clientCount) > 0;
    if (block != nullptr) UnmapViewOfFile(block);
    CloseHandle(mapping);
    return any;
  };
  if (!WaitUntil([&] { return registered() || Ended(plant, 0); }, kStartMs) || Ended(plant, 0)) {
    return Fail("the plant did not come onto the desktop");
  }
  // The worker's event comes a little after the registration, with the worker.
  HANDLE event = nullptr;
  if (!WaitUntil(
          [&] {
            return (event = OpenEventA(SYNCHRONIZE, FALSE, kWorkerEvent)) != nullptr || Ended(plant, 0);
          },
          kStartMs) ||
      event == nullptr) {
    return Fail("the plant has no worker");
  }
  const bool drawn = WaitUntil([&] { return WaitForSingleObject(event, 0) == WAIT_TIMEOUT; }, kGrowMs);
  CloseHandle(event);
  return drawn ? true : Fail("the plant did not finish its first picture");
}

// The snapshot's pixels, top-down, with the transparency key as alpha, written as a PNG.
bool WriteSnapshotPng(const std::string& snapshotPath, const std::string& png) {
  std::string why;
  const std::vector<uint8_t> bytes = ReadSharedFile(snapshotPath, &why);
  plant::SnapshotView view{};
  if (bytes.empty() || plant::ParseSnapshot(bytes.data(), bytes.size(), &view) != plant::SnapshotResult::Ok ||
      view.header.bitCount != 32) {
    return Fail("no usable snapshot at " + snapshotPath + " " + why);
  }
  const int32_t width = view.header.width;
  const int32_t height = view.header.height;
  std::vector<uint32_t> pixels(static_cast<size_t>(width) * static_cast<size_t>(height));
  for (int32_t y = 0; y < height; ++y) {
    const uint8_t* row = view.bits + static_cast<size_t>(height - 1 - y) * static_cast<size_t>(width) * 4;
    for (int32_t x = 0; x < width; ++x) {
      uint32_t pixel;
      std::memcpy(&pixel, row + static_cast<size_t>(x) * 4, sizeof pixel);
      pixel &= 0x00FFFFFF;
      pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)] =
          pixel == 0 ? 0 : pixel | 0xFF000000;
    }
  }
  return render_tool::WritePng(png, pixels.data(), width, height) ? true : Fail("cannot write " + png);
}

std::string AppDataFolder() {
  char folder[MAX_PATH] = "";
  SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, 0, folder);
  return folder;
}

bool Run(const Options& options) {
  char programFiles[MAX_PATH] = "";
  SHGetFolderPathA(nullptr, CSIDL_PROGRAM_FILES, nullptr, 0, programFiles);
  const std::string maker = std::string(programFiles) + "\\Brambeck";
  CreateDirectoryA(maker.c_str(), nullptr);
  const std::string folder = maker + "\\" + kProduct;
  std::string why;
  if (!Install(options, folder) || !PutInstallRecord(folder, "", &why)) {
    return why.empty() ? false : Fail(why);
  }
  PROCESS_INFORMATION desktop{};
  if (!StartDesktop(options, &desktop)) return false;
  const std::string program = "\"" + folder + "\\Verdelo.exe\"";
  const PROCESS_INFORMATION plant = Start(program + " -LOADPLANT " + kPlantFile);
  bool done = plant.hProcess != nullptr && WaitForFirstPicture(plant);
  if (done) {
    std::printf("plant_run: the plant is on the desktop; it lives %ld seconds\n", options.seconds);
    std::fflush(stdout);
    Sleep(static_cast<DWORD>(options.seconds) * 1000);
    const PROCESS_INFORMATION quit = Start(program + " -QUIT");
    done = Ended(quit, kStartMs) && Ended(plant, kStartMs);
    if (!done) Fail("the plant did not end after -QUIT");
  }
  if (done) {
    done = WriteSnapshotPng(AppDataFolder() + "\\Brambeck\\" + kProduct + "\\Greenleaf.pim", options.png);
  }
  TerminateProcess(plant.hProcess, 1);
  TerminateProcess(desktop.hProcess, 1);
  return done;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!ParseOptions(argc, argv, &options)) {
    std::fprintf(stderr,
                 "usage: plant_run Verdelo.exe LIBRARY.dll ostrel_test_desktop.exe OUT.png [--days N] "
                 "[--seconds S] [--beside FILE]...\n");
    return 2;
  }
  return Run(options) ? 0 : 1;
}
