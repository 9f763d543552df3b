// The profile engines the core's tests run against: the in-memory one
// everywhere, the real engine of the platform (files on disk) where the
// tree has one. Tests are parameterised over TestProfiles().
#pragma once

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "settings_file.h"

namespace tarvelax::test {

// One settings file of one engine, fresh and empty.
class TestSettings {
public:
  virtual ~TestSettings() = default;
  virtual std::string Path() const = 0;
  virtual ProfileOpener Opener() = 0;
  // Makes every later write fail; reads may then see an empty file.
  virtual void MakeUnwritable() = 0;
  // Replaces the file with text, written as is; false where the engine has
  // no file.
  virtual bool WriteRaw(const std::string& text) = 0;
};

struct TestProfileKind {
  std::string name;
  std::unique_ptr<TestSettings> (*make)();
};

std::vector<TestProfileKind> TestProfiles();

// Test names and failure messages show the engine's name.
inline void PrintTo(const TestProfileKind& kind, std::ostream* out) { *out << kind.name; }

}  // namespace tarvelax::test
