// Result codes of a socket connection (CSocketConn). The numbers are the connection's own codes and
// are kept as they are, so logs and callers that compare them stay meaningful.
#pragma once

namespace maintenance {

enum class [[nodiscard]] SocketResult : int{
    Ok = 0,
    SocketFailed = 1,      ///< no socket could be made, or a wait for writability failed
    AlreadyConnected = 2,  ///< Connect on a connection that is open
    NotConnected = 3,      ///< the connection is not open
    UnknownHost = 4,       ///< the host name has no IPv4 address
    ConnectFailed = 5,     ///< the connect failed at once, was refused, or its wait failed
    TimedOut = 6,  ///< the connect rounds ran out or were cancelled; or a send or receive idled too long
    SendIncomplete = 7,  ///< the peer did not take every byte
    Cancelled = 8,       ///< the cancel flag was raised during a send, a receive or the TLS handshake
    StartupFailed = 11,  ///< the socket library could not be started
    Closed = 12,         ///< the connection closed or failed before any awaited byte arrived
    TlsFailed = 13,      ///< TLS could not be set up: no TLS library, or context, session or handshake failed
};

/// A fixed English text naming the result, for logs and test output; never null.
const char* SocketResultText(SocketResult result);

}  // namespace maintenance
