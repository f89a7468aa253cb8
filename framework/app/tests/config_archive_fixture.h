// Test support: configuration archives written by the project's zip writer, with the product
// entry as the configuration backup writes it.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "zip/zip_writer.h"

/// The product entry: the keep list, a NUL, the version.
inline std::string ProductEntry(const std::string& keepList) {
  return keepList + std::string(1, '\0') + "1.0.3";
}

/// Writes `entries` (name, bytes) in order to the archive `path`, replacing it.
inline void WriteArchive(const std::string& path,
                         const std::vector<std::pair<std::string, std::string>>& entries) {
  zip::ZipHandle* writer = zip::ZipWriterOpen(path.c_str(), nullptr);
  ASSERT_NE(writer, nullptr);
  for (const auto& [name, bytes] : entries) {
    ASSERT_EQ(zip::ZipWriterAddMemory(writer, name.c_str(), bytes.data(), uint32_t(bytes.size())),
              zip::ZipResult::Ok);
  }
  ASSERT_EQ(zip::ZipWriterClose(writer), zip::ZipResult::Ok);
}
