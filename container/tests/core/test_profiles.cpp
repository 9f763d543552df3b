#include "test_profiles.h"

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>

#include "memory_profile.h"

namespace tarvelax::test {
namespace {

class MemorySettings final : public TestSettings {
public:
  std::string Path() const override { return "memory.ini"; }
  ProfileOpener Opener() override {
    auto store = store_;
    return [store](const std::string&) { return OpenMemoryProfile(store); };
  }
  void MakeUnwritable() override { store_->writable = false; }
  bool WriteRaw(const std::string&) override { return false; }

private:
  std::shared_ptr<MemoryStore> store_ = std::make_shared<MemoryStore>();
};

#ifdef TARVELAX_TEST_REAL_PROFILE
// A settings file in a folder of its own under the temporary folder.
class FileSettings final : public TestSettings {
public:
  FileSettings() {
    static std::atomic<int> counter{0};
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    dir_ = std::filesystem::temp_directory_path() /
           ("tarvelax-core-" + std::to_string(stamp) + "-" + std::to_string(counter++));
    std::filesystem::create_directories(dir_);
    path_ = (dir_ / "TarvelAXContainer.ini").string();
  }
  ~FileSettings() override {
    std::error_code ignored;
    std::filesystem::remove_all(dir_, ignored);
  }
  std::string Path() const override { return path_; }
  ProfileOpener Opener() override { return OpenProfile; }
  // A folder in the file's place: no one, root included, writes a file there.
  void MakeUnwritable() override {
    std::error_code ignored;
    std::filesystem::remove(path_, ignored);
    std::filesystem::create_directory(path_);
  }
  bool WriteRaw(const std::string& text) override {
    std::ofstream out(path_, std::ios::binary | std::ios::trunc);
    out << text;
    return static_cast<bool>(out);
  }

private:
  std::filesystem::path dir_;
  std::string path_;
};
#endif

}  // namespace

std::vector<TestProfileKind> TestProfiles() {
  std::vector<TestProfileKind> kinds;
  kinds.push_back({"Memory", [] { return std::unique_ptr<TestSettings>(new MemorySettings); }});
#ifdef TARVELAX_TEST_REAL_PROFILE
  kinds.push_back({"File", [] { return std::unique_ptr<TestSettings>(new FileSettings); }});
#endif
  return kinds;
}

}  // namespace tarvelax::test
