// The Profile of a settings file through the real Windows profile
// functions, in their 8-bit form: the file keeps the ANSI code page and the
// buffer sizes count its bytes, as for any 8-bit program.
#include <windows.h>

#include <vector>

#include "profile.h"
#include "text_encoding_win32.h"

namespace tarvelax {
namespace {

class ProfileWin32 final : public Profile {
public:
  explicit ProfileWin32(const std::string& path) : path_(Utf8ToAnsi(path)) {}

  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& def, std::size_t size) override {
    if (size == 0) return {};
    std::vector<char> buffer(size, '\0');
    const DWORD length =
        GetPrivateProfileStringA(Utf8ToAnsi(section).c_str(), Utf8ToAnsi(key).c_str(),
                                 Utf8ToAnsi(def).c_str(), buffer.data(),
                                 static_cast<DWORD>(size), path_.c_str());
    return AnsiToUtf8(std::string_view(buffer.data(), length));
  }

  std::vector<std::string> ReadKeys(const std::string& section, std::size_t size) override {
    std::vector<std::string> keys;
    if (size < 2) return keys;
    std::vector<char> buffer(size, '\0');
    const DWORD length = GetPrivateProfileStringA(Utf8ToAnsi(section).c_str(), nullptr, "",
                                                  buffer.data(), static_cast<DWORD>(size),
                                                  path_.c_str());
    // A list of names, each ending in a null; length counts up to the last.
    std::size_t start = 0;
    for (std::size_t i = 0; i < length && i < size; ++i) {
      if (buffer[i] == '\0') {
        keys.push_back(AnsiToUtf8(std::string_view(buffer.data() + start, i - start)));
        start = i + 1;
      }
    }
    if (start < length) {
      keys.push_back(AnsiToUtf8(std::string_view(buffer.data() + start, length - start)));
    }
    return keys;
  }

  bool WriteString(const std::string& section, const std::string& key,
                   const std::string& value) override {
    return WritePrivateProfileStringA(Utf8ToAnsi(section).c_str(), Utf8ToAnsi(key).c_str(),
                                      Utf8ToAnsi(value).c_str(), path_.c_str()) != FALSE;
  }

private:
  std::string path_;
};

}  // namespace

std::unique_ptr<Profile> OpenProfile(const std::string& path) {
  return std::make_unique<ProfileWin32>(path);
}

}  // namespace tarvelax
