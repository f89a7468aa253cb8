// The plain TCP side of CSocketConn: connecting in bounded rounds, sending and receiving in pieces
// through the pending buffer, and reading up to a terminator.
#include "maintenance/socket_conn.h"

#include <algorithm>
#include <cstring>

namespace maintenance {
namespace {

// One round of the connect wait; the cancel flag is polled between rounds.
constexpr int kConnectRoundMs = 100;
// Longest single wait of a plain send or receive, so the cancel flag is polled at least this often.
constexpr int kDataWaitMs = 10;
// Connect times beyond an hour are taken as an hour, so the round count cannot overflow.
constexpr int kMaxConnectSeconds = 3600;

}  // namespace

bool CSocketConn::HasRunOut(Clock::time_point lastProgress) const {
  const Clock::time_point now = Clock::now();
  return now - lastProgress > std::chrono::milliseconds(idleTimeoutMs_) || now >= deadline_;
}

SocketResult CSocketConn::CloseWith(SocketResult result) {
  (void)ActiveSocketCalls().close(socket_);
  socket_ = kNoSocket;
  pendingCount_ = 0;
  return result;
}

SocketResult CSocketConn::Connect(const char* host, uint16_t port, int tlsMode, int seconds) {
  if (IsConnected()) return SocketResult::AlreadyConnected;
  const SocketCalls& calls = ActiveSocketCalls();
  const SocketResult opened = calls.open(&socket_);
  if (opened != SocketResult::Ok) {
    socket_ = kNoSocket;
    return opened;
  }
  uint32_t address = 0;
  if (host == nullptr || !calls.resolve(host, &address)) return CloseWith(SocketResult::UnknownHost);
  if (!calls.startConnect(socket_, address, port)) return CloseWith(SocketResult::ConnectFailed);
  const SocketResult connected = WaitForConnect(seconds);
  if (connected != SocketResult::Ok) return CloseWith(connected);
  pendingCount_ = 0;
  if (tlsMode > kTlsNone) {
    const SocketResult secured = StartTls(tlsMode, host);
    if (secured != SocketResult::Ok) return CloseWith(secured);
  }
  return SocketResult::Ok;
}

SocketResult CSocketConn::WaitForConnect(int seconds) {
  const int rounds = std::clamp(seconds, 0, kMaxConnectSeconds) * (1000 / kConnectRoundMs);
  for (int round = 0; round < rounds; ++round) {
    if (IsCancelled() || IsPastDeadline()) return SocketResult::TimedOut;
    switch (ActiveSocketCalls().waitConnected(socket_, kConnectRoundMs)) {
      case Readiness::Ready:
        return SocketResult::Ok;
      // Refused or reset: waiting out the remaining rounds could not change that.
      case Readiness::Failed:
        return SocketResult::ConnectFailed;
      case Readiness::NotYet:
        break;
    }
  }
  return SocketResult::TimedOut;
}

SocketResult CSocketConn::Disconnect() {
  if (!IsConnected()) return SocketResult::NotConnected;
  EndTls();
  const bool closed = ActiveSocketCalls().close(socket_);
  socket_ = kNoSocket;
  pendingCount_ = 0;
  return closed ? SocketResult::Ok : SocketResult::SocketFailed;
}

SocketResult CSocketConn::Send(const void* data, size_t length) {
  if (!IsConnected()) return SocketResult::NotConnected;
  const uint8_t* bytes = static_cast<const uint8_t*>(data);
  if (length == 0 && data != nullptr) length = std::strlen(static_cast<const char*>(data));
  Clock::time_point lastProgress = Clock::now();
  size_t offset = 0;
  // A piece the socket took only in part is sent on from where it stopped.
  while (offset < length) {
    if (IsCancelled()) return SocketResult::Cancelled;
    if (HasRunOut(lastProgress)) return SocketResult::TimedOut;
    const int size = static_cast<int>(std::min<size_t>(length - offset, kPieceSize));
    int sent = 0;
    const SocketResult result = SendPiece(bytes + offset, size, &sent);
    if (result != SocketResult::Ok) return result;
    if (sent > 0) {
      offset += static_cast<size_t>(sent);
      lastProgress = Clock::now();
    }
  }
  return SocketResult::Ok;
}

SocketResult CSocketConn::SendPiece(const uint8_t* bytes, int size, int* sent) {
  *sent = 0;
  if (tlsSession_ != nullptr) return WriteTls(bytes, size, sent);
  const SocketCalls& calls = ActiveSocketCalls();
  const Readiness writable = calls.waitWritable(socket_, kDataWaitMs);
  if (writable == Readiness::Failed) return SocketResult::SocketFailed;
  if (writable == Readiness::NotYet) return SocketResult::Ok;
  const int taken = calls.send(socket_, bytes, size);
  if (taken < 0) return SocketResult::SendIncomplete;
  *sent = taken;
  return SocketResult::Ok;
}

int CSocketConn::HandOut(uint8_t* buffer, int maximum) {
  const int count = std::clamp(maximum, 0, pendingCount_);
  std::memcpy(buffer, pending_, static_cast<size_t>(count));
  pendingCount_ -= count;
  std::memmove(pending_, pending_ + count, static_cast<size_t>(pendingCount_));
  return count;
}

// Requires: count + pendingCount_ <= kPieceSize. The bytes always come from the piece that the
// last Receive handed out of the pending buffer, which held them and the rest still pending.
void CSocketConn::PushBack(const uint8_t* bytes, int count) {
  std::memmove(pending_ + count, pending_, static_cast<size_t>(pendingCount_));
  std::memcpy(pending_, bytes, static_cast<size_t>(count));
  pendingCount_ += count;
}

Readiness CSocketConn::WaitReadable(int waitMs) {
  if (!IsConnected()) return Readiness::Failed;
  return ActiveSocketCalls().waitReadable(socket_, waitMs);
}

int CSocketConn::Receive(uint8_t* buffer, int maximum) {
  if (pendingCount_ > 0) return HandOut(buffer, maximum);
  if (!IsConnected()) return -1;
  if (tlsSession_ != nullptr) return ReceiveTls(buffer, maximum);
  const SocketCalls& calls = ActiveSocketCalls();
  const Readiness readable = calls.waitReadable(socket_, kDataWaitMs);
  if (readable == Readiness::Failed) return -1;
  if (readable == Readiness::NotYet) return 0;
  const int got = calls.receive(socket_, pending_, kPieceSize);
  if (got <= 0) return got;
  pendingCount_ = got;
  return HandOut(buffer, maximum);
}

SocketResult CSocketConn::ReceiveUntil(CZrfArray<uint8_t>* buffer, const char* terminator, int32_t maximum) {
  if (!IsConnected()) return SocketResult::NotConnected;
  buffer->count = 0;
  const int32_t terminatorLength = terminator != nullptr ? static_cast<int32_t>(std::strlen(terminator)) : 0;
  int32_t scanned = 0;  // the terminator does not end before this position
  Clock::time_point lastData = Clock::now();
  uint8_t piece[kPieceSize];
  for (;;) {
    if (maximum >= 0 && buffer->count >= maximum) return SocketResult::Ok;
    if (HasRunOut(lastData)) return SocketResult::TimedOut;
    if (IsCancelled()) return SocketResult::Cancelled;
    const int32_t room = maximum >= 0 ? maximum - buffer->count : kPieceSize;
    const int got = Receive(piece, std::min<int32_t>(room, kPieceSize));
    if (got < 0) {
      if (IsCancelled()) return SocketResult::Cancelled;
      // An idle TLS read is a time-out like an idle plain one, even with some data in hand.
      if (got == -2) return SocketResult::TimedOut;
      return buffer->count > 0 ? SocketResult::Ok : SocketResult::Closed;
    }
    if (got == 0) continue;
    if (buffer->Insert(piece, buffer->count, got) < 0) return SocketResult::SocketFailed;
    lastData = Clock::now();
    if (terminatorLength == 0) continue;
    const uint8_t* data = buffer->GetAt(0);
    const int32_t from = std::max(0, scanned - terminatorLength + 1);
    for (int32_t at = from; at + terminatorLength <= buffer->count; ++at) {
      if (std::memcmp(data + at, terminator, static_cast<size_t>(terminatorLength)) != 0) continue;
      const int32_t end = at + terminatorLength;
      PushBack(data + end, buffer->count - end);
      buffer->count = end;
      buffer->growBy = -1;
      return SocketResult::Ok;
    }
    scanned = buffer->count;
  }
}

}  // namespace maintenance
