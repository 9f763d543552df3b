#include "module_state_win32.h"

namespace tarvelax::sample {
namespace {

HINSTANCE g_instance = nullptr;
LONG g_references = 0;

}  // namespace

HINSTANCE ModuleInstance() { return g_instance; }

void SetModuleInstance(HINSTANCE instance) { g_instance = instance; }

void AddModuleReference() { InterlockedIncrement(&g_references); }

void ReleaseModuleReference() { InterlockedDecrement(&g_references); }

bool ModuleInUse() { return InterlockedCompareExchange(&g_references, 0, 0) != 0; }

}  // namespace tarvelax::sample
