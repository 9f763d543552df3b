#include "registration_win32.h"

#include <olectl.h>

#include <cwchar>
#include <string>

#include "sample_ids_win32.h"

namespace tarvelax::sample {
namespace {

constexpr DWORD kMaxPath = 32768;

// Sets a string value (name null: the key's default value), creating the
// key on the way.
bool SetString(const std::wstring& key_path, const wchar_t* name, const wchar_t* value) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_CLASSES_ROOT, key_path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                      KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS) {
    return false;
  }
  const auto bytes = static_cast<DWORD>((std::wcslen(value) + 1) * sizeof(wchar_t));
  const LONG result =
      RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value), bytes);
  RegCloseKey(key);
  return result == ERROR_SUCCESS;
}

bool CreateEmptyKey(const std::wstring& key_path) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_CLASSES_ROOT, key_path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                      KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS) {
    return false;
  }
  RegCloseKey(key);
  return true;
}

// True when HKCR\<prog_id>\CLSID names this class.
bool ProgIdIsOurs(const wchar_t* prog_id) {
  wchar_t value[64] = {};
  DWORD bytes = sizeof value - sizeof(wchar_t);
  const std::wstring path = std::wstring(prog_id) + L"\\CLSID";
  if (RegGetValueW(HKEY_CLASSES_ROOT, path.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, value,
                   &bytes) != ERROR_SUCCESS) {
    return false;
  }
  return _wcsicmp(value, kSampleClsidText) == 0;
}

bool DeleteTree(const std::wstring& key_path) {
  const LONG result = RegDeleteTreeW(HKEY_CLASSES_ROOT, key_path.c_str());
  if (result != ERROR_SUCCESS && result != ERROR_FILE_NOT_FOUND) return false;
  const LONG removed = RegDeleteKeyW(HKEY_CLASSES_ROOT, key_path.c_str());
  return removed == ERROR_SUCCESS || removed == ERROR_FILE_NOT_FOUND;
}

bool WriteEverything(const wchar_t* module_path) {
  const std::wstring clsid_key = std::wstring(L"CLSID\\") + kSampleClsidText;
  wchar_t misc_status[16];
  std::swprintf(misc_status, 16, L"%lu", static_cast<unsigned long>(kMiscStatus));

  return SetString(clsid_key, nullptr, kFullUserType) &&
         SetString(clsid_key + L"\\InprocServer32", nullptr, module_path) &&
         SetString(clsid_key + L"\\InprocServer32", L"ThreadingModel", L"Apartment") &&
         SetString(clsid_key + L"\\ProgID", nullptr, kProgId) &&
         SetString(clsid_key + L"\\VersionIndependentProgID", nullptr,
                   kVersionIndependentProgId) &&
         CreateEmptyKey(clsid_key + L"\\Control") &&
         SetString(clsid_key + L"\\MiscStatus", nullptr, L"0") &&
         SetString(clsid_key + L"\\MiscStatus\\1", nullptr, misc_status) &&
         SetString(clsid_key + L"\\AuxUserType\\2", nullptr, kShortUserType) &&
         SetString(clsid_key + L"\\AuxUserType\\3", nullptr, kAppUserType) &&
         SetString(clsid_key + L"\\Verb\\0", nullptr, L"&Activate,0,2") &&
         // Metafile picture and enhanced metafile, content aspect, get.
         SetString(clsid_key + L"\\DataFormats\\GetSet\\0", nullptr, L"3,1,32,1") &&
         SetString(clsid_key + L"\\DataFormats\\GetSet\\1", nullptr, L"14,1,64,1") &&
         SetString(kProgId, nullptr, kFullUserType) &&
         SetString(std::wstring(kProgId) + L"\\CLSID", nullptr, kSampleClsidText) &&
         SetString(kVersionIndependentProgId, nullptr, kFullUserType) &&
         SetString(std::wstring(kVersionIndependentProgId) + L"\\CLSID", nullptr,
                   kSampleClsidText) &&
         SetString(std::wstring(kVersionIndependentProgId) + L"\\CurVer", nullptr, kProgId);
}

}  // namespace

HRESULT RegisterSampleServer(HMODULE module) {
  try {
    std::wstring path(kMaxPath, L'\0');
    const DWORD length = GetModuleFileNameW(module, path.data(), kMaxPath);
    if (length == 0 || length >= kMaxPath) return SELFREG_E_CLASS;
    path.resize(length);
    if (WriteEverything(path.c_str())) return S_OK;
    // Leave no half-written class behind.
    UnregisterSampleServer();
    return SELFREG_E_CLASS;
  } catch (...) {
    return E_OUTOFMEMORY;
  }
}

HRESULT UnregisterSampleServer() {
  try {
    bool ok = DeleteTree(std::wstring(L"CLSID\\") + kSampleClsidText);
    for (const wchar_t* prog_id : {kProgId, kVersionIndependentProgId}) {
      if (ProgIdIsOurs(prog_id)) ok = DeleteTree(prog_id) && ok;
    }
    return ok ? S_OK : SELFREG_E_CLASS;
  } catch (...) {
    return E_OUTOFMEMORY;
  }
}

}  // namespace tarvelax::sample
