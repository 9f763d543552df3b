// The log object behind I_Morvik: a queue of LogItems under one recursive
// lock, with read-out, export and the two user dialogs.
#pragma once

#include <cstddef>
#include <cstdint>

#include "I_Morvik.h"
#include "platform.h"

namespace morvik {

enum LogItemKind : int32_t {
  kMessage = 1,
  kComment = 2,
  kEvent = 3,
  kError = 4,
  kWarning = 5,
};

// One queued entry: the caller's text copied without its terminator, or no
// data at all for an empty text.
struct LogItem {
  LogItem* next;
  int32_t kind;
  uint8_t* data;
  uint32_t size;
};

// The working buffer and chunk size of an export, in bytes.
constexpr uint32_t ExportBufferSize = 2700000;
// A record is written only if its length plus this margin fits the room left.
constexpr uint32_t kFitMargin = 4;
// Bytes of a record's kind prefix, and of the body of an item without data.
constexpr uint32_t kPrefixBytes = 10;
constexpr uint32_t kEmptyBodyBytes = 14;

class Log final : public I_Morvik {
public:
  // A new, empty log, or null when it cannot be allocated or its lock not
  // set up. Destroy frees its items, takes the lock and destroys it.
  static Log* Create();
  static void Destroy(Log* log);

  void MORVIK_CALL Clear() override;
  int32_t MORVIK_CALL GetCount() override;
  void MORVIK_CALL Message(const MorvikChar* text) override;
  void MORVIK_CALL Comment(const MorvikChar* text) override;
  void MORVIK_CALL Event(const MorvikChar* text) override;
  void MORVIK_CALL Error(const MorvikChar* text) override;
  void MORVIK_CALL Warning(const MorvikChar* text) override;
  uint32_t MORVIK_CALL GetLogData(void* buffer, uint32_t capacity) override;
  bool MORVIK_CALL ExportToFile(const MorvikChar* fileName, bool scramble) override;
  void MORVIK_CALL AddUserComment() override;
  bool MORVIK_CALL SaveLogAs(bool scramble) override;

  // Appends a copy of size bytes as a new item of kind at the tail.
  bool PushLogData(int32_t kind, const void* bytes, uint32_t size);
  // Unlinks and frees the head item, whose data the caller has released.
  bool PopHead();

  // The number of exports since the log was made or last cleared.
  int32_t SessionIndex();

private:
  Log() = default;
  ~Log() = default;

  void LogText(int32_t kind, const MorvikChar* text, const MorvikChar* nullMessage,
               const MorvikChar* pushFailureMessage);
  void FreeItems();
  // Formats records from the head into buffer as long as they fit, without
  // taking them from the queue; returns the bytes and the number of items.
  uint32_t FormatRecords(uint8_t* buffer, uint32_t capacity, uint32_t* itemCount);
  // Releases the data of the first itemCount items and pops them.
  void DropHeadItems(uint32_t itemCount);
  bool WriteOversizedHead(platform::Stream* stream, uint8_t* buffer, bool scramble);

  platform::RecursiveLock lock;
  int32_t sessionIndex = 0;
  LogItem* head = nullptr;
  LogItem* tail = nullptr;
};

// Sends "%i %s\r\n" with code and message to the debugger output channel as
// one line of at most 1024 code units; a longer message is cut, the line end
// kept. Never throws.
void ReportFailure(int32_t code, const MorvikChar* message);

// Sends a text unchanged to the debugger output channel. Never throws.
void ReportText(const MorvikChar* message);

// XORs byte i with key byte (i mod keyLength), in place.
void ScrambleBuffer(uint8_t* bytes, uint32_t length, const uint8_t* key, uint32_t keyLength);

// The export's scrambling key: 27 bytes, no terminator.
extern const uint8_t kScrambleKey[27];
constexpr uint32_t kScrambleKeyLength = 27;

}  // namespace morvik
