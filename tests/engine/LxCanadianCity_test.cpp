#include "LxCanadianCity.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DictFixture.h"
#include "HostileLines.h"
#include "LxConst.h"

namespace {

using lx::TLxCanadianCityParser;
using lxtest::TempDir;

struct Line {
  const char* input;
  const char* city;
  const char* abbr = "";
  const char* name = "";
  const char* postal = "";
};

void ExpectLine(const TLxCanadianCityParser& p, const Line& c) {
  SCOPED_TRACE(c.input);
  EXPECT_EQ(p.City, c.city);
  EXPECT_EQ(p.ProvAbbr, c.abbr);
  EXPECT_EQ(p.ProvName, c.name);
  EXPECT_EQ(p.PostalCode, c.postal);
}

class CanadianCityParserTest : public testing::Test {
 protected:
  TempDir dir;
  // A record of context 9999 in the file is never read: the table is built in.
  std::string path = lxtest::WriteFixtureDictionary(dir, {{lx::ctxProvinces, "YT", "Yukon"}});
};

TEST_F(CanadianCityParserTest, PostalCodeInOneOrTwoWords) {
  TLxCanadianCityParser p(path);
  const Line cases[] = {
      {"OTTAWA ON K1A 0B1", "OTTAWA", "ON", "ONTARIO", "K1A 0B1"},
      {"ottawa on k1a0b1", "OTTAWA", "ON", "ONTARIO", "K1A 0B1"},
      {"OTTAWA, ON, K1A 0B1", "OTTAWA", "ON", "ONTARIO", "K1A 0B1"},
      // The word in front is tested on its first three characters only and
      // goes into the code whole.
      {"OTTAWA ON K1AB 0B1", "OTTAWA", "ON", "ONTARIO", "K1AB 0B1"},
      {"OTTAWA ON K1A 0BB", "OTTAWA ON K1A 0BB"},
      {"OTTAWA ON 1KA 0B1", "OTTAWA ON 1KA 0B1"},
      {"OTTAWA ON K1A0BB", "OTTAWA ON K1A0BB"},
      {"OTTAWA ON K1A0B1X", "OTTAWA ON K1A0B1X"},
      {"K1A 0B1", "", "", "", "K1A 0B1"},
      {"K1A", "K1A"},
      {"0B1", "0B1"},
      {"", ""},
  };
  for (const Line& c : cases) {
    p.SetInput(c.input);
    ExpectLine(p, c);
  }
}

TEST_F(CanadianCityParserTest, OnlyTheBuiltInAbbreviationsAreProvinces) {
  TLxCanadianCityParser p(path);
  const Line cases[] = {
      {"REGINA SK S4P 3Y2", "REGINA", "SK", "SASKATACHAWN", "S4P 3Y2"},
      {"ST JOHNS NF A1C 5M2", "ST JOHNS", "NF", "NEW FOUNDLAND", "A1C 5M2"},
      {"WHITEHORSE YK Y1A 1A1", "WHITEHORSE", "YK", "YOUKON", "Y1A 1A1"},
      {"YELLOWKNIFE NT", "YELLOWKNIFE", "NT", "NORTH WEST TERRITORY"},
      {"CHARLOTTETOWN PE C1A 1A1", "CHARLOTTETOWN", "PE", "PRINCE EDWARD ISLAND", "C1A 1A1"},
      {"MONTREAL QUEBEC H2X 1Y4", "MONTREAL QUEBEC", "", "", "H2X 1Y4"},
      {"WHITEHORSE YT Y1A 1A1", "WHITEHORSE YT", "", "", "Y1A 1A1"},
      {"IQALUIT NU X0A 0H0", "IQALUIT NU", "", "", "X0A 0H0"},
      {"qc", "", "QC", "QUEBEC"},
      {"A VERY LONG CITY NAME INDEED BC", "A VERY LONG CITY NAM", "BC", "BRITISH COLUMBIA"},
  };
  for (const Line& c : cases) {
    p.SetInput(c.input);
    ExpectLine(p, c);
  }
  EXPECT_EQ(p.GetProvLookup()->List().Count(), 12);
  ASSERT_TRUE(p.GetProvLookup()->Lookup("sk"));
  EXPECT_EQ(p.GetProvLookup()->Found->Target, "Saskatachawn");
}

TEST_F(CanadianCityParserTest, NoLineFails) {
  TLxCanadianCityParser p(path);
  for (const std::string& line : lxtest::HostileLines()) {
    EXPECT_NO_THROW(p.SetInput(line)) << line;
    EXPECT_LE(p.City.size(), 20u);
  }
}

TEST_F(CanadianCityParserTest, ANewDictionaryRebuildsTheTable) {
  TLxCanadianCityParser p(path);
  p.AddProvince("NU", "Nunavut");
  p.SetInput("IQALUIT NU");
  ExpectLine(p, {"", "IQALUIT", "NU", "NUNAVUT"});

  const std::string other = lxtest::WriteFixtureDictionary(dir, {}, "other.dct");
  p.SetDictionaryPath(other);
  EXPECT_EQ(p.GetProvLookup()->List().Count(), 12);
  p.SetInput("IQALUIT NU");
  ExpectLine(p, {"", "IQALUIT NU"});

  EXPECT_THROW(p.SetDictionaryPath(dir.File("missing.dct")), lx::LxError);
  EXPECT_EQ(p.GetProvLookup(), nullptr);
  EXPECT_NO_THROW(p.SetInput("OTTAWA ON K1A 0B1"));
  ExpectLine(p, {"", "OTTAWA ON", "", "", "K1A 0B1"});
  p.SetDictionaryPath(other);
  p.SetInput("OTTAWA ON K1A 0B1");
  EXPECT_EQ(p.ProvName, "ONTARIO");
}

}  // namespace
