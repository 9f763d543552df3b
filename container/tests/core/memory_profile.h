// A Profile held in memory, for tests that need no file: sections and keys
// in insertion order, names compared ignoring ASCII case, the buffer sizes
// honoured as the profile functions honour them. Writes can be made to fail.
#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "profile.h"

namespace tarvelax::test {

struct MemorySection {
  std::string name;
  std::vector<std::pair<std::string, std::string>> keys;
};

struct MemoryStore {
  std::vector<MemorySection> sections;
  bool writable = true;
};

std::unique_ptr<Profile> OpenMemoryProfile(std::shared_ptr<MemoryStore> store);

}  // namespace tarvelax::test
