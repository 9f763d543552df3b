#include "combo_completion.h"

#include <gtest/gtest.h>

#include "text_case.h"

namespace tarvelax {
namespace {

TEST(ComboCompletion, FindsTheFirstEntryBeginningWithTheTypedText) {
  const std::vector<std::string> items{"C", "TarvelAX.Sample", "Tarvel.Other", "A"};
  EXPECT_EQ(FindCompletion(items, "Tarvel"), 1);
  EXPECT_EQ(FindCompletion(items, "tarvel."), 2);
  EXPECT_EQ(FindCompletion(items, "a"), 3);
  EXPECT_EQ(FindCompletion(items, "TARVELAX.SAMPLE"), 1);
}

TEST(ComboCompletion, FindsNothingForEmptyOrUnknownText) {
  const std::vector<std::string> items{"C", "B", "A"};
  EXPECT_EQ(FindCompletion(items, ""), -1);
  EXPECT_EQ(FindCompletion(items, "D"), -1);
  EXPECT_EQ(FindCompletion(items, "AB"), -1);
  EXPECT_EQ(FindCompletion({}, "A"), -1);
}

TEST(TextCase, FoldsLatinAndCyrillicLetters) {
  EXPECT_TRUE(EqualsIgnoreCase("Объект.Имя", "оБЪЕКТ.иМЯ"));
  EXPECT_TRUE(EqualsIgnoreCase("Ёлка", "ёЛКА"));
  EXPECT_FALSE(EqualsIgnoreCase("A", "AB"));
  EXPECT_TRUE(StartsWithIgnoreCase("Поверх всех", "пОВ"));
  EXPECT_EQ(ToLowerText("ABC.Ж"), "abc.ж");
  EXPECT_EQ(ToUpperText("abc.ж"), "ABC.Ж");
}

}  // namespace
}  // namespace tarvelax
