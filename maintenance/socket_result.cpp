// Texts of the socket connection's results.
#include "maintenance/socket_result.h"

namespace maintenance {

const char* SocketResultText(SocketResult result) {
  switch (result) {
    case SocketResult::Ok:
      return "ok";
    case SocketResult::SocketFailed:
      return "socket failed";
    case SocketResult::AlreadyConnected:
      return "already connected";
    case SocketResult::NotConnected:
      return "not connected";
    case SocketResult::UnknownHost:
      return "unknown host";
    case SocketResult::ConnectFailed:
      return "connect failed";
    case SocketResult::TimedOut:
      return "timed out";
    case SocketResult::SendIncomplete:
      return "send incomplete";
    case SocketResult::Cancelled:
      return "cancelled";
    case SocketResult::StartupFailed:
      return "socket library not started";
    case SocketResult::Closed:
      return "closed";
    case SocketResult::TlsFailed:
      return "TLS failed";
  }
  return "unknown socket result";
}

}  // namespace maintenance
