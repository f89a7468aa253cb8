// Plants for the engine's tests: the default species as bytes, and a scratch folder.
#pragma once

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "plant/plant_record.h"
#include "tools/species/default_species.h"
#include "tools/species/species_builder.h"

namespace plant_test {

/// The default species as a plant file; fails the calling test when it cannot be built.
inline std::vector<uint8_t> DefaultPlantBytes() {
  static const std::vector<uint8_t> bytes = [] {
    std::vector<uint8_t> file;
    std::string why;
    if (!species::BuildPlantFile(species::DefaultSpecies(), &file, &why)) {
      file.clear();
    }
    return file;
  }();
  return bytes;
}

template <typename T>
T Get(const std::vector<uint8_t>& bytes, size_t offset) {
  T value;
  std::memcpy(&value, bytes.data() + offset, sizeof value);
  return value;
}

template <typename T>
void Set(std::vector<uint8_t>& bytes, size_t offset, const T& value) {
  std::memcpy(bytes.data() + offset, &value, sizeof value);
}

inline size_t RecordSizeOf(const std::vector<uint8_t>& bytes) {
  return static_cast<uint32_t>(Get<int32_t>(bytes, offsetof(plant::PlantRecord, recordSize)));
}

inline size_t NodeSizeOf(const std::vector<uint8_t>& bytes) {
  return static_cast<uint32_t>(Get<int32_t>(bytes, offsetof(plant::PlantRecord, nodeSize)));
}

/// File offset of node index's field at fieldOffset.
inline size_t NodeField(const std::vector<uint8_t>& bytes, int index, size_t fieldOffset) {
  return RecordSizeOf(bytes) + static_cast<size_t>(index) * NodeSizeOf(bytes) + fieldOffset;
}

/// A fresh, empty folder named after the test, removed again by the destructor.
class ScratchFolder {
 public:
  explicit ScratchFolder(const std::string& name)
      : path_(std::filesystem::temp_directory_path() / ("verdelo_" + name)) {
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  std::string File(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

inline void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

inline std::vector<uint8_t> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace plant_test
