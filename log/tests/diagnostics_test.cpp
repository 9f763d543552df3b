// The diagnostic lines on the real channel: each scenario runs in a child
// process. On Windows the test is the child's debugger and collects its
// OUTPUT_DEBUG_STRING_EVENTs; elsewhere the child's channel is the file
// MORVIK_DEBUG_OUTPUT names.
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstring>
#include <string>
#include <vector>

#if defined(_WIN32)
#include <windows.h>
#else
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
extern char** environ;
#endif

#include "log_test_support.h"

namespace morvik::test {
namespace {

struct Capture {
  bool finished = false;
  int exitCode = -1;
  std::vector<Text> pieces;  // one per debugger string where the channel keeps them apart

  Text Joined() const {
    Text all;
    for (const auto& p : pieces) all += p;
    return all;
  }
};

#if defined(_WIN32)

std::wstring ScenarioProgram() {
  wchar_t self[MAX_PATH];
  const DWORD n = GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring path(self, n);
  return path.substr(0, path.find_last_of(L"\\/") + 1) + L"morvik_scenarios.exe";
}

Capture RunScenario(const std::string& name) {
  Capture capture;
  std::wstring command = L"\"" + ScenarioProgram() + L"\" " + std::wstring(name.begin(), name.end());
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, DEBUG_ONLY_THIS_PROCESS, nullptr, nullptr,
                      &startup, &process)) {
    ADD_FAILURE() << "CreateProcessW failed: " << GetLastError();
    return capture;
  }
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (std::chrono::steady_clock::now() < deadline) {
    DEBUG_EVENT event{};
    if (!WaitForDebugEvent(&event, 200)) continue;
    DWORD status = DBG_CONTINUE;
    switch (event.dwDebugEventCode) {
      case OUTPUT_DEBUG_STRING_EVENT: {
        const auto& info = event.u.DebugString;
        const std::size_t unit = info.fUnicode ? 2 : 1;
        std::vector<unsigned char> raw(static_cast<std::size_t>(info.nDebugStringLength) * unit);
        SIZE_T got = 0;
        ReadProcessMemory(process.hProcess, info.lpDebugStringData, raw.data(), raw.size(), &got);
        Text piece;
        for (std::size_t i = 0; i + unit <= got; i += unit) {
          const MorvikChar c = unit == 2 ? static_cast<MorvikChar>(raw[i] | (raw[i + 1] << 8)) : raw[i];
          if (c == 0) break;
          piece += c;
        }
        capture.pieces.push_back(piece);
        break;
      }
      case EXCEPTION_DEBUG_EVENT:
        if (event.u.Exception.ExceptionRecord.ExceptionCode != EXCEPTION_BREAKPOINT)
          status = DBG_EXCEPTION_NOT_HANDLED;
        break;
      case CREATE_PROCESS_DEBUG_EVENT:
        if (event.u.CreateProcessInfo.hFile) CloseHandle(event.u.CreateProcessInfo.hFile);
        break;
      case LOAD_DLL_DEBUG_EVENT:
        if (event.u.LoadDll.hFile) CloseHandle(event.u.LoadDll.hFile);
        break;
      case EXIT_PROCESS_DEBUG_EVENT:
        capture.finished = true;
        capture.exitCode = static_cast<int>(event.u.ExitProcess.dwExitCode);
        break;
      default:
        break;
    }
    ContinueDebugEvent(event.dwProcessId, event.dwThreadId, status);
    if (capture.finished) break;
  }
  if (!capture.finished) TerminateProcess(process.hProcess, 1);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return capture;
}

#else

std::string ScenarioProgram() {
  char self[4096];
  const ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
  std::string path(self, n > 0 ? static_cast<std::size_t>(n) : 0);
  return path.substr(0, path.rfind('/') + 1) + "morvik_scenarios";
}

// UTF-8 back to UTF-16, for comparing with the texts the log was given.
Text FromUtf8(const std::string& bytes) {
  Text out;
  for (std::size_t i = 0; i < bytes.size();) {
    const auto b = static_cast<unsigned char>(bytes[i]);
    uint32_t c;
    int extra;
    if (b < 0x80) { c = b; extra = 0; }
    else if (b < 0xE0) { c = b & 0x1F; extra = 1; }
    else if (b < 0xF0) { c = b & 0x0F; extra = 2; }
    else { c = b & 0x07; extra = 3; }
    for (int k = 1; k <= extra && i + k < bytes.size(); ++k) c = (c << 6) | (bytes[i + k] & 0x3F);
    i += 1 + extra;
    if (c >= 0x10000) {
      out += static_cast<MorvikChar>(0xD800 + ((c - 0x10000) >> 10));
      out += static_cast<MorvikChar>(0xDC00 + ((c - 0x10000) & 0x3FF));
    } else {
      out += static_cast<MorvikChar>(c);
    }
  }
  return out;
}

Capture RunScenario(const std::string& name) {
  Capture capture;
  TempDir dir;
  const std::string sink = (dir / "debug-output.txt").string();
  std::vector<std::string> env;
  for (char** e = environ; *e != nullptr; ++e)
    if (std::strncmp(*e, "MORVIK_DEBUG_OUTPUT=", 20) != 0) env.emplace_back(*e);
  env.push_back("MORVIK_DEBUG_OUTPUT=" + sink);
  std::vector<char*> envp;
  for (auto& e : env) envp.push_back(e.data());
  envp.push_back(nullptr);
  std::string program = ScenarioProgram();
  std::string arg = name;
  char* argv[] = {program.data(), arg.data(), nullptr};
  pid_t pid = 0;
  if (posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv, envp.data()) != 0) {
    ADD_FAILURE() << "cannot start " << program;
    return capture;
  }
  int status = 0;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (waitpid(pid, &status, WNOHANG) == 0) {
    if (std::chrono::steady_clock::now() > deadline) {
      kill(pid, SIGKILL);
      waitpid(pid, &status, 0);
      return capture;
    }
    usleep(2000);
  }
  capture.finished = WIFEXITED(status);
  capture.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  const Bytes bytes = ReadFileBytes(sink);
  if (!bytes.empty()) capture.pieces.push_back(FromUtf8(std::string(bytes.begin(), bytes.end())));
  return capture;
}

#endif

struct LinesCase {
  const char* name;
  const char* scenario;
  std::vector<std::string> lines;  // the texts sent, one per call of the channel
};

void PrintTo(const LinesCase& c, std::ostream* os) { *os << c.name; }

class Diagnostics : public ::testing::TestWithParam<LinesCase> {};

TEST_P(Diagnostics, ExactLinesReachTheChannel) {
  const LinesCase& c = GetParam();
  const Capture capture = RunScenario(c.scenario);
  ASSERT_TRUE(capture.finished);
  ASSERT_EQ(capture.exitCode, 0);
  std::string expected;
  for (const auto& line : c.lines) expected += line;
  EXPECT_EQ(Narrow(capture.Joined()), expected);
#if defined(_WIN32)
  // The debugger sees each line as a string of its own.
  std::vector<std::string> pieces;
  for (const auto& p : capture.pieces) pieces.push_back(Narrow(p));
  EXPECT_EQ(pieces, c.lines);
#endif
}

const std::string kLongLine = "7 " + std::string(1019, 'x') + "\r\n";  // 1023 units and the terminator

INSTANTIATE_TEST_SUITE_P(
    Scenarios, Diagnostics,
    ::testing::Values(
        LinesCase{"NullTexts",
                  "null-texts",
                  {"Log::Message: An NULL-pointer string", "Log::Comment: An NULL-pointer string",
                   "Log::Event: An NULL-pointer string", "Log::Error: An NULL-pointer string",
                   "Log::Warning: An NULL-pointer string"}},
        LinesCase{"FortyByteMessageWithoutMemory",
                  "message-copy-without-memory",
                  {"40 Log::PushLogData: Cannot get (n) bytes of memory\r\n",
                   "40 Log::Message: Cannot push message with the (n) length\r\n"}},
        LinesCase{"ItemWithoutMemory",
                  "item-without-memory",
                  {"-1 Log::PushLogData: Error at creating a LogItem instance\r\n",
                   "6 Log::Warning: Cannot push message with the (n) length\r\n"}},
        LinesCase{"ReportFailure", "report-cannot-create", {"-1 Log::ExportToFile: Cannot create a file\r\n"}},
        LinesCase{"LongMessageIsCutToTheLine", "report-long-message", {kLongLine}},
        LinesCase{"ExtremeNumbers", "report-extreme-numbers", {"-2147483648 min\r\n", "2147483647 max\r\n"}},
        LinesCase{"ExportToMissingFolder",
                  "export-to-missing-folder",
                  {"-1 Log::ExportToFile: Cannot create a file\r\n"}},
        LinesCase{"ExportWriteFails", "export-write-fails", {"-1 Log::ExportToFile: Cannot write to the file\r\n"}},
        LinesCase{"ExportSeekFails", "export-seek-fails", {"-1 Log::ExportToFile: An error in SetFilePointer()\r\n"}},
        LinesCase{"ExportStreamFails",
                  "export-stream-fails",
                  {"-1 Log::ExportToFile: Cannot open file for writing\r\n"}},
        LinesCase{"ExportBufferFails",
                  "export-buffer-fails",
                  {"-1 Log::ExportToFile: Cannot get memory for data\r\n"}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace morvik::test
