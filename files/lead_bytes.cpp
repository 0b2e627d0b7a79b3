#include "files/lead_bytes.h"

#include <array>
#include <atomic>

#include "platform/platform.h"

namespace toridasu {
namespace {

// Written only between messages (start-up, settings refresh), read anywhere.
std::atomic<bool> doubleByteSystem{false};
std::array<std::atomic<bool>, 256> leadBytes{};

}  // namespace

bool DoubleByteSystem() { return doubleByteSystem.load(std::memory_order_relaxed); }

bool IsLeadByte(unsigned char byte) { return leadBytes[byte].load(std::memory_order_relaxed); }

void RefreshLeadByteSet(Platform& platform) {
  const bool enabled = platform.DoubleByteEnabled();
  doubleByteSystem.store(enabled, std::memory_order_relaxed);
  if (!enabled) return;
  CodePageInfo info;
  if (!platform.AnsiCodePageInfo(&info)) return;
  for (int pair = 0; pair < 6; ++pair) {
    const unsigned first = info.leadByteRanges[2 * pair];
    const unsigned last = info.leadByteRanges[2 * pair + 1];
    if (first == 0 && last == 0) break;
    // The set only grows: a later refresh never forgets a member.
    for (unsigned b = first; b <= last; ++b) leadBytes[b].store(true, std::memory_order_relaxed);
  }
}

void ResetLeadByteSetForTesting() {
  doubleByteSystem.store(false, std::memory_order_relaxed);
  for (auto& member : leadBytes) member.store(false, std::memory_order_relaxed);
}

}  // namespace toridasu
