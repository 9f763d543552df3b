// The one reference-counting base of the sample's COM objects.
#pragma once

#include <windows.h>

#include "module_state_win32.h"

namespace tarvelax::sample {

// Implements AddRef and Release for every interface an object derives from;
// the object itself provides QueryInterface. Each live object holds the DLL
// in memory (DllCanUnloadNow).
template <class... Interfaces>
class RefCounted : public Interfaces... {
 public:
  RefCounted() { AddModuleReference(); }
  RefCounted(const RefCounted&) = delete;
  RefCounted& operator=(const RefCounted&) = delete;

  STDMETHODIMP_(ULONG) AddRef() override {
    return static_cast<ULONG>(InterlockedIncrement(&references_));
  }

  STDMETHODIMP_(ULONG) Release() override {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }

 protected:
  virtual ~RefCounted() { ReleaseModuleReference(); }

 private:
  LONG references_ = 1;
};

}  // namespace tarvelax::sample
