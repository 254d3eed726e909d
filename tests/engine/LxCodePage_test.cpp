#include "LxCodePage.h"

#include <gtest/gtest.h>

namespace {

TEST(LxCodePageTest, EveryByteRoundTripsThroughUtf8) {
  std::string all;
  for (int b = 1; b < 256; ++b) all.push_back(static_cast<char>(b));
  std::string back;
  ASSERT_TRUE(lx::Utf8ToAnsi(lx::AnsiToUtf8(all), back));
  EXPECT_EQ(back, all);
}

TEST(LxCodePageTest, ConvertsKnownCharactersAndRejectsTheRest) {
  std::string out;
  EXPECT_TRUE(
      lx::Utf8ToAnsi("QU\xC3\x89"
                     "BEC \xE2\x82\xAC",
                     out));
  EXPECT_EQ(out,
            "QU\xC9"
            "BEC \x80");
  std::size_t bad = 0;
  const struct {
    const char* in;
    std::size_t at;
  } cases[] = {
      {"A\xE4\xB8\xAD", 1},  // a CJK character has no byte
      {"AB\xC3", 2},         // cut sequence
      {"\xC0\x80", 0},       // overlong NUL
      {"\x80", 0},           // stray continuation byte
  };
  for (const auto& c : cases) {
    EXPECT_FALSE(lx::Utf8ToAnsi(c.in, out, &bad)) << c.in;
    EXPECT_EQ(bad, c.at) << c.in;
  }
}

}  // namespace
