// A real folder tree in the temporary folder for tests of code that walks folders: files with
// contents, hidden and read-only marks, removed again with everything in it.
#pragma once

#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

#include "framework/files/folder_reader.h"

/// Every file below `root` with its contents, by relative path with "/".
inline std::map<std::string, std::string> FileContents(const std::filesystem::path& root) {
  std::map<std::string, std::string> contents;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
    if (!entry.is_regular_file()) continue;
    std::ifstream in(entry.path(), std::ios::binary);
    contents[std::filesystem::relative(entry.path(), root).generic_string()] =
        std::string(std::istreambuf_iterator<char>(in), {});
  }
  return contents;
}

class TempTree {
 public:
  /// A new empty folder named after `name` and the test's process.
  explicit TempTree(const std::string& name) {
    root_ = std::filesystem::temp_directory_path() / (name + "-" + std::to_string(Pid()));
    std::filesystem::remove_all(root_);
    std::filesystem::create_directories(root_);
  }
  ~TempTree() {
    std::error_code ignored;
    for (auto& entry : std::filesystem::recursive_directory_iterator(root_, ignored)) {
      std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_write,
                                   std::filesystem::perm_options::add, ignored);
    }
    std::filesystem::remove_all(root_, ignored);
  }
  TempTree(const TempTree&) = delete;
  TempTree& operator=(const TempTree&) = delete;

  /// The root, as the code under test spells paths.
  std::string Root() const { return root_.string(); }
  /// `relative` ("a/b.zrd") below the root, with the platform's separator.
  std::string Path(const std::string& relative) const {
    std::string path = Root();
    path += kPathSeparator;
    for (char c : relative) path += c == '/' ? kPathSeparator : c;
    return path;
  }
  /// Writes a file, making its folders.
  void File(const std::string& relative, const std::string& contents = "x") const {
    std::filesystem::path path(Path(relative));
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << contents;
  }
  void Folder(const std::string& relative) const { std::filesystem::create_directories(Path(relative)); }
  void MakeReadOnly(const std::string& relative) const {
    std::filesystem::permissions(Path(relative),
                                 std::filesystem::perms::owner_write | std::filesystem::perms::group_write |
                                     std::filesystem::perms::others_write,
                                 std::filesystem::perm_options::remove);
  }
  /// Hidden: on Windows the attribute; elsewhere a hidden file is one whose name starts with ".".
  void MakeHidden([[maybe_unused]] const std::string& relative) const {
#ifdef _WIN32
    SetFileAttributesA(Path(relative).c_str(), FILE_ATTRIBUTE_HIDDEN);
#endif
  }
  std::string Read(const std::string& relative) const {
    std::ifstream in(Path(relative), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  bool Exists(const std::string& relative) const { return std::filesystem::exists(Path(relative)); }
  /// Every file below `relative` with its contents (FileContents).
  std::map<std::string, std::string> Contents(const std::string& relative) const {
    return FileContents(Path(relative));
  }

 private:
  static long Pid() {
#ifdef _WIN32
    return static_cast<long>(GetCurrentProcessId());
#else
    return static_cast<long>(getpid());
#endif
  }
  std::filesystem::path root_;
};
