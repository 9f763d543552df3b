// Self-registration of the sample control under HKEY_CLASSES_ROOT: the
// class (in-process server, threading model, ProgIDs, control and misc
// status keys) and both ProgIDs.
#pragma once

#include <windows.h>

namespace tarvelax::sample {

// Writes every key, naming module's full path as the in-process server.
// Returns S_OK or SELFREG_E_CLASS.
HRESULT RegisterSampleServer(HMODULE module);

// Removes the class key and the ProgID keys that point at this class; a
// ProgID taken over by another class is left alone. Missing keys are no
// error.
HRESULT UnregisterSampleServer();

}  // namespace tarvelax::sample
