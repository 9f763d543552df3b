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
    uint8_t* out = PutUtf16Le(buffer + total, PrefixOf(item->kind));
    if (item->data != nullptr) {
      // The queued bytes are the caller's code units, little-endian on every
      // target of the library.
      std::memcpy(out, item->data, item->size);
    } else {
      PutUtf16Le(out, MORVIK_TEXT("EMPTY\r\n"));
    }
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
  uint32_t count = 0;
  const uint32_t total = FormatRecords(static_cast<uint8_t*>(buffer), capacity, &count);
  DropHeadItems(count);
  return total;
}

}  // namespace morvik
