// morvik_client.cpp - a client built against an installed Morvik: logs one
// message, reads it back and prints "morvik client: ok" when all went right.
#include <I_Morvik.h>

#include <cstdio>
#include <cstring>

int main() {
  I_Morvik* log = nullptr;
  if (GetInterface(&log) != MORVIK_S_OK || log == nullptr) {
    std::printf("morvik client: no log\n");
    return 1;
  }
  log->Message(u"ab");
  const int32_t count = log->GetCount();
  unsigned char buffer[64];
  const uint32_t bytes = log->GetLogData(buffer, sizeof buffer);
  static const unsigned char expected[] = {'M', 0, 's', 0, 'g', 0, ':', 0, ' ', 0, 'a', 0, 'b', 0};
  const bool same = bytes == sizeof expected && std::memcmp(buffer, expected, bytes) == 0;
  const MorvikStatus freed = FreeInterface(&log);
  if (count != 1 || !same || freed != MORVIK_S_OK || log != nullptr) {
    std::printf("morvik client: count %d, %u bytes read, free status %d\n", (int)count,
                (unsigned)bytes, (int)freed);
    return 1;
  }
  std::printf("morvik client: ok\n");
  return 0;
}
