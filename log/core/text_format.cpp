#include "text_format.h"

#include "platform.h"

namespace morvik {
namespace {

class Writer {
public:
  Writer(MorvikChar* out, std::size_t capacity) : out_(out), capacity_(capacity) {}

  void Put(MorvikChar c) {
    if (out_ != nullptr && length_ + 1 < capacity_) out_[length_] = c;
    ++length_;
  }

  void PutText(const MorvikChar* text) {
    for (; *text != 0; ++text) Put(*text);
  }

  void PutNumber(int32_t number) {
    // Works on the unsigned magnitude so the smallest number prints too.
    uint32_t magnitude = number < 0 ? 0u - static_cast<uint32_t>(number) : static_cast<uint32_t>(number);
    MorvikChar digits[10];
    int count = 0;
    do {
      digits[count++] = static_cast<MorvikChar>('0' + magnitude % 10);
      magnitude /= 10;
    } while (magnitude != 0);
    if (number < 0) Put('-');
    while (count > 0) Put(digits[--count]);
  }

  std::size_t Finish() {
    if (out_ != nullptr && capacity_ > 0) out_[length_ < capacity_ ? length_ : capacity_ - 1] = 0;
    return length_;
  }

private:
  MorvikChar* out_;
  std::size_t capacity_;
  std::size_t length_ = 0;
};

}  // namespace

std::size_t FormatText(MorvikChar* out, std::size_t capacity, const MorvikChar* pattern,
                       const FormatArg* args, std::size_t argCount) {
  static const MorvikChar kNull[] = MORVIK_TEXT("(null)");
  Writer writer(out, capacity);
  std::size_t next = 0;
  for (const MorvikChar* p = pattern; *p != 0; ++p) {
    if (*p != '%' || (p[1] != 'i' && p[1] != 'd' && p[1] != 's' && p[1] != '%')) {
      writer.Put(*p);
      continue;
    }
    ++p;
    if (*p == '%') {
      writer.Put('%');
    } else if (next < argCount) {
      const FormatArg& arg = args[next++];
      if (*p == 's') {
        writer.PutText(arg.isText && arg.text != nullptr ? arg.text : kNull);
      } else {
        writer.PutNumber(arg.isText ? 0 : arg.number);
      }
    }
  }
  return writer.Finish();
}

}  // namespace morvik
