// record_scanner.cpp - record boundaries from prefixes, line ends and chunk
// starts.
#include "morvik_cat/record_scanner.h"

#include <algorithm>
#include <string_view>

namespace morvik_cat {

namespace {

struct Candidate {
  std::size_t offset;
  RecordKind kind;
  bool sure;
  bool afterLineEnd;  // or the export event starts there
};

bool FollowsLineEnd(std::span<const uint8_t> plain, std::size_t offset) {
  return offset >= 2 && plain[offset - 2] == '\n' && plain[offset - 1] == 0;
}

// The event every export records starts with these words; a prefix followed
// by them is taken as a record start as surely as one after a line end,
// since the last text before the event often has no line end.
bool StartsExportEvent(std::span<const uint8_t> plain, std::size_t offset) {
  static constexpr std::string_view kWords = "---Exported to ";
  if (PrefixKindAt(plain.data() + offset) != RecordKind::kEvent) return false;
  const std::size_t body = offset + kPrefixBytes;
  if (plain.size() < body + 2 * kWords.size()) return false;
  for (std::size_t i = 0; i < kWords.size(); ++i)
    if (plain[body + 2 * i] != static_cast<uint8_t>(kWords[i]) || plain[body + 2 * i + 1] != 0)
      return false;
  return true;
}

}  // namespace

RecordSplit SplitRecords(std::span<const uint8_t> plain, const std::vector<std::size_t>& sureStarts,
                         SplitRule rule) {
  RecordSplit split;
  const std::size_t size = plain.size() & ~std::size_t{1};
  if (size == 0) return split;

  std::vector<Candidate> candidates;
  auto sure = sureStarts.begin();
  std::size_t afterLineEnd = 0;
  std::size_t elsewhere = 0;
  for (std::size_t offset = 2; offset + kPrefixBytes <= size; offset += 2) {
    while (sure != sureStarts.end() && *sure < offset) ++sure;
    const bool isSure = sure != sureStarts.end() && *sure == offset;
    const RecordKind kind = PrefixKindAt(plain.data() + offset);
    if (kind == RecordKind::kUnknown) continue;
    const bool lineEnd = FollowsLineEnd(plain, offset);
    const bool event = !lineEnd && StartsExportEvent(plain, offset);
    candidates.push_back({offset, kind, isSure, lineEnd || event});
    if (!isSure && !event) ++(lineEnd ? afterLineEnd : elsewhere);
  }

  if (rule == SplitRule::kAuto)
    rule = afterLineEnd > elsewhere ? SplitRule::kLineEnds : SplitRule::kEveryPrefix;
  split.rule = rule;

  Record current;
  current.offset = 0;
  current.kind = size >= kPrefixBytes ? PrefixKindAt(plain.data()) : RecordKind::kUnknown;
  for (const Candidate& candidate : candidates) {
    // A record always has a body (an item without text reads "EMPTY\r\n"),
    // so a prefix right after a prefix belongs to the text.
    const bool bodyEmpty = current.kind != RecordKind::kUnknown &&
                           candidate.offset < current.offset + kPrefixBytes + 2;
    if (!candidate.sure) {
      if (bodyEmpty) continue;
      if (rule == SplitRule::kLineEnds && !candidate.afterLineEnd) {
        current.holdsPrefix = true;
        ++split.keptPrefixes;
        continue;
      }
      if (!candidate.afterLineEnd) ++split.prefixOnlyStarts;
    }
    current.length = candidate.offset - current.offset;
    split.records.push_back(current);
    current = Record{candidate.offset, 0, candidate.kind, false};
  }
  current.length = size - current.offset;
  split.records.push_back(current);
  return split;
}

}  // namespace morvik_cat
