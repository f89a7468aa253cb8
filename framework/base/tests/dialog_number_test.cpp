// The number rule of dialog fields and the bound helper.
#include "framework/base/dialog_number.h"

#include <gtest/gtest.h>

#include "framework/base/bits_and_bounds.h"

namespace {

TEST(ParseDlgNumber, Table) {
  const struct {
    const char* text;
    bool strict;
    int32_t value;
  } cases[] = {
      {"", false, 7},
      {nullptr, false, 7},
      {"3", false, 7},
      {"12345", false, 9999},
      {"12x", false, 12},
      {"12x", true, 7},
      {"99999999999", false, 9999},
      {"-99999999999", false, 7},
      {" 42", false, 42},
      {" 42", true, 42},
      {"42 ", true, 7},
      {"abc", false, 7},
      {"500", true, 500},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ParseDlgNumber(c.text, 7, 9999, c.strict), c.value)
        << (c.text ? c.text : "(null)") << (c.strict ? " strict" : "");
}

TEST(UpdateBound, ReportsWhichWayItMoved) {
  int32_t value = 5;
  EXPECT_EQ(UpdateBound(&value, 0, 10), 0);
  EXPECT_EQ(value, 5);
  value = -1;
  EXPECT_EQ(UpdateBound(&value, 10, 0), -1);  // the ends may come in either order
  EXPECT_EQ(value, 0);
  value = 11;
  EXPECT_EQ(UpdateBound(&value, 0, 10), 1);
  EXPECT_EQ(value, 10);
}

}  // namespace
