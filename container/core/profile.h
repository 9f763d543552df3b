// The profile-function view of one INI settings file: what the Windows
// profile functions offer, key by key. Texts at this interface are UTF-8;
// the file holds 8-bit texts (the system's ANSI code page on Windows, where
// the implementation converts, UTF-8 on Linux). Sizes count the file's
// bytes. One implementation calls the real Windows functions, the other
// reads and writes the file the same way itself.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace tarvelax {

class Profile {
public:
  virtual ~Profile() = default;

  // The value of key in section, or def when there is none, cut to fit a
  // buffer of size bytes (terminator included), as GetPrivateProfileString.
  virtual std::string ReadString(const std::string& section, const std::string& key,
                                 const std::string& def, std::size_t size) = 0;

  // The key names of section, in file order, as far as they fit into a
  // list of size bytes (each name with its terminator, one more at the end),
  // as GetPrivateProfileString with a null key.
  virtual std::vector<std::string> ReadKeys(const std::string& section, std::size_t size) = 0;

  // Writes value under key in section, as WritePrivateProfileString.
  // Returns false when the file could not be written.
  virtual bool WriteString(const std::string& section, const std::string& key,
                           const std::string& value) = 0;
};

// Opens the profile of the file at path (nothing is read until asked).
std::unique_ptr<Profile> OpenProfile(const std::string& path);

}  // namespace tarvelax
