// The container's settings file object: reads and writes one INI file key
// by key through a Profile, with the class library's buffer sizes, existence
// test and integer rule. One object serves one group of reads or writes and
// is freed afterwards; nothing is cached.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "profile.h"

namespace tarvelax {

// Opens the Profile of a file; OpenProfile in the program, a fake in tests.
using ProfileOpener = std::function<std::unique_ptr<Profile>(const std::string& path)>;

// One key and its value, as a section listing gives them.
using KeyValue = std::pair<std::string, std::string>;

class SettingsFile {
public:
  // Bytes a value is read into; longer values come back cut to 2,047.
  static constexpr std::size_t kValueBufferSize = 2048;
  // Bytes the key names of one section are listed into.
  static constexpr std::size_t kKeyListBufferSize = 16384;

  // Opens the settings file at fileName through opener. Throws
  // ContainerError when the file's profile cannot be opened at all.
  SettingsFile(const ProfileOpener& opener, std::string fileName);

  const std::string& FileName() const { return fileName_; }

  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& def);
  // The value read as an integer (see ParseProfileInteger), def otherwise.
  std::int32_t ReadInteger(const std::string& section, const std::string& key, std::int32_t def);
  // The key names of section in file order, as far as the list holds them.
  std::vector<std::string> ReadSection(const std::string& section);
  // Every key of section with its value, in file order, empty values too.
  std::vector<KeyValue> ReadSectionValues(const std::string& section);
  // True when key is in section's key list, letter case ignored.
  bool ValueExists(const std::string& section, const std::string& key);

  // Writes value; throws ContainerError "Unable to write to <file>" when
  // the file cannot be written.
  void WriteString(const std::string& section, const std::string& key, const std::string& value);
  // Writes value in decimal, as WriteString.
  void WriteInteger(const std::string& section, const std::string& key, std::int32_t value);

private:
  std::string fileName_;
  std::unique_ptr<Profile> profile_;
};

// The value of the first pair whose key is key, letter case ignored; the
// empty text when there is none.
std::string ValueOfKey(const std::vector<KeyValue>& pairs, const std::string& key);

}  // namespace tarvelax
