#include "LxCitySt.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DictFixture.h"
#include "HostileLines.h"
#include "LxConst.h"

namespace {

using lx::TLxCityStParser;
using lxtest::FixtureEntry;
using lxtest::TempDir;

const std::vector<FixtureEntry> kStates = {
    {lx::ctxStateAbbrev, "NY", "36NEW YORK", 0, "10000-14999 "},
    {lx::ctxStateAbbrev, "NV", "32NEVADA", 0, "88900-89899 "},
    {lx::ctxStateStd, "NEVADA", "NV"},
    {lx::ctxStateStd, "NEWYORK", "NY"},
    {lx::ctxStateStd, "GUAM", "GU"},  // a state the 1401 table lacks
    {lx::ctxStateStd, "Q", "NV"},
};

struct Line {
  const char* input;
  const char* city;
  const char* abbr = "";
  const char* name = "";
  const char* zip = "";
  const char* zip4 = "";
  const char* fips = "";
  bool zipOk = false;
};

void ExpectLine(const TLxCityStParser& p, const Line& c) {
  SCOPED_TRACE(c.input);
  EXPECT_EQ(p.City, c.city);
  EXPECT_EQ(p.StateAbbr, c.abbr);
  EXPECT_EQ(p.StateName, c.name);
  EXPECT_EQ(p.Zip, c.zip);
  EXPECT_EQ(p.Zip4, c.zip4);
  EXPECT_EQ(p.Fips, c.fips);
  EXPECT_EQ(p.ZipOk, c.zipOk);
}

class CityStParserTest : public testing::Test {
 protected:
  TempDir dir;
  std::string path = lxtest::WriteFixtureDictionary(dir, kStates);
};

TEST_F(CityStParserTest, ZipFormsAtTheEndOfTheLine) {
  TLxCityStParser p(path);
  const Line cases[] = {
      {"ANYTOWN, NY 12345-6789", "ANYTOWN", "NY", "NEW YORK", "12345", "6789", "36", true},
      {"ANYTOWN NY 123456789", "ANYTOWN", "NY", "NEW YORK", "12345", "6789", "36", true},
      {"ANYTOWN NY 12345 6789", "ANYTOWN", "NY", "NEW YORK", "12345", "6789", "36", true},
      {"ANYTOWN NY 12345", "ANYTOWN", "NY", "NEW YORK", "12345", "", "36", true},
      {"ANYTOWN NY 99999", "ANYTOWN", "NY", "NEW YORK", "99999", "", "36", false},
      {"ANYTOWN NY", "ANYTOWN", "NY", "NEW YORK", "", "", "36", false},
      // Other lengths stop the ZIP words: a long number gives its first five
      // digits, a short one is dropped.
      {"ANYTOWN NY 1234567", "ANYTOWN", "NY", "NEW YORK", "12345", "", "36", true},
      {"ANYTOWN NY 12 12345", "ANYTOWN", "NY", "NEW YORK", "12345", "", "36", true},
      {"ANYTOWN 12", "ANYTOWN"},
      {"ANYTOWN NY 123 45", "ANYTOWN NY 123"},
      {"12345-6789", "", "", "", "12345", "6789"},
      {"ANYTOWN NY 12345-", "ANYTOWN", "NY", "NEW YORK", "12345", "", "36", true},
  };
  for (const Line& c : cases) {
    p.SetInput(c.input);
    ExpectLine(p, c);
  }
}

TEST_F(CityStParserTest, StateByAbbreviationSplitLettersAndName) {
  TLxCityStParser p(path);
  const Line cases[] = {
      {"anytown n y 12345", "ANYTOWN", "NY", "NEW YORK", "12345", "", "36", true},
      {"ANYTOWN NEVADA 89501", "ANYTOWN", "NV", "NEVADA", "89501", "", "32", true},
      {"ANYTOWN NEWYORK 12345", "ANYTOWN", "NY", "NEW YORK", "12345", "", "36", true},
      {"ANYTOWN NV 12345", "ANYTOWN", "NV", "NEVADA", "12345", "", "32", false},
      {"ANYTOWN XX 12345", "ANYTOWN", "XX", "", "12345"},
      {"ANYTOWN X X", "ANYTOWN", "XX"},
      {"AGANA GUAM 96910", "AGANA", "GU", "", "96910"},
      // A two-word name is looked up by its last word only.
      {"ANYTOWN NEW YORK 12345", "ANYTOWN NEW YORK", "", "", "12345"},
      // A single letter after a longer word is no state and stays.
      {"SAN FRANCISCO X 94105", "SAN FRANCISCO X", "", "", "94105"},
      // A lone single letter goes to the name table.
      {"Q", "", "NV", "NEVADA", "", "", "32"},
      {"X", "X"},
      {"NY", "", "NY", "NEW YORK", "", "", "36"},
      {"ANYTOWN", "ANYTOWN"},
  };
  for (const Line& c : cases) {
    p.SetInput(c.input);
    ExpectLine(p, c);
  }
}

TEST_F(CityStParserTest, CityIsCutToTwentyAndScfIsTheZipPrefix) {
  TLxCityStParser p(path);
  p.SetInput("LLANFAIRPWLLGWYNGYLL GOGERYCH NY 10001");
  EXPECT_EQ(p.City, "LLANFAIRPWLLGWYNGYLL");
  EXPECT_EQ(p.GetScf(), "100");
  p.SetInput("ANYTOWN NY 6789");
  EXPECT_EQ(p.Zip4, "6789");
  EXPECT_EQ(p.GetScf(), "");
  p.SetInput("ANYTOWN NY 12345");
  EXPECT_EQ(p.GetScf(), "123");
  p.SetInput("");
  ExpectLine(p, {"", ""});
}

TEST_F(CityStParserTest, NoLineFails) {
  TLxCityStParser p(path);
  for (const std::string& line : lxtest::HostileLines()) {
    EXPECT_NO_THROW(p.SetInput(line)) << line;
    EXPECT_LE(p.City.size(), 20u);
  }
}

TEST_F(CityStParserTest, ANewDictionaryReplacesTheStateTables) {
  TLxCityStParser p(path);
  const std::string other = lxtest::WriteFixtureDictionary(
      dir, {{lx::ctxStateAbbrev, "VT", "50VERMONT", 0, "05000-05999 "}}, "other.dct");
  p.SetDictionaryPath(other);
  p.SetInput("BURLINGTON VT 05401");
  ExpectLine(p, {"", "BURLINGTON", "VT", "VERMONT", "05401", "", "50", true});
  p.SetInput("ANYTOWN NEVADA 89501");
  ExpectLine(p, {"", "ANYTOWN NEVADA", "", "", "89501"});
  EXPECT_EQ(p.GetStateLookup()->List().Count(), 1);
  EXPECT_EQ(p.GetStateConvLookup()->List().Count(), 0);

  // A failed load leaves a parser that still parses, and the path can be set again.
  EXPECT_THROW(p.SetDictionaryPath(dir.File("missing.dct")), lx::LxError);
  EXPECT_EQ(p.GetStateLookup(), nullptr);
  EXPECT_NO_THROW(p.SetInput("ANYTOWN NY 12345"));
  ExpectLine(p, {"", "ANYTOWN", "NY", "", "12345"});
  p.SetDictionaryPath(path);
  p.SetInput("ANYTOWN NY 12345");
  EXPECT_EQ(p.StateName, "NEW YORK");
}

TEST(CityStParserDefaultDictionaryTest, ParsesRealLines) {
  TLxCityStParser p(LX_DEFAULT_DICTIONARY);
  p.SetInput("Albany, NY 12207-1234");
  ExpectLine(p, {"", "ALBANY", "NY", "NEW YORK", "12207", "1234", "36", true});
  p.SetInput("Beverly Hills California 90210");
  ExpectLine(p, {"", "BEVERLY HILLS", "CA", "CALIFORNIA", "90210", "", "06", true});
  p.SetInput("Houston TX 10001");
  EXPECT_EQ(p.StateName, "TEXAS");
  EXPECT_FALSE(p.ZipOk);
}

}  // namespace
