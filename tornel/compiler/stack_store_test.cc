#include "tornel/compiler/stack_store.h"

#include <gtest/gtest.h>

namespace tornel {
namespace {

constexpr StackRow kRow{7};

TEST(StackStore, IntRowGrowsBy2048AndPopsInReverse) {
  Diagnostics diag;
  StackStore store;
  for (int i = 0; i < 2048; ++i) PushInt(diag, store, kRow, i);
  EXPECT_EQ(store.ints[7].slots.size(), 2048u);
  PushInt(diag, store, kRow, 2048);
  EXPECT_EQ(store.ints[7].slots.size(), 4096u);
  EXPECT_EQ(IntCount(store, kRow), 2049u);
  for (int i = 2048; i >= 0; --i) ASSERT_EQ(PopInt(store, kRow), i);
  EXPECT_EQ(PopInt(store, kRow), std::nullopt);  // empty: fails quietly
  EXPECT_EQ(diag.error_flag, 0);
  EXPECT_EQ(IntCount(store, StackRow{8}), 0u);   // rows are independent
}

TEST(StackStore, TextRowGetPopAndRelease) {
  Diagnostics diag;
  StackStore store;
  std::string original = "Hello";
  PushText(diag, store, kStringLiteralRow, original);
  original[0] = 'J';  // the row holds its own copy
  PushText(diag, store, kStringLiteralRow, "");
  PushText(diag, store, kStringLiteralRow, "third");
  ASSERT_EQ(TextCount(store, kStringLiteralRow), 3u);
  ASSERT_NE(GetText(store, kStringLiteralRow, 0), nullptr);
  EXPECT_EQ(*GetText(store, kStringLiteralRow, 0), "Hello");
  EXPECT_EQ(*GetText(store, kStringLiteralRow, 1), "");
  EXPECT_EQ(GetText(store, kStringLiteralRow, 3), nullptr);  // index equal to the count
  EXPECT_EQ(GetText(store, kStringLiteralRow, -1), nullptr);

  EXPECT_EQ(PopText(store, kStringLiteralRow), "third");
  // The popped slot comes back empty: a shorter push leaves nothing of it.
  PushText(diag, store, kStringLiteralRow, "x");
  EXPECT_EQ(*GetText(store, kStringLiteralRow, 2), "x");

  ReleaseTextRow(store, kStringLiteralRow);
  EXPECT_EQ(TextCount(store, kStringLiteralRow), 0u);
  EXPECT_EQ(PopText(store, kStringLiteralRow), std::nullopt);
  EXPECT_EQ(GetText(store, kStringLiteralRow, 0), nullptr);
}

TEST(StackStore, ReleaseAllEmptiesBothKinds) {
  Diagnostics diag;
  StackStore store;
  PushInt(diag, store, StackRow{0}, 1);
  PushInt(diag, store, StackRow{49}, 2);
  PushText(diag, store, StackRow{49}, "t");
  ReleaseIntRows(store);
  EXPECT_EQ(PopInt(store, StackRow{49}), std::nullopt);
  EXPECT_EQ(TextCount(store, StackRow{49}), 1u);  // text rows untouched
  ReleaseAllRows(store);
  EXPECT_EQ(TextCount(store, StackRow{49}), 0u);
  EXPECT_TRUE(store.texts[49].slots.empty());
  PushInt(diag, store, StackRow{0}, 5);  // usable again after release
  EXPECT_EQ(PopInt(store, StackRow{0}), 5);
}

}  // namespace
}  // namespace tornel
