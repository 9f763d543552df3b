#include "ole_error_win32.h"

#include <cstdio>

#include "text_encoding_win32.h"

namespace tarvelax {
namespace {

// The system's texts of the results object creation ends with, for systems
// whose message table lacks them.
std::wstring KnownOleErrorText(HRESULT result) {
  struct Known {
    HRESULT result;
    const wchar_t* text;
  };
  static constexpr Known kKnown[] = {
      {static_cast<HRESULT>(0x800401F3L), L"Invalid class string"},                     // CO_E_CLASSSTRING
      {static_cast<HRESULT>(0x80040154L), L"Class not registered"},                     // REGDB_E_CLASSNOTREG
      {static_cast<HRESULT>(0x80040111L), L"ClassFactory cannot supply requested class"},  // CLASS_E_CLASSNOTAVAILABLE
      {static_cast<HRESULT>(0x80040110L), L"Class does not support aggregation (or class object is remote)"},
      {static_cast<HRESULT>(0x800401F9L), L"Error in the DLL"},                         // CO_E_ERRORINDLL
      {static_cast<HRESULT>(0x800401F8L), L"DLL for class not found"},                  // CO_E_DLLNOTFOUND
      {static_cast<HRESULT>(0x80004002L), L"No such interface supported"},              // E_NOINTERFACE
      {static_cast<HRESULT>(0x80004001L), L"Not implemented"},                          // E_NOTIMPL
      {static_cast<HRESULT>(0x80004005L), L"Unspecified error"},                        // E_FAIL
      {static_cast<HRESULT>(0x8007000EL), L"Not enough memory resources are available to complete this operation"},
      {static_cast<HRESULT>(0x80070057L), L"The parameter is incorrect"},               // E_INVALIDARG
      {static_cast<HRESULT>(0x80040004L), L"There is no connection for this connection ID"},  // OLE_E_NOCONNECTION
      {static_cast<HRESULT>(0x80040005L), L"Need to run the object to perform this operation"},  // OLE_E_NOTRUNNING
      {static_cast<HRESULT>(0x80040000L), L"Invalid OLEVERB structure"},                // OLE_E_OLEVERB
      {static_cast<HRESULT>(0x80040100L), L"Invalid verb for OLE object"},              // OLEOBJ_E_INVALIDVERB
  };
  for (const Known& known : kKnown) {
    if (known.result == result) return known.text;
  }
  return {};
}

}  // namespace

std::string OleErrorText(HRESULT result) {
  wchar_t buffer[1024] = {};
  const DWORD length =
      FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                     static_cast<DWORD>(result), 0, buffer, static_cast<DWORD>(std::size(buffer)),
                     nullptr);
  std::wstring text(buffer, length);
  while (!text.empty() && (text.back() <= L' ' || text.back() == L'.')) text.pop_back();
  if (text.empty()) text = KnownOleErrorText(result);
  if (text.empty()) {
    char fallback[32];
    std::snprintf(fallback, sizeof fallback, "OLE error 0x%08lX",
                  static_cast<unsigned long>(result));
    return fallback;
  }
  return WideToUtf8(text);
}

}  // namespace tarvelax
