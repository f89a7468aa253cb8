// Kills a restore at random instants, round after round, and checks that the next start then
// leaves the whole new configuration: every file of the archive with its bytes, the kept files,
// no staging folder and no archive, and nothing else but seed files set aside under names of
// their own. Every start seeds a data folder without settings from an "Init" folder, as the
// first-run copy does, both before its restore (as a second plant starting at the same time
// could) and after it. Prints where the kills landed. Native only (fork and SIGKILL); bounded by
// its round count.
//
//   restore_kill_check [rounds] [seed]
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "framework/app/pending_archive.h"
#include "framework/files/tests/temp_tree.h"
#include "zip/zip_file.h"
#include "zip/zip_writer.h"

namespace {

namespace fs = std::filesystem;
using Contents = std::map<std::string, std::string>;

constexpr char kProduct[] = "KillCheck";
constexpr int kFiles = 40;
constexpr char kSettings[] = "(ZRF)App.zrd";

void WriteFile(const fs::path& path, const std::string& bytes) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

// Half of the new files replace old ones, half are new; a few old files are kept by the list.
struct Configurations {
  Contents old;
  Contents kept;
  Contents fresh;
  Contents init;  ///< the install folder's seed files
};

Configurations MakeConfigurations() {
  Configurations c;
  for (int i = 0; i < kFiles; ++i) {
    const std::string size(static_cast<size_t>(500 + i * 37), static_cast<char>('a' + i % 26));
    c.old["sub" + std::to_string(i % 4) + "/f" + std::to_string(i) + ".zrd"] = "old" + size;
    c.fresh["sub" + std::to_string(i % 5) + "/f" + std::to_string(i + kFiles / 2) + ".zrd"] = "new" + size;
  }
  for (int i = 0; i < 3; ++i) c.kept["k" + std::to_string(i) + ".keep"] = "kept " + std::to_string(i);
  // The settings and the plant are in all three: the seedling stands where both plants belong.
  c.old[kSettings] = "old settings";
  c.old["Greenleaf.plt"] = "the grown plant";
  c.fresh[kSettings] = "restored settings";
  c.fresh["Greenleaf.plt"] = "the restored plant";
  c.init[kSettings] = "seed settings";
  c.init["Greenleaf.plt"] = "the seedling";
  return c;
}

bool WriteArchive(const fs::path& path, const Contents& files) {
  zip::ZipHandle* writer = zip::ZipWriterOpen(path.string().c_str(), nullptr);
  if (writer == nullptr) return false;
  const std::string product = std::string("*.keep") + '\0' + "1.0.0";
  bool ok = zip::ZipWriterAddMemory(writer, kProduct, product.data(), uint32_t(product.size())) ==
            zip::ZipResult::Ok;
  for (const auto& [name, bytes] : files)
    ok = ok && zip::ZipWriterAddMemory(writer, name.c_str(), bytes.data(), uint32_t(bytes.size())) ==
                   zip::ZipResult::Ok;
  return zip::ZipWriterClose(writer) == zip::ZipResult::Ok && ok;
}

void Recycle(void* context, const char* path) {
  const fs::path& bin = *static_cast<const fs::path*>(context);
  fs::create_directories(bin);
  std::error_code ignored;
  fs::rename(path, bin / std::to_string(std::rand()), ignored);
}

struct Round {
  fs::path data;
  fs::path archive;
  fs::path bin;
  const Contents* init;
};

// The first-run copy: into a folder without settings, every seed file that is not there yet.
void SeedIfNew(const Round& round) {
  if (fs::exists(round.data / kSettings)) return;
  for (const auto& [name, bytes] : *round.init) {
    if (!fs::exists(round.data / name)) WriteFile(round.data / name, bytes);
  }
}

PendingArchiveOutcome Start(Round& round) {
  SeedIfNew(round);
  const PendingArchiveOutcome outcome =
      RestoreAtStart(round.archive.string().c_str(), round.data.string().c_str(), kProduct, "", Recycle,
                     &round.bin)
          .outcome;
  SeedIfNew(round);
  return outcome;
}

// "Greenleaf (2).plt" is a set-aside "Greenleaf.plt": true when `name` is one of a seed file, with
// the seed's bytes or the start of them (a copy the kill cut short).
bool IsSetAsideSeed(const std::string& name, const std::string& bytes, const Contents& init) {
  for (const auto& [seed, seedBytes] : init) {
    const size_t dot = seed.rfind('.');
    const std::string stem = seed.substr(0, dot) + " (";
    if (name.compare(0, stem.size(), stem) == 0 && name.size() > seed.size() &&
        name.compare(name.size() - (seed.size() - dot), std::string::npos, seed, dot) == 0 &&
        seedBytes.compare(0, bytes.size(), bytes) == 0)
      return true;
  }
  return false;
}

// The whole new configuration, apart from seed files set aside (counted in `setAside`).
bool IsWholeNew(const Contents& found, const Contents& expected, const Contents& init, int* setAside) {
  Contents rest;
  for (const auto& [name, bytes] : found) {
    if (expected.count(name) == 0 && IsSetAsideSeed(name, bytes, init)) {
      ++*setAside;
    } else {
      rest[name] = bytes;
    }
  }
  return rest == expected;
}

// Where a kill left the restore: the staging folder's state, or none.
std::string StateAfterKill(const Round& round) {
  const fs::path staging = round.data / kRestoreFolderName;
  if (!fs::exists(staging)) return fs::exists(round.archive) ? "before staging" : "after the swap";
  for (const char* state : {"aside", "place", "back"}) {
    if (fs::exists(staging / state)) return state;
  }
  return "staging";
}

// Runs a start in a child and kills it after `delay`; true when the kill came before its end.
bool KilledStart(Round& round, std::chrono::microseconds delay) {
  const pid_t child = fork();
  if (child == 0) {
    (void)Start(round);
    _exit(0);
  }
  std::this_thread::sleep_for(delay);
  const bool killed = kill(child, SIGKILL) == 0;
  int status = 0;
  waitpid(child, &status, 0);
  return killed && WIFSIGNALED(status);
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::atoi(argv[1]) : 150;
  const unsigned seed = argc > 2 ? static_cast<unsigned>(std::atoi(argv[2])) : std::random_device{}();
  std::srand(seed);
  std::mt19937 random(seed);
  const fs::path root = fs::temp_directory_path() / ("restore-kill-" + std::to_string(getpid()));
  const fs::path master = root / "master.zip";
  const Configurations configurations = MakeConfigurations();
  fs::create_directories(root);
  if (!WriteArchive(master, configurations.fresh)) {
    std::fprintf(stderr, "restore_kill_check: cannot write the archive\n");
    return 2;
  }
  Contents expected = configurations.fresh;
  expected.insert(configurations.kept.begin(), configurations.kept.end());

  // A kill keeps what the system has been given; what a power cut loses is not this check's matter,
  // and flushing every staged file would leave most kills in the staging.
  zip::FileCalls calls = zip::SystemFileCalls();
  calls.flush = [](zip::OsHandle) { return true; };
  zip::SetFileCallsForTesting(&calls);

  Round round{root / "data", root / "data" / (std::string(kProduct) + ".BrambeckConfig"), root / "bin",
              &configurations.init};
  auto reset = [&] {
    fs::remove_all(round.data);
    fs::remove_all(round.bin);
    for (const auto& [name, bytes] : configurations.old) WriteFile(round.data / name, bytes);
    for (const auto& [name, bytes] : configurations.kept) WriteFile(round.data / name, bytes);
    fs::copy_file(master, round.archive);
  };
  // How long a whole start takes here sets the range of the kill instants: the quickest of three,
  // so that a start slowed by other work on the machine does not leave most rounds unkilled.
  auto span = std::chrono::microseconds::max();
  for (int i = 0; i < 3; ++i) {
    reset();
    const auto begin = std::chrono::steady_clock::now();
    if (Start(round) != PendingArchiveOutcome::Applied || FileContents(round.data) != expected) {
      std::fprintf(stderr, "restore_kill_check: a restore without kills failed\n");
      return 1;
    }
    span = std::min(span, std::chrono::duration_cast<std::chrono::microseconds>(
                              std::chrono::steady_clock::now() - begin));
  }
  std::uniform_int_distribution<long> instant(0, static_cast<long>(span.count()) * 5 / 4 + 1);

  std::map<std::string, int> landed;
  int failures = 0;
  int setAside = 0;
  for (int i = 0; i < rounds; ++i) {
    reset();
    const bool killed = KilledStart(round, std::chrono::microseconds(instant(random)));
    ++landed[killed ? StateAfterKill(round) : "not killed"];
    const PendingArchiveOutcome next = Start(round);
    const bool whole = IsWholeNew(FileContents(round.data), expected, configurations.init, &setAside) &&
                       !fs::exists(round.archive);
    if (!whole || (next != PendingArchiveOutcome::Applied && next != PendingArchiveOutcome::Nothing)) {
      std::fprintf(stderr, "round %d (seed %u): the next start did not leave the whole new configuration\n",
                   i, seed);
      ++failures;
    }
  }
  fs::remove_all(root);
  std::printf("restore_kill_check: %d rounds of %d old and %zu new files, seed %u, a start takes %ld us\n",
              rounds, kFiles, configurations.fresh.size(), seed, static_cast<long>(span.count()));
  for (const auto& [where, count] : landed) std::printf("  %-16s %d\n", where.c_str(), count);
  std::printf("%d seed files set aside\n%d failures\n", setAside, failures);
  return failures == 0 ? 0 : 1;
}
