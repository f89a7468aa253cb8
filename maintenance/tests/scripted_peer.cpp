// The scripted peer's socket calls and pass-through TLS library.
#include "maintenance/tests/scripted_peer.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <thread>

namespace maintenance::testing {

TlsRecord gTls;

namespace {

ScriptedPeer* gPeer = nullptr;
constexpr SocketHandle kFirstHandle = 100;

ScriptedConnection* Find(SocketHandle socket) {
  const size_t index = static_cast<size_t>(socket - kFirstHandle);
  return index < gPeer->connections.size() ? &gPeer->connections[index] : nullptr;
}

// Bytes the next receive may deliver: up to the next cut, or the rest of the reply.
size_t NextPiece(const ScriptedConnection& c) {
  size_t end = c.reply.size();
  for (const size_t cut : c.cuts) {
    if (cut > c.delivered && cut < end) end = cut;
  }
  return end - c.delivered;
}

SocketResult Open(SocketHandle* socket) {
  if (gPeer->opened >= gPeer->connections.size()) return SocketResult::SocketFailed;
  *socket = kFirstHandle + static_cast<SocketHandle>(gPeer->opened++);
  return SocketResult::Ok;
}

bool Resolve(const char* host, uint32_t* address) {
  if (std::strcmp(host, "unknown.invalid") == 0) return false;
  gPeer->connections[gPeer->opened - 1].host = host;
  *address = 0x0100007F;
  return true;
}

bool StartConnect(SocketHandle socket, uint32_t, uint16_t port) {
  Find(socket)->port = port;
  return true;
}

Readiness WaitConnected(SocketHandle socket, int) {
  return Find(socket)->refuse ? Readiness::Failed : Readiness::Ready;
}

Readiness WaitReadable(SocketHandle socket, int waitMs) {
  const ScriptedConnection* c = Find(socket);
  if (c->delivered < c->reply.size() || c->closeAfterReply) return Readiness::Ready;
  std::this_thread::sleep_for(std::chrono::milliseconds(std::min(waitMs, 2)));
  return Readiness::NotYet;
}

Readiness WaitWritable(SocketHandle, int) { return Readiness::Ready; }

int Send(SocketHandle socket, const uint8_t* bytes, int size) {
  ScriptedConnection* c = Find(socket);
  const int taken = c->sendLimit > 0 ? std::min(size, c->sendLimit) : size;
  c->received.append(reinterpret_cast<const char*>(bytes), static_cast<size_t>(taken));
  return taken;
}

int Receive(SocketHandle socket, uint8_t* buffer, int size) {
  ScriptedConnection* c = Find(socket);
  const size_t piece = std::min(NextPiece(*c), static_cast<size_t>(size));
  if (piece == 0) return c->closeAfterReply ? -1 : 0;
  std::memcpy(buffer, c->reply.data() + c->delivered, piece);
  c->delivered += piece;
  return static_cast<int>(piece);
}

bool Close(SocketHandle socket) {
  Find(socket)->closed = true;
  return true;
}

const SocketCalls kScriptedCalls = {Open,         Resolve, StartConnect, WaitConnected, WaitReadable,
                                    WaitWritable, Send,    Receive,      Close};

// The pass-through TLS library. Objects are stand-ins: the session carries its socket.
struct FakeSession {
  SocketHandle socket = kNoSocket;
  int lastError = 0;
};
int gContextTag = 0;
int gMethodTag = 0;
constexpr int kErrorSsl = 1;
constexpr int kErrorZeroReturn = 6;

FakeSession* AsSession(const ssl_st* session) {
  return reinterpret_cast<FakeSession*>(const_cast<ssl_st*>(session));
}

int InitSsl(uint64_t, const ossl_init_settings_st*) { return 1; }
const ssl_method_st* ClientMethod() { return reinterpret_cast<const ssl_method_st*>(&gMethodTag); }
ssl_ctx_st* NewContext(const ssl_method_st*) { return reinterpret_cast<ssl_ctx_st*>(&gContextTag); }
void FreeContext(ssl_ctx_st*) { ++gTls.contextsFreed; }
long ContextCtrl(ssl_ctx_st*, int command, long number, void*) {
  if (command == tls::kCtrlSetMinProtoVersion) gTls.minVersion = number;
  if (command == tls::kCtrlSetMaxProtoVersion) gTls.maxVersion = number;
  return 1;
}
void SetSecurityLevel(ssl_ctx_st*, int level) { gTls.securityLevel = level; }
ssl_st* NewSession(ssl_ctx_st*) {
  if (gTls.failNewSession) return nullptr;
  return reinterpret_cast<ssl_st*>(new FakeSession);
}
void FreeSession(ssl_st* session) {
  if (session == nullptr) ++gTls.shutdownsOfNull;
  ++gTls.sessionsFreed;
  delete AsSession(session);
}
int SetDescriptor(ssl_st* session, int descriptor) {
  AsSession(session)->socket = descriptor;
  return 1;
}
long SessionCtrl(ssl_st*, int command, long number, void* argument) {
  if (command == tls::kCtrlSetServerName && number == tls::kServerNameTypeHost) {
    gTls.serverName = static_cast<const char*>(argument);
  }
  return 1;
}
int ConnectSession(ssl_st* session) {
  ++gTls.connectCalls;
  FakeSession* s = AsSession(session);
  if (gTls.wantWrites > 0) {
    --gTls.wantWrites;
    s->lastError = tls::kErrorWantWrite;
    return -1;
  }
  if (gTls.wantReads != 0) {
    if (gTls.wantReads > 0) --gTls.wantReads;
    s->lastError = tls::kErrorWantRead;
    return -1;
  }
  return 1;
}
int ReadSession(ssl_st* session, void* buffer, int size) {
  FakeSession* s = AsSession(session);
  const int got = Receive(s->socket, static_cast<uint8_t*>(buffer), size);
  if (got > 0) return got;
  s->lastError = got == 0 ? tls::kErrorWantRead : kErrorZeroReturn;
  return got == 0 ? -1 : 0;
}
int WriteSession(ssl_st* session, const void* bytes, int size) {
  return Send(AsSession(session)->socket, static_cast<const uint8_t*>(bytes), size);
}
int SessionError(const ssl_st* session, int) {
  return session != nullptr ? AsSession(session)->lastError : kErrorSsl;
}
int ShutdownSession(ssl_st* session) {
  if (session == nullptr) ++gTls.shutdownsOfNull;
  return 1;
}
void ClearErrors() {}

const TlsLibrary kPassThroughTls = {InitSsl,       ClientMethod,     NewContext,      FreeContext,
                                    ContextCtrl,   SetSecurityLevel, NewSession,      FreeSession,
                                    SetDescriptor, SessionCtrl,      ConnectSession,  ReadSession,
                                    WriteSession,  SessionError,     ShutdownSession, ClearErrors};

}  // namespace

ScriptedPeer::ScriptedPeer() {
  gPeer = this;
  gTls = TlsRecord{};
  SetSocketCallsForTesting(&kScriptedCalls);
  SetTlsLibraryForTesting(&kPassThroughTls);
}

ScriptedPeer::~ScriptedPeer() {
  SetSocketCallsForTesting(nullptr);
  SetTlsLibraryForTesting(nullptr);
  gPeer = nullptr;
}

ScriptedConnection& ScriptedPeer::Add(std::string reply, std::vector<size_t> cuts) {
  ScriptedConnection c;
  c.reply = std::move(reply);
  c.cuts = std::move(cuts);
  connections.push_back(std::move(c));
  return connections.back();
}

}  // namespace maintenance::testing
