// ExportToFile: the file's content, plain and scrambled, chunk boundaries,
// records larger than a chunk, failed writes and failed opens.
#include <gtest/gtest.h>

#if defined(_WIN32)
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

#include "log_test_support.h"

namespace morvik::test {
namespace {

Text EventText(const Text& file, int index) {
  return T("---Exported to ") + file + T(" file, the session index: ") + T(std::to_string(index)) + T("---");
}

Text EventRecord(const Text& file, int index) { return T("Evt: ") + EventText(file, index); }

Bytes Concat(std::initializer_list<Bytes> parts) {
  Bytes out;
  for (const auto& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

// A message text of the given number of code units.
Text Big(std::size_t units, char fill = 'x') { return Text(units, static_cast<MorvikChar>(fill)); }

class LogExport : public ::testing::Test {
protected:
  Text File(const std::string& name = "log.dat") const { return PathText(dir_ / name); }
  Bytes Read(const std::string& name = "log.dat") const { return ReadFileBytes(dir_ / name); }
  Bytes Drain() { return DrainAll(log_.get(), 16 << 20); }

  TempDir dir_;
  LogHandle log_;
  FaultGuard faults_;
};

TEST_F(LogExport, EmptyLogWritesOnlyTheEventAndCountsSessions) {
  ASSERT_TRUE(log_->ExportToFile(File().c_str(), false));
  EXPECT_EQ(Narrow(FromUtf16Le(Read())), Narrow(EventRecord(File(), 0)));
  EXPECT_EQ(log_->GetCount(), 0);

  ASSERT_TRUE(log_->ExportToFile(File().c_str(), false));
  EXPECT_EQ(Narrow(FromUtf16Le(Read())), Narrow(EventRecord(File(), 1)));
}

TEST_F(LogExport, ItemsThenTheEventAndTheLogIsEmpty) {
  log_->Message(MORVIK_TEXT("one\r\n"));
  log_->Error(MORVIK_TEXT(""));
  ASSERT_TRUE(log_->ExportToFile(File().c_str(), false));
  EXPECT_EQ(Narrow(FromUtf16Le(Read())), Narrow(T("Msg: one\r\nErr: EMPTY\r\n") + EventRecord(File(), 0)));
  EXPECT_EQ(log_->GetCount(), 0);
}

TEST_F(LogExport, ExistingLongerFileIsCutFirst) {
  {
    std::ofstream old(dir_ / "log.dat", std::ios::binary);
    old << std::string(10000, 'z');
  }
  ASSERT_TRUE(log_->ExportToFile(File().c_str(), false));
  EXPECT_EQ(Read(), Utf16Le(EventRecord(File(), 0)));
}

TEST_F(LogExport, ScrambledFileXoredWithTheKeyFromZeroIsThePlainFile) {
  log_->Comment(MORVIK_TEXT("scrambled comment\r\n"));
  log_->Warning(MORVIK_TEXT("w"));
  const Bytes plain = Utf16Le(T("Cmt: scrambled comment\r\nWrn: w") + EventRecord(File(), 0));
  ASSERT_TRUE(log_->ExportToFile(File().c_str(), true));
  const Bytes file = Read();
  EXPECT_NE(file, plain);
  EXPECT_EQ(Scrambled(file), plain);
}

TEST_F(LogExport, SeveralChunksRestartTheKeyAtEachChunk) {
  // Two records of 1,200,010 bytes fill the first chunk; the third and the
  // event make the second.
  const Text a = Big(600000, 'a'), b = Big(600000, 'b'), c = Big(600000, 'c');
  const Bytes chunk1 = Concat({Utf16Le(T("Msg: ") + a), Utf16Le(T("Msg: ") + b)});
  const Bytes chunk2 = Concat({Utf16Le(T("Msg: ") + c), Utf16Le(EventRecord(File(), 0))});
  for (const Text* t : {&a, &b, &c}) log_->Message(t->c_str());
  ASSERT_TRUE(log_->ExportToFile(File().c_str(), false));
  EXPECT_TRUE(Read() == Concat({chunk1, chunk2}));

  for (const Text* t : {&a, &b, &c}) log_->Message(t->c_str());
  ASSERT_TRUE(log_->ExportToFile(File().c_str(), true));
  const Bytes chunk2Again = Concat({Utf16Le(T("Msg: ") + c), Utf16Le(EventRecord(File(), 1))});
  EXPECT_TRUE(Read() == Concat({Scrambled(chunk1), Scrambled(chunk2Again)}));
}

// A record longer than ExportBufferSize - 4 bytes goes out as a chunk of its
// own, so the export still drains the whole log, its event included.
struct OversizedCase {
  const char* name;
  std::size_t units;  // of the middle message
  bool scramble;
  bool ownChunk;  // the record is too large for a chunk
};

void PrintTo(const OversizedCase& c, std::ostream* os) { *os << c.name; }

class LogExportOversized : public LogExport, public ::testing::WithParamInterface<OversizedCase> {};

TEST_P(LogExportOversized, WholeLogIsExportedAndDescramblesChunkByChunk) {
  const OversizedCase& c = GetParam();
  const Text big = Big(c.units, 'q');
  log_->Message(MORVIK_TEXT("before"));
  log_->Message(big.c_str());
  log_->Message(MORVIK_TEXT("after"));
  ASSERT_TRUE(log_->ExportToFile(File().c_str(), c.scramble));
  EXPECT_EQ(log_->GetCount(), 0);

  // Chunks: "before" alone (the big record never fits behind it), the big
  // record, then "after" with the event.
  std::vector<Bytes> chunks = {Utf16Le(T("Msg: before")), Utf16Le(T("Msg: ") + big),
                               Concat({Utf16Le(T("Msg: after")), Utf16Le(EventRecord(File(), 0))})};
  Bytes expected;
  for (auto& chunk : chunks) {
    const Bytes part = c.scramble ? Scrambled(chunk) : chunk;
    expected.insert(expected.end(), part.begin(), part.end());
  }
  const Bytes file = Read();
  ASSERT_EQ(file.size(), expected.size());
  EXPECT_TRUE(file == expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LogExportOversized,
    ::testing::Values(OversizedCase{"LargestThatFitsAChunk", 1349993, false, false},
                      OversizedCase{"SmallestThatDoesNot", 1349994, false, true},
                      OversizedCase{"SmallestThatDoesNotScrambled", 1349994, true, true},
                      OversizedCase{"ThreeBuffersLongScrambled", 3000000, true, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(LogExport, GetLogDataKeepsItsFitRuleForAnOversizedItem) {
  const Text big = Big(1349994);
  log_->Message(big.c_str());
  Bytes buffer(ExportBufferSize);
  EXPECT_EQ(log_->GetLogData(buffer.data(), ExportBufferSize), 0u);
  EXPECT_EQ(log_->GetCount(), 1);
}

// A failed write keeps every item whose bytes did not reach the file, in
// order, and reports false; a later export picks them up.
TEST_F(LogExport, FailedFirstWriteKeepsEverythingQueued) {
  log_->Message(MORVIK_TEXT("one"));
  log_->Warning(MORVIK_TEXT("two"));
  platform::FailNthCall(platform::Service::kWrite, 1);
  EXPECT_FALSE(log_->ExportToFile(File().c_str(), true));
  EXPECT_EQ(log_->GetCount(), 3);
  EXPECT_EQ(Read().size(), 0u);

  ASSERT_TRUE(log_->ExportToFile(File().c_str(), false));
  EXPECT_EQ(Narrow(FromUtf16Le(Read())),
            Narrow(T("Msg: oneWrn: two") + EventRecord(File(), 0) + EventRecord(File(), 1)));
}

TEST_F(LogExport, FailedSecondChunkKeepsOnlyWhatWasNotWritten) {
  const Text a = Big(600000, 'a'), b = Big(600000, 'b'), c = Big(600000, 'c');
  for (const Text* t : {&a, &b, &c}) log_->Message(t->c_str());
  platform::FailNthCall(platform::Service::kWrite, 2);
  EXPECT_FALSE(log_->ExportToFile(File().c_str(), false));
  EXPECT_TRUE(Read() == Concat({Utf16Le(T("Msg: ") + a), Utf16Le(T("Msg: ") + b)}));
  EXPECT_EQ(log_->GetCount(), 2);
  EXPECT_TRUE(Drain() == Concat({Utf16Le(T("Msg: ") + c), Utf16Le(EventRecord(File(), 0))}));
}

TEST_F(LogExport, FailedPieceOfAnOversizedRecordKeepsIt) {
  const Text big = Big(3000000, 'q');
  log_->Message(big.c_str());
  platform::FailNthCall(platform::Service::kWrite, 2);
  EXPECT_FALSE(log_->ExportToFile(File().c_str(), false));
  EXPECT_EQ(log_->GetCount(), 2);
  EXPECT_TRUE(Drain() == Concat({Utf16Le(T("Msg: ") + big), Utf16Le(EventRecord(File(), 0))}));
}

TEST_F(LogExport, FailedCloseIsReportedAsFailure) {
  log_->Message(MORVIK_TEXT("one"));
  platform::FailNthCall(platform::Service::kClose, 1);
  EXPECT_FALSE(log_->ExportToFile(File().c_str(), false));
  // The bytes were handed to the file before the close: nothing is kept.
  EXPECT_EQ(Narrow(FromUtf16Le(Read())), Narrow(T("Msg: one") + EventRecord(File(), 0)));
  EXPECT_EQ(log_->GetCount(), 0);
}

#if !defined(_WIN32)
TEST_F(LogExport, FullDeviceLosesNothing) {
  log_->Message(MORVIK_TEXT("one"));
  log_->Error(MORVIK_TEXT(""));
  const Text full = T("/dev/full");
  EXPECT_FALSE(log_->ExportToFile(full.c_str(), false));
  EXPECT_EQ(log_->GetCount(), 3);
  EXPECT_EQ(Narrow(FromUtf16Le(Drain())), Narrow(T("Msg: oneErr: EMPTY\r\n") + EventRecord(full, 0)));
}
#endif

TEST_F(LogExport, EventNamesAFileNameOfAnyLength) {
  // Far more than the 388 code units an event text had room for.
  std::filesystem::path deep = dir_.path();
  for (int i = 0; i < 4; ++i) deep /= std::string(120, static_cast<char>('a' + i));
  std::filesystem::create_directories(deep);
  const Text file = PathText(deep / "long-name.dat");
  ASSERT_GT(file.size(), 480u);
  log_->Message(MORVIK_TEXT("m"));
  ASSERT_TRUE(log_->ExportToFile(file.c_str(), false));
  EXPECT_EQ(Narrow(FromUtf16Le(ReadFileBytes(deep / "long-name.dat"))), Narrow(T("Msg: m") + EventRecord(file, 0)));
}

TEST_F(LogExport, NoMemoryForALongEventTextFailsBeforeTheEvent) {
  std::filesystem::path deep = dir_.path() / std::string(200, 'd') / std::string(200, 'e');
  std::filesystem::create_directories(deep);
  const Text file = PathText(deep / "x.dat");
  log_->Message(MORVIK_TEXT("kept"));
  platform::FailNthCall(platform::Service::kAllocate, 1);  // the event text's buffer
  EXPECT_FALSE(log_->ExportToFile(file.c_str(), false));
  EXPECT_EQ(log_->GetCount(), 1);
  EXPECT_EQ(log_.impl()->SessionIndex(), 0);
}

TEST_F(LogExport, NonAsciiFileName) {
  const Text name = File() .substr(0, File().size() - 7) + Text{0x043B, 0x043E, 0x0433, '.', 'd', 'a', 't'};
  ASSERT_TRUE(log_->ExportToFile(name.c_str(), false));
  EXPECT_EQ(FromUtf16Le(ReadFileBytes(std::filesystem::path(name))), EventRecord(name, 0));
}

// Failures before the event: false, and the log and its session index are
// as they were.
struct OpenFailureCase {
  const char* name;
  platform::Service service;  // kCount: no seam, the path itself fails
};

void PrintTo(const OpenFailureCase& c, std::ostream* os) { *os << c.name; }

class LogExportOpenFailure : public LogExport, public ::testing::WithParamInterface<OpenFailureCase> {};

TEST_P(LogExportOpenFailure, LeavesTheLogUntouched) {
  log_->Message(MORVIK_TEXT("kept"));
  Text file = File();
  if (GetParam().service == platform::Service::kCount) {
    file = PathText(dir_ / "no-such-folder" / "log.dat");
  } else {
    platform::FailNthCall(GetParam().service, 1);
  }
  EXPECT_FALSE(log_->ExportToFile(file.c_str(), false));
  EXPECT_EQ(log_->GetCount(), 1);
  EXPECT_EQ(log_.impl()->SessionIndex(), 0);
  EXPECT_EQ(Narrow(FromUtf16Le(Drain())), "Msg: kept");
}

INSTANTIATE_TEST_SUITE_P(Cases, LogExportOpenFailure,
                         ::testing::Values(OpenFailureCase{"FolderMissing", platform::Service::kCount},
                                           OpenFailureCase{"CreateFails", platform::Service::kCreateFile},
                                           OpenFailureCase{"SeekFails", platform::Service::kSeek},
                                           OpenFailureCase{"StreamOpenFails", platform::Service::kOpenStream}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(LogExport, NullFileNameFails) {
  EXPECT_FALSE(log_->ExportToFile(nullptr, false));
  EXPECT_EQ(log_.impl()->SessionIndex(), 0);
}

TEST_F(LogExport, FileHeldExclusivelyElsewhereCannotBeCreated) {
  const Text file = File();
#if defined(_WIN32)
  HANDLE held = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
#else
  const int held = open((dir_ / "log.dat").c_str(), O_WRONLY | O_CREAT, 0644);
  ASSERT_GE(held, 0);
  ASSERT_EQ(flock(held, LOCK_EX | LOCK_NB), 0);
#endif
  log_->Message(MORVIK_TEXT("kept"));
  EXPECT_FALSE(log_->ExportToFile(file.c_str(), false));
  EXPECT_EQ(log_->GetCount(), 1);
#if defined(_WIN32)
  CloseHandle(held);
#else
  close(held);
#endif
  EXPECT_TRUE(log_->ExportToFile(file.c_str(), false));
}

TEST_F(LogExport, NoWorkingBufferLeavesTheEventQueuedAndTheFileEmpty) {
  log_->Message(MORVIK_TEXT("kept"));
  // The event's item and its text come first, then the working buffer.
  platform::FailNthCall(platform::Service::kAllocate, 3);
  EXPECT_FALSE(log_->ExportToFile(File().c_str(), false));
  EXPECT_EQ(log_->GetCount(), 2);
  EXPECT_EQ(log_.impl()->SessionIndex(), 1);
  EXPECT_TRUE(std::filesystem::exists(dir_ / "log.dat"));
  EXPECT_EQ(Read().size(), 0u);
}

}  // namespace
}  // namespace morvik::test
