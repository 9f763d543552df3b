// export_format.h - what an exported log file is made of, as the decoder
// needs it: the record prefixes, the chunk size of an export and its XOR key.
#ifndef MORVIK_CAT_EXPORT_FORMAT_H
#define MORVIK_CAT_EXPORT_FORMAT_H

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace morvik_cat {

// Kinds of a record, numbered as the library numbers its items; kUnknown
// marks bytes that start with no prefix at all.
enum class RecordKind : int32_t {
  kUnknown = 0,
  kMessage = 1,
  kComment = 2,
  kEvent = 3,
  kError = 4,
  kWarning = 5,
};

// Every record starts with a prefix of five UTF-16LE code units.
inline constexpr std::size_t kPrefixUnits = 5;
inline constexpr std::size_t kPrefixBytes = 2 * kPrefixUnits;

// The prefix's ASCII spelling for a kind ("Msg: " ...), empty for kUnknown.
std::string_view PrefixOf(RecordKind kind);

// The kind's name as morvik-cat prints it ("message" ...).
std::string_view KindName(RecordKind kind);

// The kind whose UTF-16LE prefix starts at bytes[0..9] once every byte i is
// XOR-ed with mask[i] (a null mask means no XOR); kUnknown when none.
RecordKind PrefixKindAt(const uint8_t* bytes, const uint8_t* mask = nullptr);

// The body the library writes for an item without text.
inline constexpr std::string_view kEmptyBody = "EMPTY\r\n";

// An export drains the log into chunks of at most this many bytes; a record
// joins a chunk only if its length plus kFitMargin still fits.
inline constexpr std::size_t kExportChunkBytes = 2700000;
inline constexpr std::size_t kFitMargin = 4;

// The scrambling key; its position restarts at 0 with every chunk.
inline constexpr std::string_view kScrambleKey = "#Q7vPz0mHw2Lx9Rb4Ny6Dk1Jt8G";

}  // namespace morvik_cat

#endif
