#include <gtest/gtest.h>

#include "forms.h"

using namespace forms;

// Protects the 16-bit arithmetic: it raises at the edges and never wraps.
TEST(Int16, IncrementPast32767IsAnOverflowAndKeepsTheValue) {
  Int16 counter = 32767;
  EXPECT_THROW(++counter, RuntimeError);
  EXPECT_EQ(counter, 32767);
  Int16 low = -32768;
  EXPECT_THROW(--low, RuntimeError);
  EXPECT_EQ(low, -32768);
  EXPECT_THROW(Int16(40000), RuntimeError);
}
