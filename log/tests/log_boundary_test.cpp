// GetInterface and FreeInterface as the exports see them.
#include <gtest/gtest.h>

#include "log_test_support.h"

namespace morvik::test {
namespace {

TEST(LogBoundary, SecondCreateIntoAFullSlotFailsAndKeepsTheFirstLog) {
  I_Morvik* slot = nullptr;
  ASSERT_EQ(CreateInterface(&slot), MORVIK_S_OK);
  ASSERT_NE(slot, nullptr);
  I_Morvik* first = slot;
  slot->Message(MORVIK_TEXT("kept"));

  EXPECT_EQ(CreateInterface(&slot), MORVIK_E_FAIL);
  EXPECT_EQ(slot, first);
  EXPECT_EQ(slot->GetCount(), 1);

  EXPECT_EQ(DestroyInterface(&slot), MORVIK_S_OK);
}

TEST(LogBoundary, FreeReleasesQueuedItemsAndEmptiesTheSlot) {
  I_Morvik* slot = nullptr;
  ASSERT_EQ(CreateInterface(&slot), MORVIK_S_OK);
  for (int i = 0; i < 100; ++i) slot->Warning(MORVIK_TEXT("queued"));
  slot->Message(MORVIK_TEXT(""));

  EXPECT_EQ(DestroyInterface(&slot), MORVIK_S_OK);
  EXPECT_EQ(slot, nullptr);
  EXPECT_EQ(DestroyInterface(&slot), MORVIK_E_FAIL);
}

TEST(LogBoundary, NullSlotAddressIsMisuse) {
  EXPECT_EQ(CreateInterface(nullptr), MORVIK_E_FAIL);
  EXPECT_EQ(DestroyInterface(nullptr), MORVIK_E_FAIL);
}

TEST(LogBoundary, LogsAreIndependent) {
  LogHandle a;
  LogHandle b;
  a->Message(MORVIK_TEXT("a"));
  EXPECT_EQ(a->GetCount(), 1);
  EXPECT_EQ(b->GetCount(), 0);
}

TEST(LogBoundary, NoMemoryForTheLogGivesOutOfMemoryAndNull) {
  FaultGuard faults;
  I_Morvik* slot = nullptr;
  platform::FailNthCall(platform::Service::kAllocate, 1);
  EXPECT_EQ(CreateInterface(&slot), MORVIK_E_OUTOFMEMORY);
  EXPECT_EQ(slot, nullptr);
  EXPECT_EQ(static_cast<uint32_t>(MORVIK_E_OUTOFMEMORY), 0x8007000Eu);

  // The seam is spent: the next try succeeds.
  ASSERT_EQ(CreateInterface(&slot), MORVIK_S_OK);
  EXPECT_EQ(DestroyInterface(&slot), MORVIK_S_OK);
}

}  // namespace
}  // namespace morvik::test
