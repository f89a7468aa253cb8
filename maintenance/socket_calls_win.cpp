// The socket calls on Winsock 1.1 (wsock32), started on first use. Every wait is a select() with a
// time-out; the sockets are non-blocking from the moment they are made.
#include <winsock2.h>

#include <cstring>

#include "maintenance/socket_calls.h"

namespace maintenance {
namespace {

SOCKET Native(SocketHandle socket) { return static_cast<SOCKET>(socket); }

SOCKET MakeSocket() { return ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP); }

SocketResult Open(SocketHandle* socket) {
  *socket = kNoSocket;
  SOCKET made = MakeSocket();
  if (made == INVALID_SOCKET && WSAGetLastError() == WSANOTINITIALISED) {
    WSADATA data;
    if (WSAStartup(MAKEWORD(1, 1), &data) != 0) return SocketResult::StartupFailed;
    made = MakeSocket();
  }
  if (made == INVALID_SOCKET) return SocketResult::SocketFailed;
  u_long nonBlocking = 1;
  if (ioctlsocket(made, FIONBIO, &nonBlocking) != 0) {
    closesocket(made);
    return SocketResult::SocketFailed;
  }
  *socket = static_cast<SocketHandle>(made);
  return SocketResult::Ok;
}

bool Resolve(const char* host, uint32_t* address) {
  // gethostbyname keeps its answer per thread, so the connection's own thread may use it freely.
  const hostent* found = gethostbyname(host);
  if (found == nullptr || found->h_addrtype != AF_INET || found->h_length != 4 ||
      found->h_addr_list[0] == nullptr) {
    return false;
  }
  std::memcpy(address, found->h_addr_list[0], 4);
  return true;
}

bool StartConnect(SocketHandle socket, uint32_t address, uint16_t port) {
  sockaddr_in to{};
  to.sin_family = AF_INET;
  to.sin_port = htons(port);
  to.sin_addr.s_addr = address;
  if (::connect(Native(socket), reinterpret_cast<const sockaddr*>(&to), sizeof to) == 0) return true;
  return WSAGetLastError() == WSAEWOULDBLOCK;
}

enum class SetKind { Read, Write, Except };

Readiness Select(SocketHandle socket, SetKind kind, int waitMs) {
  fd_set set;
  FD_ZERO(&set);
  FD_SET(Native(socket), &set);
  timeval wait{waitMs / 1000, (waitMs % 1000) * 1000};
  const int n = select(0, kind == SetKind::Read ? &set : nullptr, kind == SetKind::Write ? &set : nullptr,
                       kind == SetKind::Except ? &set : nullptr, &wait);
  if (n == SOCKET_ERROR) return Readiness::Failed;
  return n > 0 ? Readiness::Ready : Readiness::NotYet;
}

Readiness WaitConnected(SocketHandle socket, int roundMs) {
  // Half the round waiting to become writable (connected), half on the exception set, where
  // Winsock reports a refused connect.
  const int halfMs = roundMs / 2;
  const Readiness writable = Select(socket, SetKind::Write, halfMs);
  if (writable != Readiness::NotYet) return writable;
  const Readiness failed = Select(socket, SetKind::Except, halfMs);
  return failed == Readiness::NotYet ? Readiness::NotYet : Readiness::Failed;
}

Readiness WaitReadable(SocketHandle socket, int waitMs) { return Select(socket, SetKind::Read, waitMs); }

Readiness WaitWritable(SocketHandle socket, int waitMs) { return Select(socket, SetKind::Write, waitMs); }

int Send(SocketHandle socket, const uint8_t* bytes, int size) {
  const int sent = ::send(Native(socket), reinterpret_cast<const char*>(bytes), size, 0);
  if (sent != SOCKET_ERROR) return sent;
  return WSAGetLastError() == WSAEWOULDBLOCK ? 0 : -1;
}

int Receive(SocketHandle socket, uint8_t* buffer, int size) {
  const int got = ::recv(Native(socket), reinterpret_cast<char*>(buffer), size, 0);
  if (got > 0) return got;
  if (got == 0) return -1;
  return WSAGetLastError() == WSAEWOULDBLOCK ? 0 : -1;
}

bool Close(SocketHandle socket) {
  ::shutdown(Native(socket), SD_BOTH);
  // A non-blocking socket that still holds unsent data may refuse to close for a moment; that is
  // the one failure worth waiting for (up to 200 more tries, 10 s in all).
  for (int retry = 0;; ++retry) {
    if (closesocket(Native(socket)) == 0) return true;
    if (WSAGetLastError() != WSAEWOULDBLOCK || retry == 200) return false;
    Sleep(50);
  }
}

const SocketCalls kSystemCalls = {Open,         Resolve, StartConnect, WaitConnected, WaitReadable,
                                  WaitWritable, Send,    Receive,      Close};

}  // namespace

const SocketCalls& SystemSocketCalls() { return kSystemCalls; }

}  // namespace maintenance
