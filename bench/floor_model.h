// floor_model.h - the least a queued log of this design can cost: one
// recursive lock, an allocation for the item and one for its text, a copy,
// an append; the drain formats records and frees both again. The library
// is measured against it.
#ifndef MORVIK_BENCH_FLOOR_MODEL_H
#define MORVIK_BENCH_FLOOR_MODEL_H

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>

namespace morvik_bench {

class FloorLog {
 public:
  FloorLog() = default;
  FloorLog(const FloorLog&) = delete;
  FloorLog& operator=(const FloorLog&) = delete;
  ~FloorLog() { Clear(); }

  [[gnu::noinline]] bool Push(int32_t kind, const char16_t* text) {
    const uint32_t size = static_cast<uint32_t>(2 * std::char_traits<char16_t>::length(text));
    std::lock_guard<std::recursive_mutex> hold(lock_);
    Item* item = static_cast<Item*>(std::malloc(sizeof(Item)));
    if (!item) return false;
    item->data = nullptr;
    if (size > 0 && !(item->data = static_cast<uint8_t*>(std::malloc(size)))) {
      std::free(item);
      return false;
    }
    if (size > 0) std::memcpy(item->data, text, size);
    item->next = nullptr;
    item->kind = kind;
    item->size = size;
    (head_ ? tail_->next : head_) = item;
    tail_ = item;
    return true;
  }

  [[gnu::noinline]] uint32_t Drain(void* buffer, uint32_t capacity) {
    static const char16_t kPrefixes[6][6] = {u"", u"Msg: ", u"Cmt: ", u"Evt: ", u"Err: ", u"Wrn: "};
    static const char16_t kEmpty[] = u"EMPTY\r\n";
    std::lock_guard<std::recursive_mutex> hold(lock_);
    auto* out = static_cast<uint8_t*>(buffer);
    uint32_t total = 0;
    while (head_) {
      Item* item = head_;
      const uint32_t body = item->data ? item->size : 14;
      if (10u + body + 4u > capacity - total) break;
      std::memcpy(out + total, kPrefixes[item->kind], 10);
      std::memcpy(out + total + 10, item->data ? static_cast<const void*>(item->data) : kEmpty, body);
      total += 10 + body;
      std::free(item->data);
      head_ = item->next;
      if (!head_) tail_ = nullptr;
      std::free(item);
    }
    return total;
  }

  void Clear() {
    std::lock_guard<std::recursive_mutex> hold(lock_);
    while (head_) {
      Item* item = head_;
      head_ = item->next;
      std::free(item->data);
      std::free(item);
    }
    tail_ = nullptr;
  }

 private:
  struct Item {
    Item* next;
    int32_t kind;
    uint8_t* data;
    uint32_t size;
  };
  std::recursive_mutex lock_;
  Item* head_ = nullptr;
  Item* tail_ = nullptr;
};

}  // namespace morvik_bench

#endif
