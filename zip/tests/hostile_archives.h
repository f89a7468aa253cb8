// Test support: a corpus of hostile archives, each with the results the reader must give. Used by
// the corpus test (natively and under Wine) and written out as seeds for the fuzz target.
#pragma once

#include <string>
#include <vector>

#include "zip/zip_result.h"

namespace zip::test {

/// One hostile archive. Results are for entry 0, after a successful open.
struct HostileCase {
  std::string label;
  std::string bytes;
  ZipResult open = ZipResult::Ok;
  ZipResult get = ZipResult::Ok;
  ZipResult memory = ZipResult::Ok;  ///< extracting entry 0 to memory, to the end
  ZipResult file = ZipResult::Ok;    ///< extracting entry 0 to its sanitised name below the base
  std::string sanitisedName;         ///< with get Ok: the name the reader must give
};

/// Every hostile case. outsidePath is an absolute path the archive names try to reach (it must not
/// exist after extraction); it lies outside the base folder the test extracts into.
std::vector<HostileCase> HostileArchives(const std::string& outsidePath);

/// One deflated entry named by count central records (the overlapping zip bomb's shape).
std::string OverlappingRecords(int count);

/// A valid archive of three entries (stored, deflated, empty) that the truncation and bit-flip
/// tests cut and damage.
std::string ThreeEntryArchive();

}  // namespace zip::test
