// export_reader.cpp - detecting a scrambled export and finding where its key
// restarts.
#include "morvik_cat/export_reader.h"

#include <array>
#include <span>

#include "morvik_cat/export_format.h"
#include "morvik_cat/export_scrambler.h"

namespace morvik_cat {

namespace {

constexpr std::size_t kKeyBytes = kScrambleKey.size();

const uint8_t* KeyStart() {
  static const auto mask = [] {
    std::array<uint8_t, kPrefixBytes> m{};
    for (std::size_t i = 0; i < m.size(); ++i) m[i] = static_cast<uint8_t>(kScrambleKey[i]);
    return m;
  }();
  return mask.data();
}

// A chunk starts where the bytes read as a prefix with the key at position 0.
// Where the offset into the current chunk is a multiple of the key length
// both readings agree, so a chunk start there needs no restart and is not
// looked for. Elsewhere, a prefix under the restarted key cannot also be one
// under the running key: the key's bytes all differ, and prefixes have zero
// high bytes.
std::vector<std::size_t> FindKeyRestarts(std::span<const uint8_t> bytes) {
  std::vector<std::size_t> starts{0};
  const std::size_t size = bytes.size() & ~std::size_t{1};
  std::size_t phase = 2;
  for (std::size_t offset = 2; offset + kPrefixBytes <= size; offset += 2) {
    if (phase != 0 && PrefixKindAt(bytes.data() + offset, KeyStart()) != RecordKind::kUnknown) {
      starts.push_back(offset);
      phase = 0;
    }
    phase += 2;
    if (phase >= kKeyBytes) phase -= kKeyBytes;
  }
  return starts;
}

// A chunk that starts a multiple of the key length after the one before it
// shows no restart; where a chunk found from the key is too long for one,
// the export's layout of its records tells where such hidden starts are.
void AddHiddenRestarts(ExportContents& contents) {
  const auto& records = contents.split.records;
  std::vector<std::size_t> starts;
  std::size_t r = 0;
  for (std::size_t c = 0; c < contents.chunkStarts.size(); ++c) {
    const std::size_t begin = contents.chunkStarts[c];
    const std::size_t end =
        c + 1 < contents.chunkStarts.size() ? contents.chunkStarts[c + 1] : contents.plain.size();
    std::vector<Record> inChunk;
    while (r < records.size() && records[r].offset < end) inChunk.push_back(records[r++]);
    starts.push_back(begin);
    if (end - begin + kFitMargin <= kExportChunkBytes) continue;
    for (std::size_t start : LayoutChunks(inChunk))
      if (start != begin && (start - begin) % kKeyBytes == 0) starts.push_back(start);
  }
  contents.chunkStarts = std::move(starts);
}

// Notes where the chunks found from the key do not follow the export's
// chunking: a chunk holds records while they fit, or one oversized record.
void CheckChunks(const ExportContents& contents, std::vector<std::string>& notes) {
  const auto& records = contents.split.records;
  const auto& starts = contents.chunkStarts;
  std::size_t r = 0;
  for (std::size_t c = 0; c < starts.size(); ++c) {
    const std::size_t begin = starts[c];
    const std::size_t end = c + 1 < starts.size() ? starts[c + 1] : contents.plain.size();
    std::size_t count = 0;
    while (r < records.size() && records[r].offset < end) {
      ++count;
      ++r;
    }
    const std::size_t length = end - begin;
    if (count > 1 && length + kFitMargin > kExportChunkBytes)
      notes.push_back("chunk at offset " + std::to_string(begin) + " holds " +
                      std::to_string(length) + " bytes in " + std::to_string(count) +
                      " records, more than an export puts into one chunk");
    if (r < records.size() && count > 0 &&
        length + records[r].length + kFitMargin <= kExportChunkBytes)
      notes.push_back("the key restarts at offset " + std::to_string(end) +
                      " although the record there fitted the chunk before it");
  }
}

}  // namespace

bool DecodeExport(std::vector<uint8_t> bytes, Reading reading, SplitRule rule,
                  ExportContents& contents, std::string& error) {
  contents = ExportContents{};
  if (bytes.size() % 2 != 0)
    contents.notes.push_back("the file ends in half a code unit; its last byte is not read");

  if (reading == Reading::kDetect && !bytes.empty()) {
    if (bytes.size() < kPrefixBytes) {
      error = "the file is too short to hold a record";
      return false;
    }
    if (PrefixKindAt(bytes.data()) != RecordKind::kUnknown) {
      reading = Reading::kPlain;
    } else if (PrefixKindAt(bytes.data(), KeyStart()) != RecordKind::kUnknown) {
      reading = Reading::kScrambled;
    } else {
      error = "the file starts with no record prefix, plain or scrambled; it is not an exported "
              "log (--plain or --scrambled read it anyway)";
      return false;
    }
  }

  contents.scrambled = reading == Reading::kScrambled;
  if (contents.scrambled) {
    contents.chunkStarts = FindKeyRestarts(bytes);
    contents.chunksFromKey = true;
    ScrambleChunks(bytes, contents.chunkStarts);
  }
  contents.plain = std::move(bytes);
  contents.split = SplitRecords(contents.plain, contents.chunkStarts, rule);

  if (contents.scrambled) {
    AddHiddenRestarts(contents);
    CheckChunks(contents, contents.notes);
  } else {
    contents.chunkStarts = LayoutChunks(contents.split.records);
  }
  if (!contents.split.records.empty() &&
      contents.split.records.front().kind == RecordKind::kUnknown)
    contents.notes.push_back("the first " + std::to_string(contents.split.records.front().length) +
                             " bytes start with no record prefix");
  return true;
}

}  // namespace morvik_cat
