#include "settings_file.h"

#include "container_error.h"
#include "profile_integer.h"
#include "text_case.h"

namespace tarvelax {

SettingsFile::SettingsFile(const ProfileOpener& opener, std::string fileName)
    : fileName_(std::move(fileName)), profile_(opener(fileName_)) {
  if (!profile_) throw ContainerError("Unable to open " + fileName_);
}

std::string SettingsFile::ReadString(const std::string& section, const std::string& key,
                                     const std::string& def) {
  return profile_->ReadString(section, key, def, kValueBufferSize);
}

std::int32_t SettingsFile::ReadInteger(const std::string& section, const std::string& key,
                                       std::int32_t def) {
  return ParseProfileInteger(ReadString(section, key, ""), def);
}

std::vector<std::string> SettingsFile::ReadSection(const std::string& section) {
  return profile_->ReadKeys(section, kKeyListBufferSize);
}

std::vector<KeyValue> SettingsFile::ReadSectionValues(const std::string& section) {
  std::vector<KeyValue> pairs;
  for (auto& key : ReadSection(section)) {
    std::string value = ReadString(section, key, "");
    pairs.emplace_back(std::move(key), std::move(value));
  }
  return pairs;
}

bool SettingsFile::ValueExists(const std::string& section, const std::string& key) {
  for (const auto& name : ReadSection(section)) {
    if (EqualsIgnoreCase(name, key)) return true;
  }
  return false;
}

void SettingsFile::WriteString(const std::string& section, const std::string& key,
                               const std::string& value) {
  if (!profile_->WriteString(section, key, value)) {
    throw ContainerError("Unable to write to " + fileName_);
  }
}

void SettingsFile::WriteInteger(const std::string& section, const std::string& key,
                                std::int32_t value) {
  WriteString(section, key, FormatProfileInteger(value));
}

std::string ValueOfKey(const std::vector<KeyValue>& pairs, const std::string& key) {
  for (const auto& [name, value] : pairs) {
    if (EqualsIgnoreCase(name, key)) return value;
  }
  return {};
}

}  // namespace tarvelax
