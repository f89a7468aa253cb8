// Arbitrary server replies through the whole client: the reply is delivered in pieces whose sizes
// come from the input, so the head and body limits, the terminator search across pieces and every
// status path meet hostile bytes. Input: one byte of piece size (0: all at once), then the reply.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "maintenance/http_client.h"
#include "maintenance/tests/scripted_peer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const size_t piece = data[0];
  const std::string reply(reinterpret_cast<const char*>(data + 1), size - 1);
  std::vector<size_t> cuts;
  for (size_t cut = piece; piece > 0 && cut < reply.size(); cut += piece) cuts.push_back(cut);

  maintenance::testing::ScriptedPeer peer;
  peer.Add(reply, cuts);
  peer.Add(reply, cuts);  // a redirect's second connection
  maintenance::CHttpClient client;
  char since[32] = "";
  const maintenance::HttpResult result = client.Get("https://h/v", "u", "p", since, sizeof since);
  const bool ok = result == maintenance::HttpResult::Ok;
  if (ok && client.response().count > maintenance::CHttpClient::kMaxBodyBytes) __builtin_trap();
  return 0;
}
