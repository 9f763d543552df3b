#include "class_registry.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "profile_file.h"
#include "text_case.h"

namespace tarvelax {
namespace {

namespace fs = std::filesystem;

constexpr const char* kClassSection = "Embeddable Object";
constexpr const char* kClassSuffix = ".class";

std::string Env(const char* name) {
  const char* value = std::getenv(name);
  return value ? std::string(value) : std::string();
}

std::vector<std::string> SplitPath(const std::string& list) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  while (start <= list.size()) {
    const std::size_t end = std::min(list.find(':', start), list.size());
    if (end > start) parts.push_back(list.substr(start, end - start));
    start = end + 1;
  }
  return parts;
}

}  // namespace

std::vector<std::string> ClassFolders(const std::string& programDir) {
  std::vector<std::string> folders;
  std::string dataHome = Env("XDG_DATA_HOME");
  if (dataHome.empty() || dataHome.front() != '/') {
    const std::string home = Env("HOME");
    dataHome = home.empty() ? std::string() : home + "/.local/share";
  }
  if (!dataHome.empty()) folders.push_back(dataHome + "/tarvelax/classes");
  std::string dataDirs = Env("XDG_DATA_DIRS");
  if (dataDirs.empty()) dataDirs = "/usr/local/share:/usr/share";
  for (const std::string& dir : SplitPath(dataDirs)) {
    if (dir.front() == '/') folders.push_back(dir + "/tarvelax/classes");
  }
  folders.push_back((fs::path(programDir) / "classes").string());
  return folders;
}

std::optional<EmbeddableClass> FindClass(const std::vector<std::string>& folders,
                                         const std::string& progId) {
  if (progId.empty()) return std::nullopt;
  for (const std::string& folder : folders) {
    std::error_code ec;
    std::vector<fs::path> files;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
      const fs::path& path = it->path();
      if (path.extension() == kClassSuffix && it->is_regular_file(ec)) files.push_back(path);
    }
    std::sort(files.begin(), files.end());
    for (const fs::path& path : files) {
      std::ifstream in(path, std::ios::binary);
      const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
      const std::string id = profile_text::ReadString(text, kClassSection, "ProgID", "", 2048);
      if (id.empty() || !EqualsIgnoreCase(id, progId)) continue;
      const std::string exec = profile_text::ReadString(text, kClassSection, "Exec", "", 2048);
      return EmbeddableClass{id, exec, path.string()};
    }
  }
  return std::nullopt;
}

std::vector<std::string> ExpandCommand(const std::string& exec, const HostNames& names) {
  std::vector<std::string> words;
  std::string word;
  bool inWord = false;
  bool quoted = false;
  for (std::size_t i = 0; i < exec.size(); ++i) {
    const char c = exec[i];
    if (c == '"') {
      quoted = !quoted;
      inWord = true;
    } else if (!quoted && (c == ' ' || c == '\t')) {
      if (inWord) words.push_back(word);
      word.clear();
      inWord = false;
    } else if (c == '%' && i + 1 < exec.size()) {
      const char p = exec[++i];
      inWord = true;
      switch (p) {
        case 'w': word += names.windowId; break;
        case 'a': word += names.application; break;
        case 'c': word += names.container; break;
        case '%': word += '%'; break;
        default: word += '%'; word += p; break;
      }
    } else {
      word += c;
      inWord = true;
    }
  }
  if (quoted) return {};
  if (inWord) words.push_back(word);
  return words;
}

}  // namespace tarvelax
