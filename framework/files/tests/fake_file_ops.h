// An in-memory file system behind the FileOps seam: files and folders by exact path, calls
// logged, and writes, moves and folder creation failing on demand.
#pragma once

#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "framework/files/file_ops.h"

class FakeFileOps final : public FileOps {
 public:
  std::map<std::string, std::string> files;
  std::set<std::string> folders;
  std::set<std::string> lockedFiles;      ///< cannot be created (held open without sharing)
  std::set<std::string> foldersThatFail;  ///< MakeFolder does nothing for these
  std::vector<std::string> calls;         ///< "op path" per call that changes or reads a file
  int writeLimit = -1;                    ///< bytes a write gets through; -1 all
  bool replaceFails = false;
  int pauses = 0;

  static std::string Parent(const std::string& path) {
    size_t at = path.rfind('\\');
    return at == std::string::npos ? std::string() : path.substr(0, at);
  }

  bool ReadStart(const char* path, void* buffer, uint32_t size, uint32_t* bytesRead) override {
    calls.push_back(std::string("read ") + path);
    auto found = files.find(path);
    if (found == files.end()) return false;
    *bytesRead = found->second.size() < size ? uint32_t(found->second.size()) : size;
    std::memcpy(buffer, found->second.data(), *bytesRead);
    return true;
  }
  bool FileSize(const char* path, uint32_t* size) override {
    calls.push_back(std::string("size ") + path);
    auto found = files.find(path);
    if (found != files.end()) *size = uint32_t(found->second.size());
    return found != files.end();
  }
  NewFileResult WriteNewFile(const char* path, const void* data, uint32_t size) override {
    calls.push_back(std::string("write ") + path);
    if (lockedFiles.count(path) != 0 || folders.count(Parent(path)) == 0) return NewFileResult::NotCreated;
    uint32_t count = writeLimit >= 0 && uint32_t(writeLimit) < size ? uint32_t(writeLimit) : size;
    files[path].assign(static_cast<const char*>(data), count);
    return count == size ? NewFileResult::Ok : NewFileResult::Incomplete;
  }
  bool MoveOver(const char* from, const char* to) override {
    calls.push_back(std::string("replace ") + from + " " + to);
    if (replaceFails || files.count(from) == 0) return false;
    files[to] = files[from];
    files.erase(from);
    return true;
  }
  bool RemoveFile(const char* path) override { return files.erase(path) != 0; }
  bool FolderExists(const char* path) override { return folders.count(path) != 0; }
  bool MakeFolder(const char* path) override {
    calls.push_back(std::string("mkdir ") + path);
    if (foldersThatFail.count(path) != 0 || folders.count(Parent(path)) == 0) return false;
    folders.insert(path);
    return true;
  }
  void Pause(uint32_t) override { ++pauses; }
};
