// The connection over a scripted peer: bytes beyond a terminator kept for the next receive, sends
// the peer takes in part, the connect and close results, and TLS set-up on the pass-through
// library (versions per mode, server name, handshake waits and failures).
#include "maintenance/socket_conn.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "maintenance/tests/result_printers.h"
#include "maintenance/tests/scripted_peer.h"

namespace maintenance {
namespace {

using testing::gTls;
using testing::ScriptedPeer;

std::string Text(const CZrfArray<uint8_t>& bytes) {
  return bytes.count > 0 ? std::string(reinterpret_cast<const char*>(bytes.GetAt(0)), bytes.count)
                         : std::string();
}

TEST(SocketConnTest, BytesBeyondTheTerminatorComeWithTheNextReceive) {
  ScriptedPeer peer;
  peer.Add("HTTP/1.0 200 OK\r\n\r\n1.2.3", {3});
  CSocketConn conn;
  ASSERT_EQ(conn.Connect("h", 80, kTlsNone, 1), SocketResult::Ok);
  CZrfArray<uint8_t> buffer;
  ASSERT_EQ(conn.ReceiveUntil(&buffer, "\r\n\r\n", -1), SocketResult::Ok);
  EXPECT_EQ(Text(buffer), "HTTP/1.0 200 OK\r\n\r\n");
  ASSERT_EQ(conn.ReceiveUntil(&buffer, nullptr, -1), SocketResult::Ok);
  EXPECT_EQ(Text(buffer), "1.2.3");
  // Everything was handed out and the peer has closed.
  EXPECT_EQ(conn.ReceiveUntil(&buffer, nullptr, -1), SocketResult::Closed);
}

TEST(SocketConnTest, SendGoesOnWherePeerStoppedTakingBytes) {
  ScriptedPeer peer;
  peer.Add("").sendLimit = 7;
  CSocketConn conn;
  ASSERT_EQ(conn.Connect("h", 80, kTlsNone, 1), SocketResult::Ok);
  std::string request(4000, 'x');
  for (size_t i = 0; i < request.size(); ++i) request[i] = static_cast<char>('a' + i % 26);
  EXPECT_EQ(conn.Send(request.data(), request.size()), SocketResult::Ok);
  EXPECT_EQ(conn.Send("tail", 0), SocketResult::Ok);
  EXPECT_EQ(peer.connections[0].received, request + "tail");
}

TEST(SocketConnTest, ConnectAndCloseResults) {
  ScriptedPeer peer;
  peer.Add("");
  peer.Add("").refuse = true;
  peer.Add("");
  peer.Add("");
  CSocketConn conn;
  EXPECT_EQ(conn.Disconnect(), SocketResult::NotConnected);
  ASSERT_EQ(conn.Connect("h", 80, kTlsNone, 1), SocketResult::Ok);
  EXPECT_EQ(conn.Connect("h", 80, kTlsNone, 1), SocketResult::AlreadyConnected);
  EXPECT_EQ(conn.Disconnect(), SocketResult::Ok);
  EXPECT_EQ(conn.Disconnect(), SocketResult::NotConnected);
  // Refused: at once, not when the rounds run out.
  EXPECT_EQ(conn.Connect("h", 80, kTlsNone, 3600), SocketResult::ConnectFailed);
  EXPECT_EQ(conn.Connect("unknown.invalid", 80, kTlsNone, 1), SocketResult::UnknownHost);
  std::atomic<uint8_t> cancel{1};
  conn.SetCancelFlag(&cancel);
  EXPECT_EQ(conn.Connect("h", 80, kTlsNone, 1), SocketResult::TimedOut);
  EXPECT_FALSE(conn.IsConnected());
  EXPECT_TRUE(peer.connections[1].closed && peer.connections[2].closed && peer.connections[3].closed);
}

TEST(SocketConnTlsTest, ModesPinOldVersionsOrAllowTls12AndNewer) {
  struct Row {
    int mode;
    long minVersion, maxVersion;
    int securityLevel;
  };
  const Row kRows[] = {{kTlsSsl3, 0x0300, 0x0300, 0},
                       {kTls10, 0x0301, 0x0301, 0},
                       {kTls11, 0x0302, 0x0302, 0},
                       {kTls12, 0x0303, 0, -1},
                       {9, 0x0303, 0, -1}};
  for (const Row& row : kRows) {
    SCOPED_TRACE(row.mode);
    ScriptedPeer peer;
    peer.Add("");
    CSocketConn conn;
    ASSERT_EQ(conn.Connect("updates.example.com", 443, row.mode, 1), SocketResult::Ok);
    EXPECT_EQ(conn.tlsMode(), row.mode);
    EXPECT_EQ(gTls.minVersion, row.minVersion);
    EXPECT_EQ(gTls.maxVersion, row.maxVersion);
    EXPECT_EQ(gTls.securityLevel, row.securityLevel);
    EXPECT_EQ(gTls.serverName, "updates.example.com");
  }
}

TEST(SocketConnTlsTest, AddressIsNeverSentAsServerName) {
  ScriptedPeer peer;
  peer.Add("");
  CSocketConn conn;
  ASSERT_EQ(conn.Connect("127.0.0.1", 443, kTls12, 1), SocketResult::Ok);
  EXPECT_EQ(gTls.serverName, "");
}

TEST(SocketConnTlsTest, HandshakeWaitsForWritingAsForReading) {
  ScriptedPeer peer;
  peer.Add("");
  gTls.wantWrites = 2;
  // A handshake that comes in many small segments wakes the client once for each.
  gTls.wantReads = 150;
  CSocketConn conn;
  ASSERT_EQ(conn.Connect("h", 443, kTls12, 1), SocketResult::Ok);
  EXPECT_EQ(gTls.connectCalls, 153);
}

TEST(SocketConnTlsTest, FailedSetUpFreesOnlyWhatExists) {
  ScriptedPeer peer;
  peer.Add("");
  peer.Add("");
  gTls.failNewSession = true;
  CSocketConn conn;
  EXPECT_EQ(conn.Connect("h", 443, kTls12, 1), SocketResult::TlsFailed);
  EXPECT_FALSE(conn.IsConnected());
  EXPECT_EQ(gTls.shutdownsOfNull, 0);
  EXPECT_EQ(gTls.sessionsFreed, 0);
  EXPECT_EQ(gTls.contextsFreed, 1);
  EXPECT_TRUE(peer.connections[0].closed);

  // A handshake that never completes ends when its time runs out.
  gTls.failNewSession = false;
  gTls.wantReads = -1;
  peer.connections[1].closeAfterReply = false;
  ASSERT_EQ(conn.Connect("h", 443, kTlsNone, 1), SocketResult::Ok);
  conn.SetDeadline(CSocketConn::Clock::now() + std::chrono::milliseconds(50));
  EXPECT_EQ(conn.StartTls(kTls12, "h"), SocketResult::TlsFailed);
  EXPECT_EQ(gTls.sessionsFreed, 1);
}

TEST(SocketConnTlsTest, CancelEndsTheHandshake) {
  ScriptedPeer peer;
  peer.Add("");
  CSocketConn conn;
  ASSERT_EQ(conn.Connect("h", 443, kTlsNone, 1), SocketResult::Ok);
  std::atomic<uint8_t> cancel{1};
  conn.SetCancelFlag(&cancel);
  EXPECT_EQ(conn.StartTls(kTls12, "h"), SocketResult::Cancelled);
  EXPECT_EQ(gTls.connectCalls, 0);
  EXPECT_EQ(gTls.contextsFreed, 1);
}

}  // namespace
}  // namespace maintenance
