// Creation and teardown of a log object.
#include <new>

#include "log.h"

namespace morvik {

Log* Log::Create() {
  void* memory = platform::Allocate(sizeof(Log));
  if (memory == nullptr) return nullptr;
  Log* log = new (memory) Log();
  if (!log->lock.Init()) {
    log->~Log();
    platform::Release(memory);
    return nullptr;
  }
  return log;
}

void Log::Destroy(Log* log) {
  log->lock.Enter();
  log->FreeItems();
  log->lock.Leave();
  log->lock.Destroy();
  log->~Log();
  platform::Release(log);
}

int32_t Log::SessionIndex() {
  platform::LockGuard guard(lock);
  return sessionIndex;
}

}  // namespace morvik
