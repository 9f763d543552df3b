#include "combo_completion.h"

#include "text_case.h"

namespace tarvelax {

int FindCompletion(const std::vector<std::string>& items, const std::string& typed) {
  if (typed.empty()) return -1;
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (StartsWithIgnoreCase(items[i], typed)) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace tarvelax
