// export_format.cpp - record prefixes and kind names.
#include "morvik_cat/export_format.h"

namespace morvik_cat {

namespace {

struct KindInfo {
  RecordKind kind;
  std::string_view prefix;
  std::string_view name;
};

constexpr KindInfo kKinds[] = {
    {RecordKind::kMessage, "Msg: ", "message"}, {RecordKind::kComment, "Cmt: ", "comment"},
    {RecordKind::kEvent, "Evt: ", "event"},     {RecordKind::kError, "Err: ", "error"},
    {RecordKind::kWarning, "Wrn: ", "warning"},
};

}  // namespace

std::string_view PrefixOf(RecordKind kind) {
  for (const KindInfo& info : kKinds)
    if (info.kind == kind) return info.prefix;
  return {};
}

std::string_view KindName(RecordKind kind) {
  for (const KindInfo& info : kKinds)
    if (info.kind == kind) return info.name;
  return "unknown";
}

RecordKind PrefixKindAt(const uint8_t* bytes, const uint8_t* mask) {
  auto byte = [&](std::size_t i) -> uint8_t {
    return static_cast<uint8_t>(mask ? bytes[i] ^ mask[i] : bytes[i]);
  };
  // Every prefix ends in ": " and has high bytes of zero; test those first,
  // since this runs at every even offset of a file.
  if (byte(6) != ':' || byte(8) != ' ') return RecordKind::kUnknown;
  for (std::size_t i = 1; i < kPrefixBytes; i += 2)
    if (byte(i) != 0) return RecordKind::kUnknown;
  for (const KindInfo& info : kKinds) {
    if (byte(0) == static_cast<uint8_t>(info.prefix[0]) &&
        byte(2) == static_cast<uint8_t>(info.prefix[1]) &&
        byte(4) == static_cast<uint8_t>(info.prefix[2]))
      return info.kind;
  }
  return RecordKind::kUnknown;
}

}  // namespace morvik_cat
