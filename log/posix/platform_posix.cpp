// The log's platform services on Linux and other POSIX systems. The debugger
// output channel becomes standard error, or the file MORVIK_DEBUG_OUTPUT
// names; file names are UTF-8 on disk; "no sharing" while an export empties
// its file becomes an exclusive advisory lock (flock) that fails at once when
// another holder has one.
#include <fcntl.h>
#include <pthread.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "core/platform.h"
#include "posix/utf8_posix.h"

namespace morvik::platform {
namespace {

pthread_mutex_t* Mutex(unsigned char* storage) { return reinterpret_cast<pthread_mutex_t*>(storage); }


// A terminated UTF-8 copy of a UTF-16 file name, or null without memory.
// Free it with std::free.
char* ToUtf8(const MorvikChar* text) {
  const std::size_t units = static_cast<std::size_t>(StringLength(text));
  // Three bytes per code unit at most (a pair of two gives four).
  char* out = static_cast<char*>(std::malloc(units * 3 + 1));
  if (out == nullptr) return nullptr;
  char* p = out;
  while (*text != 0) p += PutUtf8(NextCodePoint(text), p);
  *p = 0;
  return out;
}

bool WriteAll(int fd, const char* bytes, std::size_t count) {
  while (count > 0) {
    const ssize_t n = write(fd, bytes, count);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes += n;
    count -= static_cast<std::size_t>(n);
  }
  return true;
}

}  // namespace

static_assert(sizeof(pthread_mutex_t) <= 64, "RecursiveLock storage too small");

bool RecursiveLock::Init() {
  pthread_mutexattr_t attributes;
  if (pthread_mutexattr_init(&attributes) != 0) return false;
  const bool done = pthread_mutexattr_settype(&attributes, PTHREAD_MUTEX_RECURSIVE) == 0 &&
                    pthread_mutex_init(Mutex(storage_), &attributes) == 0;
  pthread_mutexattr_destroy(&attributes);
  return done;
}

void RecursiveLock::Enter() { pthread_mutex_lock(Mutex(storage_)); }
void RecursiveLock::Leave() { pthread_mutex_unlock(Mutex(storage_)); }
void RecursiveLock::Destroy() { pthread_mutex_destroy(Mutex(storage_)); }

void DebugOutput(const MorvikChar* text) {
  int fd = STDERR_FILENO;
  const char* path = std::getenv("MORVIK_DEBUG_OUTPUT");
  if (path != nullptr && *path != 0) {
    const int file = open(path, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (file >= 0) fd = file;
  }
  // A diagnostic line (at most 1024 code units) goes out in one write.
  char bytes[4096];
  std::size_t fill = 0;
  while (*text != 0) {
    if (fill > sizeof bytes - 4) {
      WriteAll(fd, bytes, fill);
      fill = 0;
    }
    fill += static_cast<std::size_t>(PutUtf8(NextCodePoint(text), bytes + fill));
  }
  if (fill > 0) WriteAll(fd, bytes, fill);
  if (fd != STDERR_FILENO) close(fd);
}

int StringLength(const MorvikChar* text) {
  const MorvikChar* end = text;
  while (*end != 0) ++end;
  return static_cast<int>(end - text);
}

void* Allocate(std::size_t bytes) {
  if (ShouldFail(Service::kAllocate)) return nullptr;
  return std::malloc(bytes != 0 ? bytes : 1);
}

void Release(void* memory) { std::free(memory); }

EmptyFileResult CreateEmptyFile(const MorvikChar* fileName) {
  if (ShouldFail(Service::kCreateFile)) return EmptyFileResult::kCannotCreate;
  char* name = ToUtf8(fileName);
  if (name == nullptr) return EmptyFileResult::kCannotCreate;
  const int fd = open(name, O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
  std::free(name);
  if (fd < 0) return EmptyFileResult::kCannotCreate;
  if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    close(fd);
    return EmptyFileResult::kCannotCreate;
  }
  if (ShouldFail(Service::kSeek) || lseek(fd, 0, SEEK_SET) != 0) {
    close(fd);
    return EmptyFileResult::kCannotSeek;
  }
  // Devices such as /dev/null cannot be cut; as on Windows the result of
  // cutting is not used.
  (void)ftruncate(fd, 0);
  close(fd);
  return EmptyFileResult::kDone;
}

Stream* OpenStream(const MorvikChar* fileName) {
  if (ShouldFail(Service::kOpenStream)) return nullptr;
  char* name = ToUtf8(fileName);
  if (name == nullptr) return nullptr;
  FILE* file = std::fopen(name, "w+b");
  std::free(name);
  return reinterpret_cast<Stream*>(file);
}

}  // namespace morvik::platform
