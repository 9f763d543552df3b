// The class factory of the sample control, handed out by DllGetClassObject.
#pragma once

#include <windows.h>
#include <unknwn.h>

namespace tarvelax::sample {

// Returns the asked interface (IClassFactory or IUnknown) of the DLL's one
// class factory.
HRESULT GetSampleClassFactory(REFIID iid, void** object);

}  // namespace tarvelax::sample
