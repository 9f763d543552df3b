// DllRegisterServer / DllUnregisterServer and ProgID resolution. The
// registration round trip runs against a scratch key standing in for
// HKEY_CLASSES_ROOT, so it never disturbs the real registration that other
// tests (and the container's tests) use at the same time.
#include <windows.h>
#include <ole2.h>

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "../sample_ids_win32.h"
#include "test_support_win32.h"

namespace tarvelax::sample::testing {
namespace {

std::wstring ReadString(const std::wstring& key, const wchar_t* name) {
  wchar_t value[1024] = {};
  DWORD bytes = sizeof value - sizeof(wchar_t);
  if (RegGetValueW(HKEY_CLASSES_ROOT, key.c_str(), name, RRF_RT_REG_SZ, nullptr, value, &bytes) !=
      ERROR_SUCCESS) {
    return L"<missing>";
  }
  return value;
}

bool KeyExists(const std::wstring& key) {
  HKEY handle = nullptr;
  if (RegOpenKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS) {
    return false;
  }
  RegCloseKey(handle);
  return true;
}

std::wstring DllPath() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(SampleDll(), path, MAX_PATH);
  return path;
}

std::wstring ClassKey(const wchar_t* sub = nullptr) {
  std::wstring key = std::wstring(L"CLSID\\") + kSampleClsidText;
  if (sub) key += std::wstring(L"\\") + sub;
  return key;
}

// HKEY_CLASSES_ROOT redirected to HKCU\Software\TarvelAXSampleTest\<pid>
// for the life of the fixture.
class ScratchClassesRoot : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(SampleDll(), nullptr) << "TarvelAXSample.dll not beside the test program";
    scratch_path_ = L"Software\\TarvelAXSampleTest\\" + std::to_wstring(GetCurrentProcessId());
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, scratch_path_.c_str(), 0, nullptr, 0,
                              KEY_ALL_ACCESS, nullptr, &scratch_, nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(RegOverridePredefKey(HKEY_CLASSES_ROOT, scratch_), ERROR_SUCCESS);
  }

  void TearDown() override {
    RegOverridePredefKey(HKEY_CLASSES_ROOT, nullptr);
    if (scratch_) RegCloseKey(scratch_);
    RegDeleteTreeW(HKEY_CURRENT_USER, scratch_path_.c_str());
    RegDeleteKeyW(HKEY_CURRENT_USER, scratch_path_.c_str());
  }

  std::wstring scratch_path_;
  HKEY scratch_ = nullptr;
};

struct KeyRow {
  const char* name;
  std::wstring key;
  const wchar_t* value_name;  // Null: the key's default value.
  std::wstring expected;      // Empty: only the key must exist.
};

void PrintTo(const KeyRow& row, std::ostream* out) { *out << row.name; }

class RegisteredKey : public ScratchClassesRoot, public ::testing::WithParamInterface<KeyRow> {};

TEST_P(RegisteredKey, IsWrittenByDllRegisterServer) {
  ASSERT_EQ(CallExport("DllRegisterServer"), S_OK);
  const KeyRow& row = GetParam();
  ASSERT_TRUE(KeyExists(row.key));
  if (row.expected.empty()) return;
  // "<dll>" stands for the one value that depends on where the tree was
  // built: the full path of the DLL that registered itself.
  const std::wstring expected = row.expected == L"<dll>" ? DllPath() : row.expected;
  EXPECT_EQ(ReadString(row.key, row.value_name), expected);
}

std::wstring ProgIdKey(const wchar_t* prog_id, const wchar_t* sub) {
  return std::wstring(prog_id) + L"\\" + sub;
}

INSTANTIATE_TEST_SUITE_P(
    Sample, RegisteredKey,
    ::testing::Values(
        KeyRow{"ClassName", ClassKey(), nullptr, kFullUserType},
        KeyRow{"InprocServerIsFullDllPath", ClassKey(L"InprocServer32"), nullptr, L"<dll>"},
        KeyRow{"ThreadingModelApartment", ClassKey(L"InprocServer32"), L"ThreadingModel",
               L"Apartment"},
        KeyRow{"ClassProgId", ClassKey(L"ProgID"), nullptr, L"TarvelAX.Sample.1"},
        KeyRow{"ClassVersionIndependentProgId", ClassKey(L"VersionIndependentProgID"), nullptr,
               L"TarvelAX.Sample"},
        KeyRow{"ControlKey", ClassKey(L"Control"), nullptr, L""},
        KeyRow{"MiscStatusContent", ClassKey(L"MiscStatus\\1"), nullptr,
               std::to_wstring(kMiscStatus)},
        KeyRow{"VersionedProgIdClass", ProgIdKey(L"TarvelAX.Sample.1", L"CLSID"), nullptr,
               kSampleClsidText},
        KeyRow{"ProgIdClass", ProgIdKey(L"TarvelAX.Sample", L"CLSID"), nullptr,
               kSampleClsidText},
        KeyRow{"ProgIdCurVer", ProgIdKey(L"TarvelAX.Sample", L"CurVer"), nullptr,
               L"TarvelAX.Sample.1"}),
    [](const ::testing::TestParamInfo<KeyRow>& info) { return std::string(info.param.name); });

TEST_F(ScratchClassesRoot, UnregisterRemovesEveryKey) {
  ASSERT_EQ(CallExport("DllRegisterServer"), S_OK);
  ASSERT_EQ(CallExport("DllUnregisterServer"), S_OK);
  EXPECT_FALSE(KeyExists(ClassKey()));
  EXPECT_FALSE(KeyExists(L"TarvelAX.Sample"));
  EXPECT_FALSE(KeyExists(L"TarvelAX.Sample.1"));
  // Twice, or without any registration, is no error.
  EXPECT_EQ(CallExport("DllUnregisterServer"), S_OK);
}

TEST_F(ScratchClassesRoot, UnregisterKeepsAProgIdAnotherClassTookOver) {
  ASSERT_EQ(CallExport("DllRegisterServer"), S_OK);
  const wchar_t other[] = L"{00000000-1111-2222-3333-444444444444}";
  ASSERT_EQ(RegSetKeyValueW(HKEY_CLASSES_ROOT, L"TarvelAX.Sample\\CLSID", nullptr, REG_SZ, other,
                            sizeof other),
            ERROR_SUCCESS);
  ASSERT_EQ(CallExport("DllUnregisterServer"), S_OK);
  EXPECT_FALSE(KeyExists(ClassKey()));
  EXPECT_FALSE(KeyExists(L"TarvelAX.Sample.1"));
  EXPECT_EQ(ReadString(L"TarvelAX.Sample\\CLSID", nullptr), other);
}

class ProgIdResolves : public ::testing::TestWithParam<const char*> {};

TEST_P(ProgIdResolves, ToTheSampleClass) {
  ASSERT_EQ(RegisterSampleForTests(), S_OK);
  CLSID clsid = {};
  wchar_t prog_id[64] = {};
  MultiByteToWideChar(CP_ACP, 0, GetParam(), -1, prog_id, 64);
  ASSERT_EQ(CLSIDFromProgID(prog_id, &clsid), S_OK);
  EXPECT_TRUE(IsEqualCLSID(clsid, kSampleClsid));
}

INSTANTIATE_TEST_SUITE_P(Sample, ProgIdResolves,
                         ::testing::Values("TarvelAX.Sample", "TarvelAX.Sample.1"),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                           return std::string(info.index == 0 ? "VersionIndependent"
                                                              : "Versioned");
                         });

TEST(SampleExports, ClassObjectOnlyForTheSampleClass) {
  HMODULE dll = SampleDll();
  ASSERT_NE(dll, nullptr);
  using GetClassObject = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
  auto get = reinterpret_cast<GetClassObject>(
      reinterpret_cast<void*>(GetProcAddress(dll, "DllGetClassObject")));
  ASSERT_NE(get, nullptr);
  IClassFactory* factory = nullptr;
  EXPECT_EQ(get(CLSID_NULL, IID_IClassFactory, reinterpret_cast<void**>(&factory)),
            CLASS_E_CLASSNOTAVAILABLE);
  EXPECT_EQ(factory, nullptr);
  ASSERT_EQ(get(kSampleClsid, IID_IClassFactory, reinterpret_cast<void**>(&factory)), S_OK);
  // A held factory, then a lock, keep the DLL; both released, it may go.
  EXPECT_EQ(CallExport("DllCanUnloadNow"), S_FALSE);
  factory->LockServer(TRUE);
  factory->Release();
  EXPECT_EQ(CallExport("DllCanUnloadNow"), S_FALSE);
  ASSERT_EQ(get(kSampleClsid, IID_IClassFactory, reinterpret_cast<void**>(&factory)), S_OK);
  factory->LockServer(FALSE);
  factory->Release();
  EXPECT_EQ(CallExport("DllCanUnloadNow"), S_OK);
}

}  // namespace
}  // namespace tarvelax::sample::testing
