// Helpers shared by the sample control's tests: the DLL under test, a host
// window, bounded message pumping and reading the control's saved state.
#pragma once

#include <windows.h>
#include <ole2.h>

#include <cstdint>
#include <functional>

namespace tarvelax::sample::testing {

// TarvelAXSample.dll from the test program's own folder, loaded once.
HMODULE SampleDll();

// Calls one of the DLL's parameterless exports (DllRegisterServer, ...).
HRESULT CallExport(const char* name);

// Registers the DLL for real (idempotent), so ProgIDs resolve and OleCreate
// finds it.
HRESULT RegisterSampleForTests();

// A visible top-level window with the given client size, titled caption.
HWND CreateHostWindow(const wchar_t* caption, int client_width, int client_height);

// Dispatches messages until done() is true or timeout_ms passed; returns
// done().
bool PumpUntil(const std::function<bool()>& done, DWORD timeout_ms = 5000);
void PumpFor(DWORD milliseconds);

// The click counter the object would save now (through
// IPersistStreamInit::Save without clearing its dirty state); -1 if it
// cannot be read.
std::int64_t SavedClicks(IUnknown* object);

// The click counter stored in a storage's "Contents" stream; -1 if absent.
std::int64_t StoredClicks(IStorage* storage);

// Window rectangle of child in its parent's client coordinates.
RECT RectInParent(HWND child);

}  // namespace tarvelax::sample::testing
