// A bounded formatter for the log's UTF-16 texts: "%i" and "%d" print a signed
// 32-bit number in decimal, "%s" inserts a terminated text ("(null)" for
// null), "%%" a percent sign; everything else is copied.
#pragma once

#include <cstddef>
#include <cstdint>

#include "I_Morvik.h"

namespace morvik {

struct FormatArg {
  FormatArg(int32_t n) : number(n), text(nullptr), isText(false) {}
  FormatArg(const MorvikChar* t) : number(0), text(t), isText(true) {}
  int32_t number;
  const MorvikChar* text;
  bool isText;
};

// Writes at most capacity - 1 code units of the result and a terminator into
// out (nothing when capacity is 0) and returns the length of the whole
// result, terminator not counted, so a caller can size a buffer with a first
// call of capacity 0. Arguments are taken in order; a conversion without an
// argument left inserts nothing.
std::size_t FormatText(MorvikChar* out, std::size_t capacity, const MorvikChar* pattern,
                       const FormatArg* args, std::size_t argCount);

template <typename... Args>
std::size_t Format(MorvikChar* out, std::size_t capacity, const MorvikChar* pattern, Args... args) {
  const FormatArg list[] = {FormatArg(args)..., FormatArg(nullptr)};
  return FormatText(out, capacity, pattern, list, sizeof...(Args));
}

}  // namespace morvik
