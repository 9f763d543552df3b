#include "class_factory_win32.h"

#include "module_state_win32.h"
#include "sample_control_win32.h"

namespace tarvelax::sample {
namespace {

// One static factory for the life of the DLL; its references and locks
// keep the DLL loaded instead of the factory alive.
class SampleClassFactory final : public IClassFactory {
 public:
  STDMETHODIMP QueryInterface(REFIID iid, void** object) override {
    if (!object) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IClassFactory) {
      *object = static_cast<IClassFactory*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }

  STDMETHODIMP_(ULONG) AddRef() override {
    AddModuleReference();
    return 2;
  }

  STDMETHODIMP_(ULONG) Release() override {
    ReleaseModuleReference();
    return 1;
  }

  STDMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** object) override {
    return SampleControl::Create(outer, iid, object);
  }

  STDMETHODIMP LockServer(BOOL lock) override {
    if (lock) {
      AddModuleReference();
    } else {
      ReleaseModuleReference();
    }
    return S_OK;
  }
};

SampleClassFactory g_factory;

}  // namespace

HRESULT GetSampleClassFactory(REFIID iid, void** object) {
  return g_factory.QueryInterface(iid, object);
}

}  // namespace tarvelax::sample
