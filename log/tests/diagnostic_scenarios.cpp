// morvik_scenarios NAME: runs one scenario that makes the log write
// diagnostic lines, for diagnostics_test to watch on the real channel.
#include <cstdio>
#include <cstring>
#include <string>

#include "log_test_support.h"

namespace morvik::test {
namespace {

using Scenario = void (*)(I_Morvik* log);

void NullTexts(I_Morvik* log) {
  log->Message(nullptr);
  log->Comment(nullptr);
  log->Event(nullptr);
  log->Error(nullptr);
  log->Warning(nullptr);
}

void MessageCopyWithoutMemory(I_Morvik* log) {
  platform::FailNthCall(platform::Service::kAllocate, 2);
  log->Message(T("0123456789abcdefghij").c_str());  // 20 units, 40 bytes
}

void ItemWithoutMemory(I_Morvik* log) {
  platform::FailNthCall(platform::Service::kAllocate, 1);
  log->Warning(MORVIK_TEXT("abc"));
}

void ReportCannotCreate(I_Morvik*) { ReportFailure(-1, MORVIK_TEXT("Log::ExportToFile: Cannot create a file")); }

void ReportLongMessage(I_Morvik*) { ReportFailure(7, Text(2000, 'x').c_str()); }

void ReportExtremeNumbers(I_Morvik*) {
  ReportFailure(INT32_MIN, MORVIK_TEXT("min"));
  ReportFailure(INT32_MAX, MORVIK_TEXT("max"));
}

void ExportToMissingFolder(I_Morvik* log) {
  TempDir dir;
  log->ExportToFile(PathText(dir / "missing" / "x.dat").c_str(), false);
}

void ExportWriteFails(I_Morvik* log) {
  TempDir dir;
  platform::FailNthCall(platform::Service::kWrite, 1);
  log->ExportToFile(PathText(dir / "x.dat").c_str(), false);
}

void ExportSeekFails(I_Morvik* log) {
  TempDir dir;
  platform::FailNthCall(platform::Service::kSeek, 1);
  log->ExportToFile(PathText(dir / "x.dat").c_str(), false);
}

void ExportStreamFails(I_Morvik* log) {
  TempDir dir;
  platform::FailNthCall(platform::Service::kOpenStream, 1);
  log->ExportToFile(PathText(dir / "x.dat").c_str(), false);
}

void ExportBufferFails(I_Morvik* log) {
  TempDir dir;
  platform::FailNthCall(platform::Service::kAllocate, 3);
  log->ExportToFile(PathText(dir / "x.dat").c_str(), false);
}

const struct {
  const char* name;
  Scenario run;
} kScenarios[] = {
    {"null-texts", NullTexts},
    {"message-copy-without-memory", MessageCopyWithoutMemory},
    {"item-without-memory", ItemWithoutMemory},
    {"report-cannot-create", ReportCannotCreate},
    {"report-long-message", ReportLongMessage},
    {"report-extreme-numbers", ReportExtremeNumbers},
    {"export-to-missing-folder", ExportToMissingFolder},
    {"export-write-fails", ExportWriteFails},
    {"export-seek-fails", ExportSeekFails},
    {"export-stream-fails", ExportStreamFails},
    {"export-buffer-fails", ExportBufferFails},
};

}  // namespace
}  // namespace morvik::test

int main(int argc, char** argv) {
  using namespace morvik::test;
  if (argc != 2) return 2;
  for (const auto& s : kScenarios) {
    if (std::strcmp(s.name, argv[1]) != 0) continue;
    LogHandle log;
    if (log.get() == nullptr) return 3;
    s.run(log.get());
    return 0;
  }
  std::fprintf(stderr, "unknown scenario %s\n", argv[1]);
  return 2;
}
