// record_scanner.cpp - record boundaries from prefixes, line ends and chunk
// starts.
#include "morvik_cat/record_scanner.h"

#include <algorithm>

namespace morvik_cat {

namespace {

struct Candidate {
  std::size_t offset;
  RecordKind kind;
  bool sure;
  bool afterLineEnd;
};

bool FollowsLineEnd(std::span<const uint8_t> plain, std::size_t offset) {
  return offset >= 2 && plain[offset - 2] == '\n' && plain[offset - 1] == 0;
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
    candidates.push_back({offset, kind, isSure, lineEnd});
    if (!isSure) ++(lineEnd ? afterLineEnd : elsewhere);
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
