// ExportToFile: empties the file, records the export event, then drains the
// queue into the file chunk by chunk. Items leave the queue only once their
// bytes have reached the file, so a failed write loses nothing.
#include <algorithm>
#include <cstring>

#include "log.h"
#include "record_format.h"
#include "text_format.h"

namespace morvik {
namespace {

// Pieces of an oversized record are scrambled each from key position 0;
// whole keys per buffer make that the same as one run over the record.
static_assert(ExportBufferSize % kScrambleKeyLength == 0, "buffer must hold whole keys");

// Room for the event text with a short file name, terminator included.
constexpr std::size_t kEventTextUnits = 388;

}  // namespace

bool MORVIK_CALL Log::ExportToFile(const MorvikChar* fileName, bool scramble) {
  const MorvikChar* fail = nullptr;
  switch (fileName == nullptr ? platform::EmptyFileResult::kCannotCreate : platform::CreateEmptyFile(fileName)) {
    case platform::EmptyFileResult::kDone: break;
    case platform::EmptyFileResult::kCannotCreate: fail = MORVIK_TEXT("Log::ExportToFile: Cannot create a file"); break;
    case platform::EmptyFileResult::kCannotSeek: fail = MORVIK_TEXT("Log::ExportToFile: An error in SetFilePointer()"); break;
  }
  if (fail != nullptr) {
    ReportFailure(-1, fail);
    return false;
  }
  platform::Stream* stream = platform::OpenStream(fileName);
  if (stream == nullptr) {
    ReportFailure(-1, MORVIK_TEXT("Log::ExportToFile: Cannot open file for writing"));
    return false;
  }

  {
    platform::LockGuard guard(lock);
    static const MorvikChar kPattern[] = MORVIK_TEXT("---Exported to %s file, the session index: %d---");
    // The whole file name goes into the event, however long it is.
    MorvikChar local[kEventTextUnits];
    MorvikChar* text = local;
    const std::size_t units = Format(nullptr, 0, kPattern, fileName, sessionIndex) + 1;
    if (units > kEventTextUnits) {
      text = static_cast<MorvikChar*>(platform::Allocate(units * sizeof(MorvikChar)));
      if (text == nullptr) {
        ReportFailure(-1, MORVIK_TEXT("Log::ExportToFile: Cannot get memory for data"));
        platform::CloseStream(stream);
        return false;
      }
    }
    Format(text, units, kPattern, fileName, sessionIndex);
    Event(text);
    ++sessionIndex;
    if (text != local) platform::Release(text);
  }

  auto* buffer = static_cast<uint8_t*>(platform::Allocate(ExportBufferSize));
  if (buffer == nullptr) {
    ReportFailure(-1, MORVIK_TEXT("Log::ExportToFile: Cannot get memory for data"));
    platform::CloseStream(stream);
    return false;
  }

  bool written = true;
  {
    platform::LockGuard guard(lock);
    for (;;) {
      uint32_t count = 0;
      const uint32_t n = FormatRecords(buffer, ExportBufferSize, &count);
      if (n == 0) {
        if (head == nullptr) break;
        // The head's record is larger than a whole chunk: it goes out as a
        // chunk of its own instead of blocking the log.
        written = WriteOversizedHead(stream, buffer, scramble);
        if (!written) break;
        DropHeadItems(1);
        continue;
      }
      if (scramble) ScrambleBuffer(buffer, n, kScrambleKey, kScrambleKeyLength);
      written = platform::WriteStream(stream, buffer, n);
      if (!written) break;
      DropHeadItems(count);
    }
  }

  const bool closed = platform::CloseStream(stream);
  platform::Release(buffer);
  if (!written || !closed) {
    ReportFailure(-1, MORVIK_TEXT("Log::ExportToFile: Cannot write to the file"));
    return false;
  }
  return true;
}

bool Log::WriteOversizedHead(platform::Stream* stream, uint8_t* buffer, bool scramble) {
  const LogItem* item = head;
  const uint64_t recordBytes = uint64_t{kPrefixBytes} + item->size;
  PutUtf16Le(buffer, PrefixOf(item->kind));
  uint64_t done = 0;  // record bytes written so far
  uint32_t fill = kPrefixBytes;
  while (done < recordBytes) {
    const uint64_t dataOffset = done + fill - kPrefixBytes;
    const uint64_t take = std::min<uint64_t>(ExportBufferSize - fill, item->size - dataOffset);
    std::memcpy(buffer + fill, item->data + dataOffset, static_cast<std::size_t>(take));
    const uint32_t pieceBytes = fill + static_cast<uint32_t>(take);
    if (scramble) ScrambleBuffer(buffer, pieceBytes, kScrambleKey, kScrambleKeyLength);
    if (!platform::WriteStream(stream, buffer, pieceBytes)) return false;
    done += pieceBytes;
    fill = 0;
  }
  return true;
}

}  // namespace morvik
