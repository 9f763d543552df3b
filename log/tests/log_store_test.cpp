// The queue: counting, clearing, order, and what null texts and failed
// allocations do to it.
#include <gtest/gtest.h>

#include "log_test_support.h"

namespace morvik::test {
namespace {

using LogOperation = void (MORVIK_CALL I_Morvik::*)(const MorvikChar*);

struct KindCase {
  const char* name;
  LogOperation operation;
  const char* prefix;
};

void PrintTo(const KindCase& c, std::ostream* os) { *os << c.name; }

const KindCase kKinds[] = {
    {"Message", &I_Morvik::Message, "Msg: "}, {"Comment", &I_Morvik::Comment, "Cmt: "},
    {"Event", &I_Morvik::Event, "Evt: "},     {"Error", &I_Morvik::Error, "Err: "},
    {"Warning", &I_Morvik::Warning, "Wrn: "},
};

class LogKind : public ::testing::TestWithParam<KindCase> {};

TEST_P(LogKind, TextIsQueuedWithItsPrefixAndNullTextIsNot) {
  LogHandle log;
  (log.get()->*GetParam().operation)(nullptr);
  EXPECT_EQ(log->GetCount(), 0);

  (log.get()->*GetParam().operation)(MORVIK_TEXT("a\r\nb"));
  EXPECT_EQ(log->GetCount(), 1);
  EXPECT_EQ(FromUtf16Le(DrainAll(log.get())), Record(GetParam().prefix, T("a\r\nb")));
}

TEST_P(LogKind, FailedAllocationDropsTheItemOnly) {
  FaultGuard faults;
  LogHandle log;
  log->Message(MORVIK_TEXT("before"));
  platform::FailNthCall(platform::Service::kAllocate, 2);  // the text's copy
  (log.get()->*GetParam().operation)(MORVIK_TEXT("lost"));
  platform::FailNthCall(platform::Service::kAllocate, 1);  // the item itself
  (log.get()->*GetParam().operation)(MORVIK_TEXT("lost too"));
  log->Message(MORVIK_TEXT("after"));

  EXPECT_EQ(log->GetCount(), 2);
  EXPECT_EQ(FromUtf16Le(DrainAll(log.get())), T("Msg: beforeMsg: after"));
}

INSTANTIATE_TEST_SUITE_P(Kinds, LogKind, ::testing::ValuesIn(kKinds),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(LogStore, CountFollowsLoggingAndClear) {
  LogHandle log;
  log->Message(MORVIK_TEXT("one"));
  log->Error(MORVIK_TEXT("two"));
  log->Comment(MORVIK_TEXT(""));
  EXPECT_EQ(log->GetCount(), 3);
  log->Clear();
  EXPECT_EQ(log->GetCount(), 0);
  EXPECT_EQ(DrainAll(log.get()).size(), 0u);
}

TEST(LogStore, EmptyTextQueuesAnItemWithoutData) {
  LogHandle log;
  log->Message(MORVIK_TEXT(""));
  EXPECT_EQ(log->GetCount(), 1);
  EXPECT_EQ(FromUtf16Le(DrainAll(log.get())), T("Msg: EMPTY\r\n"));
}

TEST(LogStore, OrderIsArrivalOrderAcrossKinds) {
  LogHandle log;
  log->Error(MORVIK_TEXT("1"));
  log->Message(MORVIK_TEXT("2"));
  log->Warning(MORVIK_TEXT("3"));
  log->Event(MORVIK_TEXT("4"));
  log->Comment(MORVIK_TEXT("5"));
  log->Error(MORVIK_TEXT("6"));
  EXPECT_EQ(FromUtf16Le(DrainAll(log.get())), T("Err: 1Msg: 2Wrn: 3Evt: 4Cmt: 5Err: 6"));
}

TEST(LogStore, TextIsCopiedAtOnce) {
  LogHandle log;
  Text text = T("original");
  log->Message(text.c_str());
  text.assign(text.size(), 'x');
  EXPECT_EQ(FromUtf16Le(DrainAll(log.get())), T("Msg: original"));
}

TEST(LogStore, NonAsciiCodeUnitsAreKeptAsLogged) {
  LogHandle log;
  const Text text = {0x041B, 0x043E, 0x0433, 0xD83D, 0xDE00, 0xDC00};
  log->Comment(text.c_str());
  EXPECT_EQ(FromUtf16Le(DrainAll(log.get())), T("Cmt: ") + text);
}

TEST(LogStore, ClearResetsTheSessionIndexOnlyWhenItDropsItems) {
  TempDir dir;
  const Text file = PathText(dir / "log.dat");
  LogHandle log;
  ASSERT_TRUE(log->ExportToFile(file.c_str(), false));
  ASSERT_TRUE(log->ExportToFile(file.c_str(), false));
  EXPECT_EQ(log.impl()->SessionIndex(), 2);

  log->Clear();  // empty: nothing changes
  EXPECT_EQ(log.impl()->SessionIndex(), 2);

  log->Message(MORVIK_TEXT("x"));
  log->Clear();
  EXPECT_EQ(log.impl()->SessionIndex(), 0);
  ASSERT_TRUE(log->ExportToFile(file.c_str(), false));
  const Text expected = T("Evt: ---Exported to ") + file + T(" file, the session index: 0---");
  EXPECT_EQ(Narrow(FromUtf16Le(ReadFileBytes(dir / "log.dat"))), Narrow(expected));
}

TEST(LogStore, PopHeadOnAnEmptyLogReportsFalse) {
  LogHandle log;
  EXPECT_FALSE(log.impl()->PopHead());
  log.impl()->PushLogData(kMessage, nullptr, 0);
  EXPECT_TRUE(log.impl()->PopHead());
  EXPECT_EQ(log->GetCount(), 0);
  EXPECT_FALSE(log.impl()->PopHead());
}

}  // namespace
}  // namespace morvik::test
