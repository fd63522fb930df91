#include "core/files/record_fields.h"

#include <climits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace tolvane {
namespace {

std::vector<std::string> Split(std::string_view line) {
  RecordFields fields(line);
  return {fields.fields().begin(), fields.fields().end()};
}

using Fields = std::vector<std::string>;

TEST(RecordFieldsTest, SplitsTrimsAndDropsOnlyAnEmptyLastField) {
  EXPECT_EQ(Split("11\tname\t0\t"), (Fields{"11", "name", "0"}));
  EXPECT_EQ(Split("11\tname\t0"), (Fields{"11", "name", "0"}));
  EXPECT_EQ(Split(" a \t\v b\f\r\t c\r\n"), (Fields{"a", "b", "c"}));
  EXPECT_EQ(Split("a\t\t\tb"), (Fields{"a", "", "", "b"}));
  EXPECT_EQ(Split("a\t\t"), (Fields{"a", ""}));  // only the last empty field goes
  EXPECT_EQ(Split("a\t  \r"), (Fields{"a"}));    // white space alone is empty too
  EXPECT_EQ(Split("\tb"), (Fields{"", "b"}));
  EXPECT_EQ(Split("\t"), (Fields{""}));
  EXPECT_EQ(Split(""), (Fields{}));
  EXPECT_EQ(Split("  \r "), (Fields{}));
  // Shift_JIS bytes are never taken for white space.
  EXPECT_EQ(Split("\x83\x65\x83\x58\x83\x67\t\x81\x40"),
            (Fields{"\x83\x65\x83\x58\x83\x67", "\x81\x40"}));
}

TEST(RecordFieldsTest, HasAnyFieldAgreesWithSplitting) {
  for (std::string_view line : {"", " ", "\r\n\v\f ", "\t", "x", " x ", "a\tb", " \t "}) {
    EXPECT_EQ(RecordFields::HasAnyField(line), !RecordFields(line).empty()) << '"' << line << '"';
  }
}

TEST(RecordFieldsTest, MissingFieldsGiveTheCallersDefaults) {
  const RecordFields fields("7\t\ttitle\t-3x");
  EXPECT_EQ(fields.size(), 4u);
  EXPECT_EQ(fields.Int(0, 99), 7);
  EXPECT_EQ(fields.Int(1, 99), 0);  // present but empty reads as 0
  EXPECT_EQ(fields.Text(2, "none"), "title");
  EXPECT_EQ(fields.Int(3, 99), -3);
  EXPECT_EQ(fields.Int(4, 99), 99);
  EXPECT_EQ(fields.Text(4, "none"), "none");
  EXPECT_EQ(fields.View(9), "");
  EXPECT_FALSE(fields.Has(4));
}

TEST(ParseDecimalPrefixTest, ReadsTheLeadingNumberAndClampsOverflow) {
  struct Case {
    std::string_view text;
    int value;
    bool digits;
  };
  const Case cases[] = {
      {"42", 42, true},
      {"  \t+17abc", 17, true},
      {"-0009", -9, true},
      {"12 34", 12, true},
      {"", 0, false},
      {"abc", 0, false},
      {"-", 0, false},
      {"+ 5", 0, false},
      {"2147483647", INT_MAX, true},
      {"2147483648", INT_MAX, true},
      {"-2147483648", INT_MIN, true},
      {"-2147483649", INT_MIN, true},
      {"99999999999999999999999999", INT_MAX, true},
      {"-99999999999999999999999999", INT_MIN, true},
  };
  for (const Case& c : cases) {
    bool digits = !c.digits;
    EXPECT_EQ(ParseDecimalPrefix(c.text, &digits), c.value) << c.text;
    EXPECT_EQ(digits, c.digits) << c.text;
  }
}

}  // namespace
}  // namespace tolvane
