// The four exports of an in-process COM server (named in TarvelAXSample.def)
// and the DLL's entry point.
#include <windows.h>
#include <ole2.h>

#include "class_factory_win32.h"
#include "module_state_win32.h"
#include "registration_win32.h"
#include "sample_ids_win32.h"
#include "sample_window_win32.h"

using namespace tarvelax::sample;

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  if (reason == DLL_PROCESS_ATTACH) {
    SetModuleInstance(instance);
  } else if (reason == DLL_PROCESS_DETACH && !reserved) {
    // FreeLibrary, not process exit: a later load registers the class anew
    // with its new window procedure address.
    UnregisterSampleWindowClass();
  }
  return TRUE;
}

STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, LPVOID* object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (clsid != kSampleClsid) return CLASS_E_CLASSNOTAVAILABLE;
  return GetSampleClassFactory(iid, object);
}

STDAPI DllCanUnloadNow() { return ModuleInUse() ? S_FALSE : S_OK; }

STDAPI DllRegisterServer() { return RegisterSampleServer(ModuleInstance()); }

STDAPI DllUnregisterServer() { return UnregisterSampleServer(); }
