// The services the log takes from its platform: a recursive lock, the
// debugger output channel, string length, memory, and the files of an export.
// log/win32/platform_win32.cpp and log/posix/platform_posix.cpp implement
// them; this header is the only place where the core meets a platform switch.
#pragma once

#include <cstddef>
#include <cstdint>

#include "I_Morvik.h"

#if defined(_WIN32)
#define MORVIK_TEXT(s) L##s
#else
#define MORVIK_TEXT(s) u##s
#endif

namespace morvik::platform {

// A re-entrant lock: the owning thread may enter it again; other threads wait
// until the owner has left as often as it entered. The platform object lives
// inside the lock, so a lock costs no allocation.
class RecursiveLock {
public:
  // Sets the lock up; false when the platform refused.
  bool Init();
  void Enter();
  void Leave();
  void Destroy();

private:
  alignas(8) unsigned char storage_[64];
};

// Holds a RecursiveLock for the lifetime of a scope.
class LockGuard {
public:
  explicit LockGuard(RecursiveLock& lock) : lock_(lock) { lock_.Enter(); }
  ~LockGuard() { lock_.Leave(); }
  LockGuard(const LockGuard&) = delete;
  LockGuard& operator=(const LockGuard&) = delete;

private:
  RecursiveLock& lock_;
};

// Sends a terminated text unchanged to the debugger output channel: the
// debugger on Windows; standard error elsewhere, or the file named by the
// environment variable MORVIK_DEBUG_OUTPUT, appended as UTF-8.
void DebugOutput(const MorvikChar* text);

// The number of code units before the terminator.
int StringLength(const MorvikChar* text);

// Memory of the log. Allocate returns null when none is left.
void* Allocate(std::size_t bytes);
void Release(void* memory);

// Opens fileName for writing without sharing, creating it when it does not
// exist, moves to its beginning, cuts it off there and closes it again.
enum class EmptyFileResult { kDone, kCannotCreate, kCannotSeek };
EmptyFileResult CreateEmptyFile(const MorvikChar* fileName);

// A binary output stream opened with mode "w+b", without sharing restriction.
struct Stream;
Stream* OpenStream(const MorvikChar* fileName);
// Writes all bytes and hands them on to the file; false when that failed.
bool WriteStream(Stream* stream, const void* bytes, std::size_t count);
// Flushes and closes; false when either failed. The stream is gone either way.
bool CloseStream(Stream* stream);

// The fault seam: tests make the n-th call of one service fail (n counted
// from 1 after the call to FailNthCall). The platform implementations ask
// ShouldFail before each call of the service.
enum class Service { kAllocate, kCreateFile, kSeek, kOpenStream, kWrite, kClose, kCount };
void FailNthCall(Service service, int n);
void ResetFaults();
bool ShouldFail(Service service);

}  // namespace morvik::platform
