// Helpers shared by the log's tests: texts, record bytes, temporary folders
// and a log handle that frees itself.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "I_Morvik.h"
#include "log.h"
#include "log_boundary.h"
#include "platform.h"

namespace morvik::test {

using Text = std::basic_string<MorvikChar>;
using Bytes = std::vector<uint8_t>;

// A text of ASCII characters in the log's code units.
inline Text T(const std::string& ascii) { return Text(ascii.begin(), ascii.end()); }

// A readable form of a log text for test messages: ASCII as is, other code
// units as \uXXXX.
inline std::string Narrow(const Text& text) {
  std::string out;
  static const char kHex[] = "0123456789ABCDEF";
  for (MorvikChar c : text) {
    const auto u = static_cast<uint16_t>(c);
    if (u < 0x80) {
      out += static_cast<char>(u);
    } else {
      out += "\\u";
      for (int shift = 12; shift >= 0; shift -= 4) out += kHex[(u >> shift) & 0xF];
    }
  }
  return out;
}

inline Bytes Utf16Le(const Text& text) {
  Bytes out;
  for (MorvikChar c : text) {
    const auto u = static_cast<uint16_t>(c);
    out.push_back(static_cast<uint8_t>(u & 0xFF));
    out.push_back(static_cast<uint8_t>(u >> 8));
  }
  return out;
}

inline Text FromUtf16Le(const Bytes& bytes) {
  Text out;
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
    out += static_cast<MorvikChar>(bytes[i] | (bytes[i + 1] << 8));
  return out;
}

// The record of one item: prefix and text, or prefix and "EMPTY\r\n".
inline Text Record(const std::string& prefix, const Text& body) { return T(prefix) + body; }

inline Bytes Scrambled(Bytes bytes) {
  ScrambleBuffer(bytes.data(), static_cast<uint32_t>(bytes.size()), kScrambleKey, kScrambleKeyLength);
  return bytes;
}

inline Bytes ReadFileBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A path as the log takes it.
inline Text PathText(const std::filesystem::path& path) {
#if defined(_WIN32)
  return path.wstring();
#else
  return path.u16string();
#endif
}

// A fresh folder under the system's temporary folder, removed afterwards.
class TempDir {
public:
  TempDir() {
    static int counter = 0;
    const auto base = std::filesystem::temp_directory_path();
    for (;;) {
      path_ = base / ("morvik-test-" + std::to_string(std::random_device{}()) + "-" + std::to_string(++counter));
      if (std::filesystem::create_directory(path_)) break;
    }
  }
  ~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
  std::filesystem::path path_;
};

// A log made and freed through the boundary functions of the exports.
class LogHandle {
public:
  LogHandle() { CreateInterface(&log_); }
  ~LogHandle() {
    if (log_ != nullptr) DestroyInterface(&log_);
  }
  LogHandle(const LogHandle&) = delete;
  LogHandle& operator=(const LogHandle&) = delete;

  I_Morvik* operator->() const { return log_; }
  I_Morvik* get() const { return log_; }
  Log* impl() const { return static_cast<Log*>(log_); }

private:
  I_Morvik* log_ = nullptr;
};

// Drains the log through GetLogData with the given capacity per call.
inline Bytes DrainAll(I_Morvik* log, uint32_t capacity = 1 << 20) {
  Bytes out;
  Bytes buffer(capacity);
  for (;;) {
    const uint32_t n = log->GetLogData(buffer.data(), capacity);
    if (n == 0) break;
    out.insert(out.end(), buffer.begin(), buffer.begin() + n);
  }
  return out;
}

// Resets the fault seam when a test ends, whatever it armed.
class FaultGuard {
public:
  FaultGuard() { platform::ResetFaults(); }
  ~FaultGuard() { platform::ResetFaults(); }
};

}  // namespace morvik::test
