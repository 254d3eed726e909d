#include "LxUtils.h"

#include <gtest/gtest.h>

namespace {

using namespace lx;

TEST(LxUtilsTest, CharacterClassTests) {
  const struct {
    const char* s;
    bool hasDigit, allDigits, digitsOrDash;
  } cases[] = {
      {"", false, false, false},     {"12345", true, true, true}, {"12345-6789", true, false, true},
      {"-", false, false, true},     {"4B", true, false, false},  {"MAIN", false, false, false},
      {"\xB2", false, false, false},  // superscript two is no digit
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.s);
    EXPECT_EQ(HasDigit(c.s), c.hasDigit);
    EXPECT_EQ(IsAllDigits(c.s), c.allDigits);
    EXPECT_EQ(IsDigitsOrDash(c.s), c.digitsOrDash);
  }
}

TEST(LxUtilsTest, MatchesMask) {
  const struct {
    const char* s;
    const char* mask;
    bool match;
  } cases[] = {
      {"K1A", "A9A", true},
      {"K1", "A9A", false},
      {"K1AB", "A9A", true},
      {"K1A0B1", "A9A9A9", true},
      {"11A", "A9A", false},
      {"K1A", "X9X", true},
      {"K-A", "A-A", true},
      {"", "", true},
      {"\xC9"
       "1A",
       "A9A", false},
  };
  for (const auto& c : cases) EXPECT_EQ(MatchesMask(c.s, c.mask), c.match) << c.s << " " << c.mask;
}

TEST(LxUtilsTest, Padding) {
  EXPECT_EQ(PadLeft('0', " 42 ", 5), "00042");
  EXPECT_EQ(PadLeft('*', "ABCDEFG", 5), "ABCDEFG");
  EXPECT_EQ(PadRight(' ', "ABC", 5), "ABC  ");
  EXPECT_EQ(PadRight(' ', "ABCDEFG", 5), "ABCDE");
  EXPECT_EQ(PadRight('_', "", 3), "___");
  EXPECT_EQ(RepeatChar('-', 3), "---");
  EXPECT_EQ(RepeatChar('-', -2), "");
  EXPECT_EQ(RepeatChar('x', 400).size(), 255u);
}

TEST(LxUtilsTest, RemoveCharsAndCollapseBlanks) {
  EXPECT_EQ(RemoveChars("1/2-A", CharSet("/-")), "12A");
  EXPECT_EQ(CollapseBlanks("  A   B  "), "A B");
  EXPECT_EQ(CollapseBlanks("A\t\tB"), "A\t\tB");
  EXPECT_EQ(CollapseBlanks(""), "");
}

TEST(LxUtilsTest, ProperCase) {
  const struct {
    const char* in;
    const char* out;
  } cases[] = {
      {"JOHN O'NEIL-SMITH", "John O'Neil-Smith"},
      {"21ST", "21St"},
      {"ST.LOUIS", "St.Louis"},
      {"MCDONALD", "Mcdonald"},
      {"  mary  ", "Mary"},
      {"\xC9MILE", "\xC9Mile"},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(ProperCase(c.in), c.out) << c.in;
}

}  // namespace
