// GetLogData: the record format and the fit rule.
#include <gtest/gtest.h>

#include "log_test_support.h"

namespace morvik::test {
namespace {

TEST(LogReadOut, EmptyLogWritesNothing) {
  LogHandle log;
  Bytes buffer(64, 0xAA);
  EXPECT_EQ(log->GetLogData(buffer.data(), 64), 0u);
  EXPECT_EQ(buffer, Bytes(64, 0xAA));
}

TEST(LogReadOut, RecordIsPrefixAndTextInUtf16LeWithoutTerminator) {
  LogHandle log;
  log->Message(MORVIK_TEXT("ab"));
  Bytes buffer(100, 0xAA);
  ASSERT_EQ(log->GetLogData(buffer.data(), 100), 14u);
  const Bytes expected = {'M', 0, 's', 0, 'g', 0, ':', 0, ' ', 0, 'a', 0, 'b', 0};
  EXPECT_EQ(Bytes(buffer.begin(), buffer.begin() + 14), expected);
  EXPECT_EQ(buffer[14], 0xAA);
  EXPECT_EQ(log->GetCount(), 0);
}

TEST(LogReadOut, NullBufferTakesNothing) {
  LogHandle log;
  log->Message(MORVIK_TEXT("ab"));
  EXPECT_EQ(log->GetLogData(nullptr, 100), 0u);
  EXPECT_EQ(log->GetCount(), 1);
}

struct FitCase {
  const char* name;
  std::vector<std::string> texts;  // logged as messages; "" is an empty text
  uint32_t capacity;
  std::string readOut;
  int32_t left;
};

void PrintTo(const FitCase& c, std::ostream* os) { *os << c.name; }

class LogFit : public ::testing::TestWithParam<FitCase> {};

TEST_P(LogFit, RecordsAreWrittenWhileTheyFitWithFourBytesToSpare) {
  const FitCase& c = GetParam();
  LogHandle log;
  for (const auto& text : c.texts) log->Message(T(text).c_str());
  Bytes buffer(c.capacity + 1, 0xAA);
  const uint32_t n = log->GetLogData(buffer.data(), c.capacity);
  EXPECT_EQ(Narrow(FromUtf16Le(Bytes(buffer.begin(), buffer.begin() + n))), c.readOut);
  EXPECT_EQ(n, 2 * c.readOut.size());
  EXPECT_EQ(log->GetCount(), c.left);
  // Whatever did not fit is intact and comes next.
  std::string rest;
  for (std::size_t i = c.texts.size() - c.left; i < c.texts.size(); ++i)
    rest += "Msg: " + (c.texts[i].empty() ? std::string("EMPTY\r\n") : c.texts[i]);
  EXPECT_EQ(Narrow(FromUtf16Le(DrainAll(log.get()))), rest);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LogFit,
    ::testing::Values(FitCase{"TwoUnitsInSeventeenBytes", {"ab"}, 17, "", 1},
                      FitCase{"TwoUnitsInEighteenBytes", {"ab"}, 18, "Msg: ab", 0},
                      FitCase{"EmptyTextInTwentySevenBytes", {""}, 27, "", 1},
                      FitCase{"EmptyTextInTwentyEightBytes", {""}, 28, "Msg: EMPTY\r\n", 0},
                      FitCase{"SecondRecordOneByteShort", {"ab", "cd"}, 31, "Msg: ab", 1},
                      FitCase{"BothRecordsFit", {"ab", "cd"}, 32, "Msg: abMsg: cd", 0},
                      FitCase{"StopsAtTheFirstMisfitThoughALaterOneWouldFit", {"abcdef", "a"}, 20, "", 2},
                      FitCase{"ZeroCapacity", {"a"}, 0, "", 1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LogReadOut, SmallBuffersDrainEverythingInOrder) {
  LogHandle log;
  std::string expected;
  for (int i = 0; i < 50; ++i) {
    const std::string text = "item " + std::to_string(i);
    log->Warning(T(text).c_str());
    expected += "Wrn: " + text;
  }
  EXPECT_EQ(Narrow(FromUtf16Le(DrainAll(log.get(), 40))), expected);
  EXPECT_EQ(log->GetCount(), 0);
}

}  // namespace
}  // namespace morvik::test
