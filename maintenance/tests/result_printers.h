// Test support: gtest prints connection and HTTP results by their numbers and names.
#pragma once

#include <ostream>

#include "maintenance/http_result.h"
#include "maintenance/socket_result.h"

namespace maintenance {

inline void PrintTo(SocketResult result, std::ostream* os) {
  *os << static_cast<int>(result) << " (" << SocketResultText(result) << ")";
}

inline void PrintTo(HttpResult result, std::ostream* os) {
  *os << static_cast<int>(result) << " (" << HttpResultText(result) << ")";
}

}  // namespace maintenance
