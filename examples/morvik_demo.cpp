// morvik-demo: a small client of the Morvik log. It loads the library by
// name at run time, logs a few items of each kind, exports them to a file
// plain and scrambled, reads both files back and prints the records as UTF-8.
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "I_Morvik.h"

#if defined(_WIN32)
#include <windows.h>
#define TXT(s) L##s
static void* LoadMorvik() { return LoadLibraryW(L"Morvik.dll"); }
static void* Export(void* lib, const char* name) {
  return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(lib), name));
}
#else
#include <dlfcn.h>
#include <unistd.h>
#define TXT(s) u##s
// By name through the library search path, else beside the program, where
// Windows would look first.
static void* LoadMorvik() {
  if (void* lib = dlopen("libMorvik.so", RTLD_NOW)) return lib;
  char path[4096];
  const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
  if (n <= 0) return nullptr;
  std::string beside(path, static_cast<std::size_t>(n));
  beside = beside.substr(0, beside.rfind('/') + 1) + "libMorvik.so";
  return dlopen(beside.c_str(), RTLD_NOW);
}
static void* Export(void* lib, const char* name) { return dlsym(lib, name); }
#endif

// The export's 27-byte key; XOR-ing again from position 0 undoes scrambling
// of a log that fitted into one chunk of 2,700,000 bytes.
static const char kKey[] = "#Q7vPz0mHw2Lx9Rb4Ny6Dk1Jt8G";

static std::vector<unsigned char> ReadFile(const char* path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// UTF-16LE bytes to UTF-8 text, "\r\n" printed as the console's line end.
static std::string Utf8(const std::vector<unsigned char>& bytes) {
  std::string out;
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    uint32_t c = bytes[i] | (bytes[i + 1] << 8);
    if (c == '\r' && i + 3 < bytes.size() && bytes[i + 2] == '\n' && bytes[i + 3] == 0) continue;
    if (c >= 0xD800 && c < 0xDC00 && i + 3 < bytes.size()) {
      c = 0x10000 + ((c - 0xD800) << 10) + ((bytes[i + 2] | (bytes[i + 3] << 8)) - 0xDC00);
      i += 2;
    }
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out += static_cast<char>(0xE0 | (c >> 12));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (c >> 18));
      out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

// Logs one item of each kind; each text brings its own line end.
static void LogSome(I_Morvik* log, const MorvikChar* what) {
  log->Message(TXT("demo started\r\n"));
  log->Comment(what);
  log->Event(TXT("connection opened\r\n"));
  log->Warning(TXT("disk almost full: 95%\r\n"));
  log->Error(TXT("Ошибка: файл не найден\r\n"));
  log->Message(TXT(""));  // an empty text reads out as "EMPTY\r\n"
}

int main() {
  void* lib = LoadMorvik();
  if (lib == nullptr) {
    std::fprintf(stderr, "morvik-demo: cannot load the Morvik library\n");
    return 1;
  }
  auto getInterface = reinterpret_cast<MorvikGetInterfaceFn>(Export(lib, "GetInterface"));
  auto freeInterface = reinterpret_cast<MorvikFreeInterfaceFn>(Export(lib, "FreeInterface"));
  I_Morvik* log = nullptr;
  if (getInterface == nullptr || freeInterface == nullptr || getInterface(&log) != MORVIK_S_OK || log == nullptr) {
    std::fprintf(stderr, "morvik-demo: no log\n");
    return 1;
  }

  LogSome(log, TXT("plain export follows\r\n"));
  std::printf("queued items: %d\n", static_cast<int>(log->GetCount()));
  bool ok = log->ExportToFile(TXT("morvik-demo.dat"), false);
  const std::vector<unsigned char> plain = ReadFile("morvik-demo.dat");
  std::printf("\n== morvik-demo.dat (%zu bytes, plain) ==\n%s\n", plain.size(), Utf8(plain).c_str());

  LogSome(log, TXT("scrambled export follows\r\n"));
  ok = log->ExportToFile(TXT("morvik-demo-scrambled.dat"), true) && ok;
  std::vector<unsigned char> scrambled = ReadFile("morvik-demo-scrambled.dat");
  for (std::size_t i = 0; i < scrambled.size(); ++i) scrambled[i] ^= kKey[i % 27];
  std::printf("\n== morvik-demo-scrambled.dat (%zu bytes, unscrambled) ==\n%s\n", scrambled.size(),
              Utf8(scrambled).c_str());

  freeInterface(&log);
  std::printf("\nexports %s\n", ok ? "succeeded" : "FAILED");
  return ok ? 0 : 1;
}
