// The HTTP client and its connection end to end, against real servers on 127.0.0.1 that
// net/test_servers.py starts (Python's http.server and ssl, openssl s_server, tinyproxy): fetches
// over HTTP and HTTPS, through a proxy with and without a tunnel, a redirect, TLS versions, a
// handshake in small pieces, the idle time-out and the fetch's time limit, and cancellation from
// another thread. Natively every test runs; under Wine the fetches run with the cross-built
// OpenSSL DLLs, and a copy of the program without them shows a clean TLS failure.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "maintenance/http_client.h"
#include "maintenance/socket_conn.h"
#include "maintenance/tests/result_printers.h"
#include "maintenance/tls_library.h"

namespace maintenance {
namespace {

using Clock = std::chrono::steady_clock;

uint16_t Port(const char* variable) {
  const char* value = std::getenv(variable);
  if (value == nullptr) {
    ADD_FAILURE() << variable << " is not set: run the test through net/test_servers.py";
    return 1;
  }
  return static_cast<uint16_t>(std::atoi(value));
}

std::string Url(const char* scheme, const char* host, const char* portVariable, const char* path) {
  return std::string(scheme) + "://" + host + ":" + std::to_string(Port(portVariable)) + path;
}

std::string Body(const CHttpClient& client) {
  const CZrfArray<uint8_t>& bytes = client.response();
  return bytes.count > 0 ? std::string(reinterpret_cast<const char*>(bytes.GetAt(0)), bytes.count)
                         : std::string();
}

HttpResult Fetch(CHttpClient& client, const std::string& url) {
  return client.Get(url.c_str(), nullptr, nullptr, nullptr, 0);
}

// Runs `call` with a cancel flag that another thread raises after 200 ms, and tells how long the
// call went on after that.
template <typename Call>
long MillisecondsPastCancel(Call call) {
  std::atomic<uint8_t> flag{0};
  Clock::time_point raisedAt;
  std::thread raiser([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    raisedAt = Clock::now();
    flag.store(1);
  });
  call(&flag);
  const Clock::time_point endedAt = Clock::now();
  raiser.join();
  const long ms =
      static_cast<long>(std::chrono::duration_cast<std::chrono::milliseconds>(endedAt - raisedAt).count());
  std::printf("cancelled call ended %ld ms after the flag was raised\n", ms);
  return ms;
}

// A raised flag is seen within one wait round (100 ms for a connect or handshake, 10 ms for a
// receive); the checks allow a loaded machine far more, and still lie far below every time-out in
// play.
constexpr long kCancelBoundMs = 2000;

TEST(HttpNetTest, FetchesVersionOverHttp) {
  CHttpClient client;
  EXPECT_EQ(Fetch(client, Url("http", "127.0.0.1", "VERDELO_TEST_HTTP_PORT", "/version")), HttpResult::Ok);
  EXPECT_EQ(Body(client), "1.2.3\n");
}

TEST(HttpNetTest, FetchesVersionOverHttps) {
  // openssl s_server -WWW answers without a length and closes.
  CHttpClient client;
  EXPECT_EQ(Fetch(client, Url("https", "127.0.0.1", "VERDELO_TEST_S_SERVER_PORT", "/version.txt")),
            HttpResult::Ok);
  EXPECT_EQ(Body(client), "1.2.3\n");
}

TEST(HttpNetTest, HttpsNamesTheServerButNotAnAddress) {
  CHttpClient client;
  EXPECT_EQ(Fetch(client, Url("https", "localhost", "VERDELO_TEST_HTTPS_PORT", "/sni")), HttpResult::Ok);
  EXPECT_EQ(Body(client), "localhost");
  EXPECT_EQ(Fetch(client, Url("https", "127.0.0.1", "VERDELO_TEST_HTTPS_PORT", "/sni")), HttpResult::Ok);
  EXPECT_EQ(Body(client), "-");
}

TEST(HttpNetTest, FollowsRedirectAndSendsBasicAuthorization) {
  CHttpClient client;
  EXPECT_EQ(Fetch(client, Url("http", "127.0.0.1", "VERDELO_TEST_HTTP_PORT", "/redirect")), HttpResult::Ok);
  EXPECT_EQ(Body(client), "1.2.3\n");
  EXPECT_EQ(Fetch(client, Url("https", "127.0.0.1", "VERDELO_TEST_HTTPS_PORT", "/redirect")), HttpResult::Ok);
  EXPECT_EQ(Body(client), "1.2.3\n");

  const std::string auth = Url("http", "127.0.0.1", "VERDELO_TEST_HTTP_PORT", "/auth");
  EXPECT_EQ(Fetch(client, auth), HttpResult::Unauthorized);
  EXPECT_EQ(client.Get(auth.c_str(), "user", "wrong", nullptr, 0), HttpResult::Unauthorized);
  EXPECT_EQ(client.Get(auth.c_str(), "user", "pass", nullptr, 0), HttpResult::Ok);
  EXPECT_EQ(Body(client), "1.2.3\n");
}

TEST(HttpNetTest, FetchesThroughProxyPlainAndTunnelled) {
  const uint16_t proxy = Port("VERDELO_TEST_PROXY_PORT");
  const std::string http = Url("http", "127.0.0.1", "VERDELO_TEST_HTTP_PORT", "/version");
  const std::string https = Url("https", "127.0.0.1", "VERDELO_TEST_HTTPS_PORT", "/version");
  for (const bool tunnel : {false, true}) {
    SCOPED_TRACE(tunnel ? "tunnel" : "plain");
    CHttpClient client;
    client.SetProxy("127.0.0.1", proxy, "proxy", "secret", tunnel);
    EXPECT_EQ(Fetch(client, http), HttpResult::Ok);
    EXPECT_EQ(Body(client), "1.2.3\n");
    // https always goes through a tunnel, with TLS inside it.
    EXPECT_EQ(Fetch(client, https), HttpResult::Ok);
    EXPECT_EQ(Body(client), "1.2.3\n");
  }

  CHttpClient client;
  client.SetProxy("127.0.0.1", proxy, "proxy", "wrong", true);
  HttpUrl url;
  ASSERT_TRUE(ParseHttpUrl(http, &url));
  EXPECT_EQ(client.Connect(url), HttpResult::ProxyAuthorization);
  EXPECT_EQ(Fetch(client, http), HttpResult::NoConnection);
}

TEST(TlsNetTest, HandshakeInSmallSegmentsCompletes) {
  // The relay hands the server's handshake on four bytes at a time: hundreds of wake-ups, each
  // too few bytes to finish it, within a second or two.
  CHttpClient client;
  EXPECT_EQ(Fetch(client, Url("https", "127.0.0.1", "VERDELO_TEST_TRICKLE_PORT", "/version")),
            HttpResult::Ok);
  EXPECT_EQ(Body(client), "1.2.3\n");
}

TEST(TlsNetTest, OldVersionModesReachAnOldServerAndOnlyThey) {
  const uint16_t port = Port("VERDELO_TEST_TLS10_PORT");
  CSocketConn conn;
  EXPECT_EQ(conn.Connect("127.0.0.1", port, kTls10, 5), SocketResult::Ok);
  EXPECT_EQ(conn.tlsMode(), kTls10);
  EXPECT_EQ(conn.Disconnect(), SocketResult::Ok);
  EXPECT_EQ(conn.Connect("127.0.0.1", port, kTls12, 5), SocketResult::TlsFailed);
  EXPECT_FALSE(conn.IsConnected());
  // The distribution's OpenSSL has no SSL 3.
  EXPECT_EQ(conn.Connect("127.0.0.1", Port("VERDELO_TEST_S_SERVER_PORT"), kTlsSsl3, 5),
            SocketResult::TlsFailed);
}

TEST(NetWaitTest, SilentOrSlowServerEndsInTime) {
  CHttpClient silent;
  silent.SetIdleTimeout(500);
  EXPECT_EQ(Fetch(silent, Url("http", "127.0.0.1", "VERDELO_TEST_SILENT_PORT", "/version")),
            HttpResult::NotReceived);
  // A byte every half second never lets the idle time-out pass; the reply would be whole after
  // about 12 s, long after the fetch's limit.
  CHttpClient slow;
  slow.SetFetchTimeLimit(2000);
  EXPECT_EQ(Fetch(slow, Url("http", "127.0.0.1", "VERDELO_TEST_SLOW_PORT", "/version")),
            HttpResult::NotReceived);
}

TEST(NetWaitTest, RefusedConnectEndsAtOnce) {
  CSocketConn conn;
  const Clock::time_point start = Clock::now();
  EXPECT_EQ(conn.Connect("127.0.0.1", Port("VERDELO_TEST_CLOSED_PORT"), kTlsNone, 30),
            SocketResult::ConnectFailed);
  EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(kCancelBoundMs));
}

TEST(NetWaitTest, CancelFromAnotherThreadEndsEveryWait) {
  const uint16_t silent = Port("VERDELO_TEST_SILENT_PORT");
  EXPECT_LT(MillisecondsPastCancel([](std::atomic<uint8_t>* flag) {
              CSocketConn conn;
              conn.SetCancelFlag(flag);
              EXPECT_EQ(conn.Connect("127.0.0.1", Port("VERDELO_TEST_STALLED_PORT"), kTlsNone, 30),
                        SocketResult::TimedOut);
            }),
            kCancelBoundMs);
  EXPECT_LT(MillisecondsPastCancel([silent](std::atomic<uint8_t>* flag) {
              CSocketConn conn;
              conn.SetCancelFlag(flag);
              ASSERT_EQ(conn.Connect("127.0.0.1", silent, kTlsNone, 5), SocketResult::Ok);
              CZrfArray<uint8_t> buffer;
              EXPECT_EQ(conn.ReceiveUntil(&buffer, "\r\n\r\n", -1), SocketResult::Cancelled);
            }),
            kCancelBoundMs);
  EXPECT_LT(MillisecondsPastCancel([silent](std::atomic<uint8_t>* flag) {
              CSocketConn conn;
              conn.SetCancelFlag(flag);
              EXPECT_EQ(conn.Connect("127.0.0.1", silent, kTls12, 5), SocketResult::Cancelled);
            }),
            kCancelBoundMs);
  EXPECT_LT(MillisecondsPastCancel([](std::atomic<uint8_t>* flag) {
              CHttpClient client;
              client.SetCancelFlag(flag);
              EXPECT_EQ(Fetch(client, Url("http", "127.0.0.1", "VERDELO_TEST_SILENT_PORT", "/version")),
                        HttpResult::Cancelled);
            }),
            kCancelBoundMs);
}

// Run only from a folder that lacks the TLS library (the Windows build's copy without the DLLs).
TEST(TlsLibraryMissingTest, HttpsFailsCleanlyAndHttpStillWorks) {
  if (std::getenv("VERDELO_EXPECT_NO_TLS_LIBRARY") == nullptr) GTEST_SKIP() << "the TLS library is present";
  EXPECT_EQ(GetTlsLibrary(), nullptr);
  CSocketConn conn;
  EXPECT_EQ(conn.Connect("127.0.0.1", Port("VERDELO_TEST_S_SERVER_PORT"), kTls12, 5),
            SocketResult::TlsFailed);
  EXPECT_FALSE(conn.IsConnected());
  CHttpClient client;
  EXPECT_EQ(Fetch(client, Url("https", "127.0.0.1", "VERDELO_TEST_S_SERVER_PORT", "/version.txt")),
            HttpResult::NoConnection);
  EXPECT_EQ(Fetch(client, Url("http", "127.0.0.1", "VERDELO_TEST_HTTP_PORT", "/version")), HttpResult::Ok);
}

}  // namespace
}  // namespace maintenance
