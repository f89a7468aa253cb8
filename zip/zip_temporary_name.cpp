// Temporary names.
#include "zip/zip_temporary_name.h"

namespace zip {

std::string TemporaryName(const std::string& path, int attempt) {
  if (attempt == 0) return path + "_tmp";
  return path + "_" + std::to_string(attempt) + "_tmp";
}

}  // namespace zip
