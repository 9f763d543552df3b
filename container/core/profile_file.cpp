#include "profile_file.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string_view>
#include <system_error>
#include <utility>

namespace tarvelax {

namespace {

namespace fs = std::filesystem;

constexpr const char* kLineEnd = "\r\n";

// The profile functions count tab to carriage return, space and ^Z (the DOS
// end-of-file mark found on old media) as blanks.
bool IsBlank(char c) {
  return (c >= 0x09 && c <= 0x0d) || c == 0x1a || c == ' ';
}

char LowerAscii(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  }
  return true;
}

std::string_view Trim(std::string_view s) {
  std::size_t b = 0, e = s.size();
  while (b < e && IsBlank(s[b])) ++b;
  while (e > b && IsBlank(s[e - 1])) --e;
  return s.substr(b, e - b);
}

std::string_view TrimLeft(std::string_view s) {
  std::size_t b = 0;
  while (b < s.size() && IsBlank(s[b])) ++b;
  return s.substr(b);
}

// The first n bytes of s; a UTF-8 sequence that the cut splits is dropped
// whole, so a cut never leaves half a character behind.
std::string CutTo(std::string_view s, std::size_t n) {
  if (n >= s.size()) return std::string(s);
  std::size_t end = n;
  // Step back over continuation bytes to the lead byte of the last
  // sequence, and keep that sequence only if it is complete.
  std::size_t lead = end;
  while (lead > 0 && (static_cast<unsigned char>(s[lead - 1]) & 0xC0) == 0x80 && end - lead < 3) --lead;
  if (lead > 0) {
    const auto c = static_cast<unsigned char>(s[lead - 1]);
    std::size_t need = 0;
    if ((c & 0xE0) == 0xC0) need = 2;
    else if ((c & 0xF0) == 0xE0) need = 3;
    else if ((c & 0xF8) == 0xF0) need = 4;
    if (need != 0 && end - (lead - 1) < need) end = lead - 1;
  }
  return std::string(s.substr(0, end));
}

struct Line {
  enum class Kind { kBlank, kSection, kKey };
  std::size_t begin = 0;     // first byte of the line
  std::size_t end = 0;       // one past the last byte before the line end
  std::size_t next = 0;      // one past the line end (start of the next line)
  Kind kind = Kind::kBlank;
  std::string_view name;     // section or key name, trimmed
  bool has_value = false;
  std::string_view value;    // trimmed
};

std::vector<Line> SplitLines(const std::string& text) {
  std::vector<Line> lines;
  std::size_t pos = 0;
  // A UTF-8 byte-order mark belongs to no line.
  if (text.size() >= 3 && text.compare(0, 3, "\xEF\xBB\xBF") == 0) pos = 3;
  while (pos < text.size()) {
    Line line;
    line.begin = pos;
    std::size_t end = text.find_first_of("\r\n", pos);
    if (end == std::string::npos) end = text.size();
    line.end = end;
    std::size_t next = end;
    if (next < text.size()) {
      next += (text[next] == '\r' && next + 1 < text.size() && text[next + 1] == '\n') ? 2 : 1;
    }
    line.next = next;
    pos = next;

    const std::string_view content = Trim(std::string_view(text).substr(line.begin, line.end - line.begin));
    if (content.empty()) {
      lines.push_back(line);
      continue;
    }
    if (content.front() == '[') {
      const std::size_t close = content.rfind(']');
      if (close != std::string_view::npos) {
        line.kind = Line::Kind::kSection;
        line.name = Trim(content.substr(1, close - 1));
        lines.push_back(line);
        continue;
      }
    }
    line.kind = Line::Kind::kKey;
    const std::size_t eq = content.find('=');
    if (eq == std::string_view::npos) {
      line.name = content;
    } else {
      line.name = Trim(content.substr(0, eq));
      line.has_value = true;
      line.value = Trim(content.substr(eq + 1));
    }
    lines.push_back(line);
  }
  return lines;
}

// Index of the header of the first section called name, if any.
std::optional<std::size_t> FindSection(const std::vector<Line>& lines, std::string_view name) {
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].kind == Line::Kind::kSection && EqualNoCase(lines[i].name, name)) return i;
  }
  return std::nullopt;
}

// One past the last line of the section whose header is at index header.
std::size_t SectionEnd(const std::vector<Line>& lines, std::size_t header) {
  std::size_t i = header + 1;
  while (i < lines.size() && lines[i].kind != Line::Kind::kSection) ++i;
  return i;
}

std::optional<std::size_t> FindKey(const std::vector<Line>& lines, std::size_t header,
                                   std::string_view key) {
  const std::size_t end = SectionEnd(lines, header);
  for (std::size_t i = header + 1; i < end; ++i) {
    if (lines[i].kind == Line::Kind::kKey && EqualNoCase(lines[i].name, key)) return i;
  }
  return std::nullopt;
}

// Copies value into a buffer of size bytes: one pair of enclosing quotes
// comes off, the way the profile functions take it off (the closing quote
// is dropped only when the buffer reaches it).
std::string CopyEntry(std::string_view value, std::size_t size) {
  bool quoted = false;
  if (!value.empty() && (value.front() == '"' || value.front() == '\'') && value.size() > 1 &&
      value.back() == value.front()) {
    quoted = true;
    value.remove_prefix(1);
  }
  std::string out = CutTo(value, size - 1);
  if (quoted && size >= value.size() && !out.empty()) out.pop_back();
  return out;
}

bool ReadWholeFile(const std::string& path, std::string& text) {
  text.clear();
  std::error_code ec;
  const fs::file_status st = fs::status(fs::path(path), ec);
  if (st.type() == fs::file_type::not_found) return true;
  if (ec || !fs::is_regular_file(st)) return false;
  std::ifstream in(fs::path(path), std::ios::binary);
  if (!in) return false;
  text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

bool WriteTo(const fs::path& target, const std::string& text) {
  std::ofstream out(target, std::ios::binary | std::ios::trunc);
  if (!out) return false;
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
  out.flush();
  const bool ok = static_cast<bool>(out);
  out.close();
  return ok && !out.fail();
}

// Replaces the file's bytes: written beside it and renamed over it, so a
// failed write (a full disk) leaves the old file as it was. Where no file
// can be made beside it, the file itself is rewritten.
bool ReplaceFile(const std::string& path, const std::string& text) {
  std::error_code ec;
  fs::path target(path);
  if (fs::is_symlink(fs::symlink_status(target, ec))) {
    const fs::path resolved = fs::canonical(target, ec);
    if (!ec) target = resolved;
  }
  const bool existed = fs::exists(target, ec);
  fs::path temp = target;
  temp += ".tarvelax-new";
  if (WriteTo(temp, text)) {
    if (existed) {
      const fs::perms perms = fs::status(target, ec).permissions();
      if (!ec) fs::permissions(temp, perms, ec);
    }
    fs::rename(temp, target, ec);
    if (!ec) return true;
    fs::remove(temp, ec);
  } else {
    fs::remove(temp, ec);
  }
  return WriteTo(target, text);
}

// Whether the file at path may be written: a missing file may be created
// (the write itself tells whether it can); anything that is not a regular
// file, or a file that does not open for writing, may not.
bool MayWrite(const std::string& path) {
  std::error_code ec;
  const fs::file_status st = fs::status(fs::path(path), ec);
  if (!fs::exists(st)) return true;
  if (!fs::is_regular_file(st)) return false;
  std::fstream probe(fs::path(path), std::ios::binary | std::ios::in | std::ios::out);
  return static_cast<bool>(probe);
}

}  // namespace

namespace profile_text {

std::string ReadString(const std::string& text, const std::string& section,
                       const std::string& key, const std::string& def, std::size_t size) {
  if (size == 0) return std::string();
  std::string_view fallback(def);
  while (!fallback.empty() && fallback.back() == ' ') fallback.remove_suffix(1);

  const std::vector<Line> lines = SplitLines(text);
  if (const auto header = FindSection(lines, Trim(section))) {
    if (const auto at = FindKey(lines, *header, Trim(key)); at && lines[*at].has_value) {
      return CopyEntry(lines[*at].value, size);
    }
  }
  return CopyEntry(fallback, size);
}

std::vector<std::string> ReadKeys(const std::string& text, const std::string& section,
                                  std::size_t size) {
  std::vector<std::string> keys;
  const std::vector<Line> lines = SplitLines(text);
  const auto header = FindSection(lines, Trim(section));
  if (!header) return keys;
  const std::size_t end = SectionEnd(lines, *header);
  // Room left in the caller's list: each name takes its length plus a
  // terminator, and one more terminator closes the list.
  std::size_t room = size;
  for (std::size_t i = *header + 1; i < end; ++i) {
    const Line& line = lines[i];
    if (line.kind != Line::Kind::kKey || !line.has_value) continue;
    if (!line.name.empty() && line.name.front() == ';') continue;
    if (room <= 2) break;
    // An empty name ends the list for whoever reads it (two terminators).
    if (line.name.empty()) break;
    std::string piece = CutTo(line.name, room - 2);
    room -= piece.size() + 1;
    if (piece.empty()) break;
    keys.push_back(std::move(piece));
    if (room < 2) break;
  }
  return keys;
}

std::string WriteString(const std::string& text, const std::string& section,
                        const std::string& key, const std::string& value) {
  const std::string_view new_value = TrimLeft(value);
  const std::vector<Line> lines = SplitLines(text);

  const auto header = FindSection(lines, Trim(section));
  if (!header) {
    std::string out = text;
    if (!out.empty() && out.back() != '\n' && out.back() != '\r') out += kLineEnd;
    out += '[';
    out += TrimLeft(section);
    out += ']';
    out += kLineEnd;
    out += TrimLeft(key);
    out += '=';
    out += new_value;
    out += kLineEnd;
    return out;
  }

  if (const auto at = FindKey(lines, *header, Trim(key))) {
    const Line& line = lines[*at];
    if (line.has_value && line.value == new_value) return text;
    std::string replacement(line.name);
    replacement += '=';
    replacement += new_value;
    replacement += kLineEnd;
    std::string out = text.substr(0, line.begin);
    out += replacement;
    out += text.substr(line.next);
    return out;
  }

  // A new key follows the last non-blank line of its section.
  std::size_t last = *header;
  for (std::size_t i = *header + 1; i < SectionEnd(lines, *header); ++i) {
    if (lines[i].kind != Line::Kind::kBlank) last = i;
  }
  const Line& after = lines[last];
  std::string out = text.substr(0, after.next);
  if (after.next == after.end) out += kLineEnd;  // the file ended without a line end
  out += TrimLeft(key);
  out += '=';
  out += new_value;
  out += kLineEnd;
  out += text.substr(after.next);
  return out;
}

}  // namespace profile_text

ProfileFile::ProfileFile(std::string path) : path_(std::move(path)) {}

// A file too large for memory reads as empty and is never written: the
// calls below turn an allocation failure into the default or false.
std::string ProfileFile::ReadString(const std::string& section, const std::string& key,
                                    const std::string& def, std::size_t size) {
  try {
    std::string text;
    ReadWholeFile(path_, text);
    return profile_text::ReadString(text, section, key, def, size);
  } catch (...) {
    return std::string();
  }
}

std::vector<std::string> ProfileFile::ReadKeys(const std::string& section, std::size_t size) {
  try {
    std::string text;
    ReadWholeFile(path_, text);
    return profile_text::ReadKeys(text, section, size);
  } catch (...) {
    return {};
  }
}

bool ProfileFile::WriteString(const std::string& section, const std::string& key,
                              const std::string& value) {
  try {
    if (!MayWrite(path_)) return false;
    std::string text;
    if (!ReadWholeFile(path_, text)) return false;
    std::error_code ec;
    const bool existed = fs::exists(fs::path(path_), ec);
    const std::string updated = profile_text::WriteString(text, section, key, value);
    if (existed && updated == text) return true;
    return ReplaceFile(path_, updated);
  } catch (...) {
    return false;
  }
}

}  // namespace tarvelax
