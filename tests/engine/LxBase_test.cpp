#include "LxBase.h"

#include <gtest/gtest.h>

#include <string>

#include "DictFixture.h"

namespace {

// The smallest parser: counts how often it (re)creates its lookups.
class CountingParser : public lx::TLxBaseParser {
 public:
  explicit CountingParser(const std::string& path) { Construct(path); }
  int lookupsCreated = 0;
  bool configured = false;

 protected:
  void CreateLookups() override { ++lookupsCreated; }
  void FreeLookups() override {}
  void ConfigureSource() override {
    TLxBaseParser::ConfigureSource();
    configured = true;
  }
};

TEST(TLxBaseParserTest, ConstructionConfiguresThenCreatesLookupsOnce) {
  CountingParser p("dictionary.dct");
  EXPECT_TRUE(p.configured);
  EXPECT_EQ(p.lookupsCreated, 1);
  p.SetDictionaryPath("dictionary.dct");
  EXPECT_EQ(p.lookupsCreated, 1);
  p.SetDictionaryPath("other.dct");
  EXPECT_EQ(p.lookupsCreated, 2);
  EXPECT_EQ(p.GetDictionaryPath(), "other.dct");
}

TEST(TLxBaseParserTest, InputIsUpperCasedAndCutBeforeTokenizing) {
  CountingParser p("d.dct");
  p.SetInput("smith, john \xe9\xff");
  EXPECT_EQ(p.GetInput(), "SMITH, JOHN \xe9\xff");
  EXPECT_EQ(p.GetCleanInput(), "SMITH,JOHN \xe9\xff");
  EXPECT_EQ(p.WordCount(), 3);
  EXPECT_EQ(p.FirstWord(), "SMITH");
  EXPECT_EQ(p.LastWord(), "\xe9\xff");

  p.SetInput(std::string(300, 'a'));
  EXPECT_EQ(p.GetInput().size(), 300u);
  EXPECT_EQ(p.GetCleanInput(), std::string(255, 'A'));
}

TEST(TLxBaseParserTest, FirstAndLastWordOfNothingAreEmpty) {
  CountingParser p("d.dct");
  for (const char* input : {"", "   ", ",,.;"}) {
    p.SetInput(input);
    EXPECT_EQ(p.WordCount(), 0);
    EXPECT_EQ(p.FirstWord(), "");
    EXPECT_EQ(p.LastWord(), "");
  }
}

}  // namespace
