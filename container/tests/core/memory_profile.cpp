#include "memory_profile.h"

#include <algorithm>
#include <cctype>

namespace tarvelax::test {
namespace {

bool SameName(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

class MemoryProfile final : public Profile {
public:
  explicit MemoryProfile(std::shared_ptr<MemoryStore> store) : store_(std::move(store)) {}

  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& def, std::size_t size) override {
    std::string value = def;
    if (MemorySection* s = Find(section)) {
      for (const auto& [name, v] : s->keys) {
        if (SameName(name, key)) {
          value = v;
          break;
        }
      }
    }
    if (size == 0) return {};
    if (value.size() > size - 1) value.resize(size - 1);
    return value;
  }

  std::vector<std::string> ReadKeys(const std::string& section, std::size_t size) override {
    std::vector<std::string> keys;
    MemorySection* s = Find(section);
    if (!s || size < 2) return keys;
    std::size_t used = 0;
    for (const auto& entry : s->keys) {
      // Each name takes its length and a terminator; one more ends the list.
      if (used + entry.first.size() + 1 > size - 1) {
        const std::size_t room = size - 1 - used;
        if (room > 1) keys.push_back(entry.first.substr(0, room - 1));
        break;
      }
      keys.push_back(entry.first);
      used += entry.first.size() + 1;
    }
    return keys;
  }

  bool WriteString(const std::string& section, const std::string& key,
                   const std::string& value) override {
    if (!store_->writable) return false;
    MemorySection* s = Find(section);
    if (!s) {
      store_->sections.push_back({section, {}});
      s = &store_->sections.back();
    }
    for (auto& [name, v] : s->keys) {
      if (SameName(name, key)) {
        v = value;
        return true;
      }
    }
    s->keys.emplace_back(key, value);
    return true;
  }

private:
  MemorySection* Find(const std::string& section) {
    for (auto& s : store_->sections) {
      if (SameName(s.name, section)) return &s;
    }
    return nullptr;
  }

  std::shared_ptr<MemoryStore> store_;
};

}  // namespace

std::unique_ptr<Profile> OpenMemoryProfile(std::shared_ptr<MemoryStore> store) {
  return std::make_unique<MemoryProfile>(std::move(store));
}

}  // namespace tarvelax::test
