// A settings file read and written by ourselves, line by line, the way the
// Windows profile functions read and write it. Used where those functions do
// not exist; portable C++ only, so it also builds (and is compared with the
// real functions) in the Windows trees.
#pragma once

#include "profile.h"

#include <cstddef>
#include <string>
#include <vector>

namespace tarvelax {

// The profile of one INI file. Nothing is cached: every call reads the file
// anew, every write rewrites it at once.
//
// Reading: a line is a section header when it starts with "[" and holds a
// "]" (the name is what lies between the "[" and the last "]"); any other
// non-blank line is a key line, its name before the first "=", its value
// after it; a key line without "=" has no value. Names and values are
// trimmed of blanks (tab to carriage return, space, ^Z). The first section
// of a name and the first key of a name count, letter case ignored (ASCII).
// One pair of enclosing quotes is taken off a value. Lines starting with ";"
// and lines without "=" are never listed. Lines end at CRLF, LF or CR; a
// UTF-8 byte-order mark is skipped.
//
// Writing: only the line the write is about changes. A changed key becomes
// "name=value" (the name as the file spells it); a new key goes after the
// last non-blank line of its section; a new section goes at the end of the
// file. Written lines end with CRLF. A missing file is created. Everything
// else keeps its bytes.
class ProfileFile final : public Profile {
public:
  explicit ProfileFile(std::string path);

  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& def, std::size_t size) override;
  std::vector<std::string> ReadKeys(const std::string& section, std::size_t size) override;
  bool WriteString(const std::string& section, const std::string& key,
                   const std::string& value) override;

  const std::string& path() const { return path_; }

private:
  std::string path_;
};

// The same rules on the text of a file, for callers that hold the text.
namespace profile_text {

std::string ReadString(const std::string& text, const std::string& section,
                       const std::string& key, const std::string& def, std::size_t size);
std::vector<std::string> ReadKeys(const std::string& text, const std::string& section,
                                  std::size_t size);
// Returns the text after writing value under key in section. When nothing
// has to change, the result equals text.
std::string WriteString(const std::string& text, const std::string& section,
                        const std::string& key, const std::string& value);

}  // namespace profile_text

}  // namespace tarvelax
