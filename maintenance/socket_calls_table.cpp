// The replaceable table of socket calls.
#include "maintenance/socket_calls.h"

namespace maintenance {
namespace {

const SocketCalls* gTestCalls = nullptr;

}  // namespace

const SocketCalls& ActiveSocketCalls() { return gTestCalls != nullptr ? *gTestCalls : SystemSocketCalls(); }

void SetSocketCallsForTesting(const SocketCalls* calls) { gTestCalls = calls; }

}  // namespace maintenance
