// The socket calls on POSIX sockets: the twin of the Winsock calls, so that the connection and the
// HTTP client run natively against real servers in tests.
#include "maintenance/socket_calls.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace maintenance {
namespace {

int Descriptor(SocketHandle socket) { return static_cast<int>(socket); }

SocketResult Open(SocketHandle* socket) {
  *socket = kNoSocket;
  // OpenSSL writes to the socket with write(), which raises SIGPIPE once the peer has gone; that
  // must end a send, not the process. This twin serves tests and tools, which own their process.
  static const bool kPipeIgnored = (signal(SIGPIPE, SIG_IGN), true);
  (void)kPipeIgnored;
  const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, IPPROTO_TCP);
  if (fd < 0) return SocketResult::SocketFailed;
  *socket = fd;
  return SocketResult::Ok;
}

bool Resolve(const char* host, uint32_t* address) {
  addrinfo hints{};
  hints.ai_family = AF_INET;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  if (getaddrinfo(host, nullptr, &hints, &found) != 0 || found == nullptr) return false;
  sockaddr_in first;
  std::memcpy(&first, found->ai_addr, sizeof first);
  freeaddrinfo(found);
  *address = first.sin_addr.s_addr;
  return true;
}

bool StartConnect(SocketHandle socket, uint32_t address, uint16_t port) {
  sockaddr_in to{};
  to.sin_family = AF_INET;
  to.sin_port = htons(port);
  to.sin_addr.s_addr = address;
  if (::connect(Descriptor(socket), reinterpret_cast<const sockaddr*>(&to), sizeof to) == 0) return true;
  return errno == EINPROGRESS || errno == EINTR;
}

Readiness Poll(SocketHandle socket, short events, int waitMs) {
  pollfd entry{Descriptor(socket), events, 0};
  const int n = poll(&entry, 1, waitMs);
  if (n < 0) return errno == EINTR ? Readiness::NotYet : Readiness::Failed;
  if (n == 0) return Readiness::NotYet;
  // An error or hang-up counts as ready: the next send or receive reports it.
  return (entry.revents & POLLNVAL) != 0 ? Readiness::Failed : Readiness::Ready;
}

Readiness WaitConnected(SocketHandle socket, int roundMs) {
  // Linux reports a failed connect as writable; only the socket's pending error tells it from
  // success. Winsock reports it in the exception set instead.
  const Readiness ready = Poll(socket, POLLOUT, roundMs);
  if (ready != Readiness::Ready) return ready;
  int error = 0;
  socklen_t size = sizeof error;
  if (getsockopt(Descriptor(socket), SOL_SOCKET, SO_ERROR, &error, &size) != 0 || error != 0) {
    return Readiness::Failed;
  }
  return Readiness::Ready;
}

Readiness WaitReadable(SocketHandle socket, int waitMs) { return Poll(socket, POLLIN, waitMs); }

Readiness WaitWritable(SocketHandle socket, int waitMs) { return Poll(socket, POLLOUT, waitMs); }

bool WouldBlock() { return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR; }

int Send(SocketHandle socket, const uint8_t* bytes, int size) {
  const ssize_t sent = ::send(Descriptor(socket), bytes, static_cast<size_t>(size), MSG_NOSIGNAL);
  if (sent >= 0) return static_cast<int>(sent);
  return WouldBlock() ? 0 : -1;
}

int Receive(SocketHandle socket, uint8_t* buffer, int size) {
  const ssize_t got = ::recv(Descriptor(socket), buffer, static_cast<size_t>(size), 0);
  if (got > 0) return static_cast<int>(got);
  if (got == 0) return -1;
  return WouldBlock() ? 0 : -1;
}

bool Close(SocketHandle socket) {
  ::shutdown(Descriptor(socket), SHUT_RDWR);
  // Never retried: on Linux the descriptor is gone even when close reports an error.
  return ::close(Descriptor(socket)) == 0;
}

const SocketCalls kSystemCalls = {Open,         Resolve, StartConnect, WaitConnected, WaitReadable,
                                  WaitWritable, Send,    Receive,      Close};

}  // namespace

const SocketCalls& SystemSocketCalls() { return kSystemCalls; }

}  // namespace maintenance
