#include "program_names.h"

#include "text_case.h"

namespace tarvelax {

std::string SettingsFileName(const std::string& programPath) {
  const auto dot = programPath.rfind('.');
  const std::string stem = dot == std::string::npos ? programPath : programPath.substr(0, dot);
  return stem + ".ini";
}

std::string ApplicationTitle(const std::string& programPath) {
  // Both separators count, so one rule serves Windows and POSIX paths.
  const auto slash = programPath.find_last_of("\\/:");
  std::string name = slash == std::string::npos ? programPath : programPath.substr(slash + 1);
  const auto dot = name.find('.');
  if (dot != std::string::npos) name.erase(dot);
  if (name.empty()) return name;
  // The first character may take several bytes.
  std::size_t firstLength = 1;
  const auto lead = static_cast<unsigned char>(name[0]);
  if (lead >= 0xF0) {
    firstLength = 4;
  } else if (lead >= 0xE0) {
    firstLength = 3;
  } else if (lead >= 0xC0) {
    firstLength = 2;
  }
  if (firstLength > name.size()) firstLength = name.size();
  return name.substr(0, firstLength) + ToLowerText(name.substr(firstLength));
}

}  // namespace tarvelax
