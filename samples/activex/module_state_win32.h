// Process-wide state of the sample DLL: its module handle and the counts
// that decide whether DllCanUnloadNow may let it go.
#pragma once

#include <windows.h>

namespace tarvelax::sample {

// The DLL's own module handle, set once in DllMain.
HINSTANCE ModuleInstance();
void SetModuleInstance(HINSTANCE instance);

// Live COM objects (controls and class factory references) and
// IClassFactory::LockServer locks; the DLL may unload when both are zero.
void AddModuleReference();
void ReleaseModuleReference();
bool ModuleInUse();

}  // namespace tarvelax::sample
