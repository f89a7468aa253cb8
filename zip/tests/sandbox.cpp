// Test sandbox folders.
#include "zip/tests/sandbox.h"

#include <atomic>
#include <chrono>
#include <filesystem>
#include <system_error>

namespace zip::test {
namespace fs = std::filesystem;

Sandbox::Sandbox() {
  static std::atomic<int> counter{0};
  auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
  fs::path root = fs::temp_directory_path() /
                  ("zipsandbox-" + std::to_string(stamp) + "-" + std::to_string(counter++));
  fs::create_directories(root / "base");
  root_ = root.string();
}

Sandbox::~Sandbox() {
  std::error_code ignored;
  // Read-only files must become writable before Windows lets them go.
  for (auto it = fs::recursive_directory_iterator(root_, ignored); it != fs::recursive_directory_iterator();
       it.increment(ignored)) {
    fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ignored);
  }
  fs::remove_all(root_, ignored);
}

std::string Sandbox::Path(const std::string& name) const { return (fs::path(root_) / name).string(); }

std::string Sandbox::Base() const { return (fs::path(root_) / "base").string() + "/"; }

bool Sandbox::ExistsInBase(const std::string& relative) const {
  std::string path = Base() + relative;
#ifndef _WIN32
  for (char& c : path) {
    if (c == '\\') c = '/';
  }
#endif
  std::error_code ignored;
  return fs::exists(fs::path(path), ignored);
}

std::vector<std::string> Sandbox::EntriesOutsideBase() const {
  std::vector<std::string> outside;
  for (const auto& entry : fs::directory_iterator(root_)) {
    if (entry.path().filename() != "base") outside.push_back(entry.path().string());
  }
  return outside;
}

std::vector<std::string> Sandbox::TemporaryFilesInBase() const {
  std::vector<std::string> found;
  for (const auto& entry : fs::recursive_directory_iterator(fs::path(root_) / "base")) {
    std::string name = entry.path().filename().string();
    if (name.size() >= 4 && name.compare(name.size() - 4, 4, "_tmp") == 0) found.push_back(entry.path().string());
  }
  return found;
}

}  // namespace zip::test
