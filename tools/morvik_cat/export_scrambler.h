// export_scrambler.h - the XOR scrambling of exports, chunk by chunk, and the
// chunk layout an export gives a sequence of records.
#ifndef MORVIK_CAT_EXPORT_SCRAMBLER_H
#define MORVIK_CAT_EXPORT_SCRAMBLER_H

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "morvik_cat/record_scanner.h"

namespace morvik_cat {

// XORs bytes in place with the key, starting at key position 0. Applying it
// twice restores the bytes.
void ScrambleChunk(std::span<uint8_t> bytes);

// ScrambleChunk over each chunk; chunkStarts is ascending and starts with 0.
void ScrambleChunks(std::span<uint8_t> bytes, const std::vector<std::size_t>& chunkStarts);

// The chunk starts an export gives these records: a chunk takes records while
// each one's length plus the fit margin still fits, and a record that fits
// no chunk is a chunk of its own.
std::vector<std::size_t> LayoutChunks(const std::vector<Record>& records);

}  // namespace morvik_cat

#endif
