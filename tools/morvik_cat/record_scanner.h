// record_scanner.h - finds the records in the plain bytes of an export.
//
// Records carry no length: each one is a kind prefix followed by its text,
// and the next prefix ends it. A text may itself hold a prefix ("see Msg: 3"),
// so a prefix inside the bytes is a record start only by convention. The
// scanner says which convention it applied and where it was not sure.
#ifndef MORVIK_CAT_RECORD_SCANNER_H
#define MORVIK_CAT_RECORD_SCANNER_H

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "morvik_cat/export_format.h"

namespace morvik_cat {

// Which prefixes start a record.
enum class SplitRule {
  // kLineEnds when most prefixes follow a line end, else kEveryPrefix.
  kAuto,
  // Only prefixes that follow a line end, known chunk starts and the export
  // event: for logs whose texts end with "\r\n"; a prefix elsewhere stays in
  // the text.
  kLineEnds,
  // Every prefix after a non-empty text starts a record.
  kEveryPrefix,
};

struct Record {
  std::size_t offset = 0;  // of the prefix, in bytes
  std::size_t length = 0;  // in bytes, prefix included
  RecordKind kind = RecordKind::kUnknown;
  // The text holds a prefix that the rule did not take as a record start:
  // it may really be two or more records.
  bool holdsPrefix = false;
};

struct RecordSplit {
  std::vector<Record> records;
  SplitRule rule = SplitRule::kEveryPrefix;  // the rule applied (never kAuto)
  // Record starts taken on the prefix alone (kEveryPrefix): no line end
  // before them and no chunk start there.
  std::size_t prefixOnlyStarts = 0;
  // Prefixes kept inside texts (kLineEnds).
  std::size_t keptPrefixes = 0;
};

// Splits plain (an even number of bytes is read; an odd last byte is left
// out) into records. sureStarts lists offsets known to start a record
// (chunk starts of a scrambled export), ascending. Bytes before the first
// prefix become one record of kind kUnknown.
RecordSplit SplitRecords(std::span<const uint8_t> plain, const std::vector<std::size_t>& sureStarts,
                         SplitRule rule);

}  // namespace morvik_cat

#endif
