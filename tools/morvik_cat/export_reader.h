// export_reader.h - turns the bytes of an exported log, plain or scrambled,
// into its plain bytes, its chunks and its records.
#ifndef MORVIK_CAT_EXPORT_READER_H
#define MORVIK_CAT_EXPORT_READER_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "morvik_cat/record_scanner.h"

namespace morvik_cat {

// How to read a file: tell plain from scrambled by its first record, or take
// it as one of them.
enum class Reading { kDetect, kPlain, kScrambled };

struct ExportContents {
  bool scrambled = false;
  // Plain bytes of the whole file (descrambled when it was scrambled).
  std::vector<uint8_t> plain;
  // Offsets where a chunk starts: where the key restarts in a scrambled
  // file, or where an export of these records would start one.
  std::vector<std::size_t> chunkStarts;
  // True when chunkStarts came from the key itself rather than the layout.
  bool chunksFromKey = false;
  RecordSplit split;
  // Things a reader must be told: odd sizes, bad surrogates, chunks that do
  // not follow the export's chunking, ...
  std::vector<std::string> notes;
};

// Reads bytes (moved in) as an export. Returns false with error set when the
// file starts with no record prefix in the chosen (or either) reading.
bool DecodeExport(std::vector<uint8_t> bytes, Reading reading, SplitRule rule,
                  ExportContents& contents, std::string& error);

}  // namespace morvik_cat

#endif
