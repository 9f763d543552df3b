// The fault seam of the platform layer: a countdown per service. Disarmed
// (zero) it costs one atomic load per call.
#include <atomic>

#include "platform.h"

namespace morvik::platform {
namespace {

std::atomic<int> countdown[static_cast<int>(Service::kCount)];

}  // namespace

void FailNthCall(Service service, int n) {
  countdown[static_cast<int>(service)].store(n > 0 ? n : 0);
}

void ResetFaults() {
  for (auto& c : countdown) c.store(0);
}

bool ShouldFail(Service service) {
  auto& c = countdown[static_cast<int>(service)];
  int left = c.load(std::memory_order_relaxed);
  while (left > 0) {
    if (c.compare_exchange_weak(left, left - 1)) return left == 1;
  }
  return false;
}

}  // namespace morvik::platform
