// Test support: gtest prints zip results by their names.
#pragma once

#include <ostream>

#include "zip/zip_result.h"

namespace zip {

inline void PrintTo(ZipResult result, std::ostream* os) { *os << ZipResultText(result); }

}  // namespace zip
