// Test support: file operations on files kept in memory, so that tests and fuzz targets can save
// and load plants through the real save and load paths as often as they like, without waiting for
// the disk.
#pragma once

#include <algorithm>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "plant/file_ops.h"

namespace plant::test {

class MemoryFileOps final : public FileOps {
 public:
  bool Exists(const std::string& path) override { return files_.count(path) != 0; }
  FileHandle OpenForRead(const std::string& path) override { return Exists(path) ? Open(path) : kNoFile; }
  FileHandle Create(const std::string& path) override {
    files_[path].clear();
    return Open(path);
  }
  bool Read(FileHandle file, void* buffer, size_t size, size_t* done) override {
    OpenFile& open = open_.at(file);
    const std::vector<uint8_t>& bytes = files_.at(open.path);
    *done = std::min(size, bytes.size() - open.position);
    if (*done != 0) {
      std::memcpy(buffer, bytes.data() + open.position, *done);
    }
    open.position += *done;
    return true;
  }
  bool Write(FileHandle file, const void* buffer, size_t size, size_t* done) override {
    std::vector<uint8_t>& bytes = files_.at(open_.at(file).path);
    const auto* first = static_cast<const uint8_t*>(buffer);
    bytes.insert(bytes.end(), first, first + size);
    *done = size;
    return true;
  }
  bool SizeOf(FileHandle file, uint64_t* size) override {
    *size = files_.at(open_.at(file).path).size();
    return true;
  }
  bool Flush(FileHandle) override { return true; }
  bool Close(FileHandle file) override { return open_.erase(file) != 0; }
  bool MakeWritable(const std::string&) override { return true; }
  bool Replace(const std::string& from, const std::string& to) override {
    const auto found = files_.find(from);
    if (found == files_.end()) {
      return false;
    }
    std::vector<uint8_t> bytes = std::move(found->second);
    files_.erase(found);
    files_[to] = std::move(bytes);
    return true;
  }
  bool Remove(const std::string& path) override { return files_.erase(path) != 0; }
  void Sleep(uint32_t) override {}

 private:
  struct OpenFile {
    std::string path;
    size_t position;
  };

  FileHandle Open(const std::string& path) {
    open_[next_] = OpenFile{path, 0};
    return next_++;
  }

  std::map<std::string, std::vector<uint8_t>> files_;
  std::map<FileHandle, OpenFile> open_;
  FileHandle next_ = 1;
};

}  // namespace plant::test
