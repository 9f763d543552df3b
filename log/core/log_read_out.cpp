// Read-out of the queue: records of a kind prefix and the item's text (or
// "EMPTY\r\n"), UTF-16LE, back to back, taken from the head while they fit.
#include <cstring>

#include "log.h"
#include "record_format.h"

namespace morvik {

uint32_t Log::FormatRecords(uint8_t* buffer, uint32_t capacity, uint32_t* itemCount) {
  platform::LockGuard guard(lock);
  uint32_t total = 0;
  uint32_t count = 0;
  for (const LogItem* item = head; item != nullptr; item = item->next) {
    const uint64_t body = item->data != nullptr ? item->size : kEmptyBodyBytes;
    const uint64_t room = capacity - total;
    if (kPrefixBytes + body + kFitMargin > room) break;
    std::memcpy(buffer + total, PrefixBytesOf(item->kind), kPrefixBytes);
    // The queued bytes are the caller's code units, little-endian on every
    // target of the library.
    std::memcpy(buffer + total + kPrefixBytes, item->data != nullptr ? item->data : kEmptyBody,
                static_cast<std::size_t>(body));
    total += kPrefixBytes + static_cast<uint32_t>(body);
    ++count;
  }
  *itemCount = count;
  return total;
}

void Log::DropHeadItems(uint32_t itemCount) {
  platform::LockGuard guard(lock);
  for (uint32_t i = 0; i < itemCount && head != nullptr; ++i) {
    platform::Release(head->data);
    head->data = nullptr;
    head->size = 0;
    PopHead();
  }
}

uint32_t MORVIK_CALL Log::GetLogData(void* buffer, uint32_t capacity) {
  if (buffer == nullptr) return 0;
  platform::LockGuard guard(lock);
  // One pass: each item is written and freed while it is in the cache.
  auto* out = static_cast<uint8_t*>(buffer);
  uint32_t total = 0;
  while (head != nullptr) {
    LogItem* item = head;
    const uint64_t body = item->data != nullptr ? item->size : kEmptyBodyBytes;
    if (kPrefixBytes + body + kFitMargin > uint64_t{capacity} - total) break;
    std::memcpy(out + total, PrefixBytesOf(item->kind), kPrefixBytes);
    std::memcpy(out + total + kPrefixBytes, item->data != nullptr ? item->data : kEmptyBody,
                static_cast<std::size_t>(body));
    total += kPrefixBytes + static_cast<uint32_t>(body);
    platform::Release(item->data);
    item->data = nullptr;
    item->size = 0;
    PopHead();
  }
  return total;
}

}  // namespace morvik
