// Writing and closing the export stream: the runtime library's buffered
// stream on every platform; only opening it differs (platform layers).
#include <cstdio>

#include "platform.h"

namespace morvik::platform {
namespace {

FILE* File(Stream* stream) { return reinterpret_cast<FILE*>(stream); }

}  // namespace

// Each chunk is flushed at once, so a full disk shows up at the write that
// met it and the export can keep that chunk's items queued.
bool WriteStream(Stream* stream, const void* bytes, std::size_t count) {
  if (ShouldFail(Service::kWrite)) return false;
  return std::fwrite(bytes, 1, count, File(stream)) == count && std::fflush(File(stream)) == 0;
}

bool CloseStream(Stream* stream) {
  const bool flushed = !ShouldFail(Service::kClose) && std::fflush(File(stream)) == 0;
  const bool closed = std::fclose(File(stream)) == 0;
  return flushed && closed;
}

}  // namespace morvik::platform
