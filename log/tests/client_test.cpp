// A client as a real one is built: it knows I_Morvik.h only, loads the
// library by name at run time and calls the exports and the interface.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#include <unistd.h>
#endif

#include "I_Morvik.h"

namespace {

#if defined(_WIN32)
#define TXT(s) L##s
#else
#define TXT(s) u##s
#endif

using Text = std::basic_string<MorvikChar>;

class Library {
public:
  Library() {
#if defined(_WIN32)
    module_ = LoadLibraryW(L"Morvik.dll");
#else
    // By name through the search path (the program's run path is beside
    // it), else beside the program: a sanitizer's dlopen interceptor hides
    // the program's run path.
    module_ = dlopen("libMorvik.so", RTLD_NOW | RTLD_LOCAL);
    if (module_ == nullptr) {
      char path[4096];
      const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
      if (n > 0) {
        std::string beside(path, static_cast<std::size_t>(n));
        beside = beside.substr(0, beside.rfind('/') + 1) + "libMorvik.so";
        module_ = dlopen(beside.c_str(), RTLD_NOW | RTLD_LOCAL);
      }
    }
#endif
  }
  ~Library() {
#if defined(_WIN32)
    if (module_) FreeLibrary(static_cast<HMODULE>(module_));
#else
    if (module_) dlclose(module_);
#endif
  }
  bool loaded() const { return module_ != nullptr; }
  template <typename F>
  F Find(const char* name) const {
#if defined(_WIN32)
    return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(module_), name)));
#else
    return reinterpret_cast<F>(dlsym(module_, name));
#endif
  }

private:
  void* module_ = nullptr;
};

std::vector<unsigned char> Utf16Le(const Text& text) {
  std::vector<unsigned char> out;
  for (MorvikChar c : text) {
    out.push_back(static_cast<unsigned char>(static_cast<uint16_t>(c) & 0xFF));
    out.push_back(static_cast<unsigned char>(static_cast<uint16_t>(c) >> 8));
  }
  return out;
}

class Client : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(library_.loaded());
    getInterface_ = library_.Find<MorvikGetInterfaceFn>("GetInterface");
    freeInterface_ = library_.Find<MorvikFreeInterfaceFn>("FreeInterface");
    ASSERT_NE(getInterface_, nullptr);
    ASSERT_NE(freeInterface_, nullptr);
  }

  Library library_;
  MorvikGetInterfaceFn getInterface_ = nullptr;
  MorvikFreeInterfaceFn freeInterface_ = nullptr;
};

TEST_F(Client, OnlyTheTwoExportsAreVisible) {
  EXPECT_EQ(library_.Find<void*>("ReportFailure"), nullptr);
  EXPECT_EQ(library_.Find<void*>("_ZN6morvik13ReportFailureEiPKDs"), nullptr);
}

TEST_F(Client, ExportResults) {
  I_Morvik* log = nullptr;
  ASSERT_EQ(getInterface_(&log), MORVIK_S_OK);
  ASSERT_NE(log, nullptr);
  I_Morvik* first = log;
  EXPECT_EQ(getInterface_(&log), MORVIK_E_FAIL);
  EXPECT_EQ(log, first);
  log->Message(TXT("queued"));
  EXPECT_EQ(freeInterface_(&log), MORVIK_S_OK);
  EXPECT_EQ(log, nullptr);
  EXPECT_EQ(freeInterface_(&log), MORVIK_E_FAIL);
}

TEST_F(Client, EverySlotUpToTheExportWorksThroughTheTable) {
  I_Morvik* log = nullptr;
  ASSERT_EQ(getInterface_(&log), MORVIK_S_OK);
  log->Message(TXT("m"));
  log->Comment(TXT("c"));
  log->Event(TXT("e"));
  log->Error(TXT("r"));
  log->Warning(TXT(""));
  EXPECT_EQ(log->GetCount(), 5);

  unsigned char buffer[256];
  const uint32_t n = log->GetLogData(buffer, sizeof buffer);
  EXPECT_EQ(std::vector<unsigned char>(buffer, buffer + n), Utf16Le(TXT("Msg: mCmt: cEvt: eErr: rWrn: EMPTY\r\n")));
  EXPECT_EQ(log->GetCount(), 0);

  log->Error(TXT("gone"));
  log->Clear();
  EXPECT_EQ(log->GetCount(), 0);

  const auto path = std::filesystem::temp_directory_path() / "morvik-client-test.dat";
#if defined(_WIN32)
  const Text file = path.wstring();
#else
  const Text file = path.u16string();
#endif
  log->Message(TXT("exported"));
  ASSERT_TRUE(log->ExportToFile(file.c_str(), false));
  std::ifstream in(path, std::ios::binary);
  const std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  in.close();
  std::filesystem::remove(path);
  EXPECT_EQ(bytes, Utf16Le(TXT("Msg: exportedEvt: ---Exported to ") + file + TXT(" file, the session index: 0---")));
  EXPECT_EQ(freeInterface_(&log), MORVIK_S_OK);
}

// Clients written in other languages call the operations by their position
// in the table; the positions never change.
TEST_F(Client, OperationsSitInTheirFixedSlots) {
  I_Morvik* log = nullptr;
  ASSERT_EQ(getInterface_(&log), MORVIK_S_OK);
  void** table = *reinterpret_cast<void***>(log);
  using ClearFn = void(MORVIK_CALL*)(I_Morvik*);
  using CountFn = int32_t(MORVIK_CALL*)(I_Morvik*);
  using TextFn = void(MORVIK_CALL*)(I_Morvik*, const MorvikChar*);
  using ReadFn = uint32_t(MORVIK_CALL*)(I_Morvik*, void*, uint32_t);

  const char* prefixes[] = {"Msg: ", "Cmt: ", "Evt: ", "Err: ", "Wrn: "};
  for (int slot = 2; slot <= 6; ++slot) {
    reinterpret_cast<TextFn>(table[slot])(log, TXT("t"));
    EXPECT_EQ(reinterpret_cast<CountFn>(table[1])(log), 1);
    unsigned char buffer[64];
    const uint32_t n = reinterpret_cast<ReadFn>(table[7])(log, buffer, sizeof buffer);
    const std::string prefix = prefixes[slot - 2];
    EXPECT_EQ(std::vector<unsigned char>(buffer, buffer + n), Utf16Le(Text(prefix.begin(), prefix.end()) + TXT("t")))
        << "slot " << slot;
  }
  log->Message(TXT("x"));
  reinterpret_cast<ClearFn>(table[0])(log);
  EXPECT_EQ(log->GetCount(), 0);
  EXPECT_EQ(freeInterface_(&log), MORVIK_S_OK);
}

}  // namespace
