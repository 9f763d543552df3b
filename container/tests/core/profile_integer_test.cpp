#include "profile_integer.h"

#include <gtest/gtest.h>

namespace tarvelax {
namespace {

struct IntegerCase {
  const char* name;
  const char* text;
  std::int32_t expected;  // with the default 7
};

class ProfileIntegerTest : public testing::TestWithParam<IntegerCase> {};

TEST_P(ProfileIntegerTest, ReadsTheValueOrTheDefault) {
  EXPECT_EQ(ParseProfileInteger(GetParam().text, 7), GetParam().expected) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Syntax, ProfileIntegerTest,
    testing::Values(IntegerCase{"Decimal", "800", 800}, IntegerCase{"Negative", "-32", -32},
                    IntegerCase{"PlusSign", "+5", 5}, IntegerCase{"LeadingZeros", "0032", 32},
                    IntegerCase{"LeadingBlanks", "  \t12", 12},
                    IntegerCase{"HexZeroX", "0x20", 32}, IntegerCase{"HexZeroUpperX", "0X20", 32},
                    IntegerCase{"HexDollar", "$20", 32}, IntegerCase{"HexX", "x20", 32},
                    IntegerCase{"HexUpperX", "X1f", 31},
                    IntegerCase{"HexAllOnesIsMinusOne", "$FFFFFFFF", -1},
                    IntegerCase{"HexHighBit", "0x80000000", INT32_MIN},
                    IntegerCase{"HexLeadingZerosDoNotCount", "$00000000FF", 255},
                    IntegerCase{"HexNinthDigit", "$100000000", 7},
                    IntegerCase{"HexWithSign", "-$20", 7}, IntegerCase{"HexSignAfterPrefix", "$-20", 7},
                    IntegerCase{"PrefixOnly", "$", 7}, IntegerCase{"ZeroXOnly", "0x", 7},
                    IntegerCase{"Empty", "", 7}, IntegerCase{"BlanksOnly", "   ", 7},
                    IntegerCase{"SignOnly", "-", 7}, IntegerCase{"Trailing", "12px", 7},
                    IntegerCase{"TrailingBlank", "12 ", 7}, IntegerCase{"Word", "wide", 7},
                    IntegerCase{"DecimalMax", "2147483647", INT32_MAX},
                    IntegerCase{"DecimalMin", "-2147483648", INT32_MIN},
                    IntegerCase{"DecimalAboveRange", "2147483648", 7},
                    IntegerCase{"DecimalBelowRange", "-2147483649", 7},
                    IntegerCase{"DecimalHuge", "99999999999999999999999", 7}),
    [](const testing::TestParamInfo<IntegerCase>& info) { return std::string(info.param.name); });

TEST(ProfileIntegerFormat, WritesDecimal) {
  EXPECT_EQ(FormatProfileInteger(-1), "-1");
  EXPECT_EQ(FormatProfileInteger(1062), "1062");
  EXPECT_EQ(FormatProfileInteger(INT32_MIN), "-2147483648");
}

}  // namespace
}  // namespace tarvelax
