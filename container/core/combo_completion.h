// The completion of ComboBoxObjects' edit text.
#pragma once

#include <string>
#include <vector>

namespace tarvelax {

// Index of the first entry of items that begins with typed, letter case
// ignored; -1 when none does or typed is empty. The platform layer selects
// that entry and shows its rest after the typed characters, which stay as
// typed.
int FindCompletion(const std::vector<std::string>& items, const std::string& typed);

}  // namespace tarvelax
