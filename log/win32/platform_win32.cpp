// The log's platform services on Windows: the kernel's critical section and
// debugger channel, the two-step open of an export file, the runtime's
// wide-character file streams.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "core/platform.h"

namespace morvik::platform {
namespace {

CRITICAL_SECTION* Section(unsigned char* storage) { return reinterpret_cast<CRITICAL_SECTION*>(storage); }

}  // namespace

static_assert(sizeof(CRITICAL_SECTION) <= 64, "RecursiveLock storage too small");

bool RecursiveLock::Init() {
  InitializeCriticalSection(Section(storage_));
  return true;
}

void RecursiveLock::Enter() { EnterCriticalSection(Section(storage_)); }
void RecursiveLock::Leave() { LeaveCriticalSection(Section(storage_)); }
void RecursiveLock::Destroy() { DeleteCriticalSection(Section(storage_)); }

void DebugOutput(const MorvikChar* text) { OutputDebugStringW(text); }

int StringLength(const MorvikChar* text) { return lstrlenW(text); }

void* Allocate(std::size_t bytes) {
  if (ShouldFail(Service::kAllocate)) return nullptr;
  return std::malloc(bytes != 0 ? bytes : 1);
}

void Release(void* memory) { std::free(memory); }

EmptyFileResult CreateEmptyFile(const MorvikChar* fileName) {
  if (ShouldFail(Service::kCreateFile)) return EmptyFileResult::kCannotCreate;
  HANDLE file = CreateFileW(fileName, GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return EmptyFileResult::kCannotCreate;
  if (ShouldFail(Service::kSeek) || SetFilePointer(file, 0, nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER) {
    CloseHandle(file);
    return EmptyFileResult::kCannotSeek;
  }
  SetEndOfFile(file);
  CloseHandle(file);
  return EmptyFileResult::kDone;
}

Stream* OpenStream(const MorvikChar* fileName) {
  if (ShouldFail(Service::kOpenStream)) return nullptr;
  return reinterpret_cast<Stream*>(_wfopen(fileName, L"w+b"));
}

}  // namespace morvik::platform
