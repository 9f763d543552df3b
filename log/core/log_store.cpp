// The queue of a log: the five logging operations, PushLogData, GetCount,
// Clear and PopHead.
#include <cstring>

#include "log.h"

namespace morvik {

bool Log::PushLogData(int32_t kind, const void* bytes, uint32_t size) {
  platform::LockGuard guard(lock);
  auto* item = static_cast<LogItem*>(platform::Allocate(sizeof(LogItem)));
  if (item == nullptr) {
    ReportFailure(-1, MORVIK_TEXT("Log::PushLogData: Error at creating a LogItem instance"));
    return false;
  }
  item->kind = kind;
  item->data = nullptr;
  if (size > 0) {
    auto* data = static_cast<uint8_t*>(platform::Allocate(size));
    if (data == nullptr) {
      ReportFailure(static_cast<int32_t>(size), MORVIK_TEXT("Log::PushLogData: Cannot get (n) bytes of memory"));
      platform::Release(item);
      return false;
    }
    std::memcpy(data, bytes, size);
    item->data = data;
  }
  item->size = size;
  item->next = nullptr;
  if (head == nullptr) {
    head = item;
  } else {
    tail->next = item;
  }
  tail = item;
  return true;
}

void Log::LogText(int32_t kind, const MorvikChar* text, const MorvikChar* nullMessage,
                  const MorvikChar* pushFailureMessage) {
  if (text == nullptr) {
    ReportText(nullMessage);
    return;
  }
  const uint32_t size = 2u * static_cast<uint32_t>(platform::StringLength(text));
  if (!PushLogData(kind, text, size)) ReportFailure(static_cast<int32_t>(size), pushFailureMessage);
}

void MORVIK_CALL Log::Message(const MorvikChar* text) {
  LogText(kMessage, text, MORVIK_TEXT("Log::Message: An NULL-pointer string"),
          MORVIK_TEXT("Log::Message: Cannot push message with the (n) length"));
}

void MORVIK_CALL Log::Comment(const MorvikChar* text) {
  LogText(kComment, text, MORVIK_TEXT("Log::Comment: An NULL-pointer string"),
          MORVIK_TEXT("Log::Comment: Cannot push message with the (n) length"));
}

void MORVIK_CALL Log::Event(const MorvikChar* text) {
  LogText(kEvent, text, MORVIK_TEXT("Log::Event: An NULL-pointer string"),
          MORVIK_TEXT("Log::Event: Cannot push message with the (n) length"));
}

void MORVIK_CALL Log::Error(const MorvikChar* text) {
  LogText(kError, text, MORVIK_TEXT("Log::Error: An NULL-pointer string"),
          MORVIK_TEXT("Log::Error: Cannot push message with the (n) length"));
}

void MORVIK_CALL Log::Warning(const MorvikChar* text) {
  LogText(kWarning, text, MORVIK_TEXT("Log::Warning: An NULL-pointer string"),
          MORVIK_TEXT("Log::Warning: Cannot push message with the (n) length"));
}

int32_t MORVIK_CALL Log::GetCount() {
  platform::LockGuard guard(lock);
  int32_t count = 0;
  for (const LogItem* item = head; item != nullptr; item = item->next) ++count;
  return count;
}

void Log::FreeItems() {
  LogItem* item = head;
  while (item != nullptr) {
    LogItem* next = item->next;
    platform::Release(item->data);
    platform::Release(item);
    item = next;
  }
  head = nullptr;
  tail = nullptr;
}

void MORVIK_CALL Log::Clear() {
  platform::LockGuard guard(lock);
  if (head == nullptr) return;
  FreeItems();
  sessionIndex = 0;
}

bool Log::PopHead() {
  platform::LockGuard guard(lock);
  if (head == nullptr) return false;
  LogItem* item = head;
  head = item->next;
  if (head == nullptr) tail = nullptr;
  platform::Release(item);
  return true;
}

}  // namespace morvik
