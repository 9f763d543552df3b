// The bounded formatter behind the diagnostic line and the export event.
#include <gtest/gtest.h>

#include "log_test_support.h"
#include "text_format.h"

namespace morvik::test {
namespace {

TEST(TextFormat, PatternsOfTheLog) {
  MorvikChar out[64];
  EXPECT_EQ(Format(out, 64, MORVIK_TEXT("%i %s\r\n"), -1, MORVIK_TEXT("m")), 6u);
  EXPECT_EQ(Narrow(out), "-1 m\r\n");
  Format(out, 64, MORVIK_TEXT("---Exported to %s file, the session index: %d---"), MORVIK_TEXT("f"), 12);
  EXPECT_EQ(Narrow(out), "---Exported to f file, the session index: 12---");
  Format(out, 64, MORVIK_TEXT("%d%%%s|%i"), INT32_MIN, static_cast<const MorvikChar*>(nullptr));
  EXPECT_EQ(Narrow(out), "-2147483648%(null)|");
}

TEST(TextFormat, CutsToTheCapacityAndReportsTheWholeLength) {
  MorvikChar out[4] = {'z', 'z', 'z', 'z'};
  EXPECT_EQ(Format(out, 4, MORVIK_TEXT("ab%s"), MORVIK_TEXT("cdef")), 6u);
  EXPECT_EQ(Narrow(Text(out, 4)), std::string("abc") + '\0');
  EXPECT_EQ(Format(nullptr, 0, MORVIK_TEXT("%s"), MORVIK_TEXT("12345")), 5u);
  MorvikChar one[1] = {'z'};
  EXPECT_EQ(Format(one, 1, MORVIK_TEXT("abc")), 3u);
  EXPECT_EQ(one[0], 0);
}

}  // namespace
}  // namespace morvik::test
