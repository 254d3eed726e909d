#include "LxCSFind.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DictFixture.h"
#include "LxConst.h"

namespace {

using lx::TLxStateConvSearch;
using lx::TLxStateData;
using lx::TLxStateSearch;
using lxtest::FixtureEntry;
using lxtest::TempDir;

const std::vector<FixtureEntry> kStates = {
    {lx::ctxStateAbbrev, "AB", "12STATENAME", 0, "12000-12499 "},
    // Three slots, then text past character 36 that is no fourth range.
    {lx::ctxStateAbbrev, "TS", "99THREE SLOTS", 0, "00500-00599 10000-14999 06390-06390 2000"},
    // A blank slot ends the ranges even when a later one is filled.
    {lx::ctxStateAbbrev, "GP", "98GAP", 0, "30000-30999             40000-40999 "},
    {lx::ctxStateAbbrev, "NR", "7", 0, "     -     "},
    {lx::ctxStateAbbrev, "LN", "01A NAME OF MORE THAN THIRTY CHARACTERS", 0, ""},
    {lx::ctxStateAbbrev, "ab", "55SECOND", 0, "55000-55999 "},
    {lx::ctxStateAbbrev, "IN", "18INACTIVE", 0, "46000-47999 ", 0},
    {lx::ctxStateStd, "STATENAME", "AB"},
    {lx::ctxStateStd, "statename", "ZZ"},
    {lx::ctxStateStd, "NEVADA", "NVX"},
};

class StateSearchTest : public testing::Test {
 protected:
  TempDir dir;
  std::string path = lxtest::WriteFixtureDictionary(dir, kStates);
};

const TLxStateData& State(TLxStateSearch& s, const char* key) {
  EXPECT_TRUE(s.Lookup(key)) << key;
  return *s.FoundState();
}

TEST_F(StateSearchTest, ReadsAbbreviationNameCodeAndRangesFromOneRecord) {
  TLxStateSearch states(path);
  states.LoadFromFile();
  EXPECT_EQ(states.List().Count(), 5);  // the duplicate "ab" and the inactive record are not there

  const TLxStateData& ab = State(states, "AB");
  EXPECT_EQ(ab.Abbreviation, "AB");
  EXPECT_EQ(ab.StateName, "STATENAME");
  EXPECT_EQ(ab.Fips, "12");
  ASSERT_EQ(ab.RangeCount, 1);
  EXPECT_EQ(ab.ZipFrom[0], "12000");
  EXPECT_EQ(ab.ZipTo[0], "12499");
  EXPECT_TRUE(ab.Target.empty());

  const TLxStateData& ts = State(states, "TS");
  ASSERT_EQ(ts.RangeCount, 3);
  EXPECT_EQ(lx::GetZipFrom(ts, 2), "06390");
  EXPECT_EQ(lx::GetZipTo(ts, 2), "06390");
  EXPECT_EQ(lx::GetZipTo(ts, 3), "");

  EXPECT_EQ(State(states, "GP").RangeCount, 1);
  EXPECT_EQ(State(states, "NR").StateName, "");
  EXPECT_EQ(State(states, "NR").RangeCount, 0);
  EXPECT_EQ(State(states, "LN").StateName, "A NAME OF MORE THAN THIRTY CHA");
  EXPECT_EQ(State(states, "LN").Fips, "01");
  EXPECT_FALSE(states.Lookup("IN"));
}

TEST_F(StateSearchTest, ZipIsInRangeBetweenBothEndsInclusive) {
  TLxStateSearch states(path);
  states.LoadFromFile();
  const struct {
    const char* state;
    const char* zip;
    bool in;
  } cases[] = {
      {"AB", "12000", true},  {"AB", "12345", true},     {"AB", "12499", true},
      {"AB", "11999", false}, {"AB", "12500", false},    {"AB", "120", false},
      {"AB", "", false},      {"AB", "123456789", true}, {"TS", "00550", true},
      {"TS", "14999", true},  {"TS", "06390", true},     {"TS", "06391", false},
      {"TS", "20000", false},  // the text after the third slot
      {"GP", "40500", false},  // behind the blank slot
      {"NR", "12345", false}, {"LN", "00000", false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(lx::ZipInRange(State(states, c.state), c.zip), c.in) << c.state << " " << c.zip;
}

TEST_F(StateSearchTest, LookupIgnoresCaseAndAMissKeepsTheLastAnswer) {
  TLxStateSearch states(path);
  states.LoadFromFile();
  EXPECT_TRUE(states.Lookup("ab"));
  EXPECT_EQ(states.FoundAbbr, "AB");
  EXPECT_EQ(states.FoundName, "STATENAME");
  EXPECT_FALSE(states.Lookup("QQ"));
  EXPECT_EQ(states.Found, nullptr);
  EXPECT_EQ(states.FoundAbbr, "AB");
  EXPECT_EQ(states.FoundName, "STATENAME");
}

TEST_F(StateSearchTest, ConversionTableMapsANameToItsAbbreviation) {
  TLxStateConvSearch names(path);
  names.LoadFromFile();
  EXPECT_EQ(names.List().Count(), 2);
  ASSERT_TRUE(names.Lookup("StateName"));
  EXPECT_EQ(names.FoundAbbr, "AB");  // the first record of the key wins
  EXPECT_EQ(names.FoundName, "STATENAME");
  EXPECT_EQ(names.FoundState()->Fips, "");
  EXPECT_EQ(names.FoundState()->RangeCount, 0);
  ASSERT_TRUE(names.Lookup("NEVADA"));
  EXPECT_EQ(names.FoundAbbr, "NVX");  // the parser cuts it to two characters
}

TEST(StateRangesTest, HelpersKeepFiveCharactersAndThreeSlots) {
  TLxStateData item("XX");
  lx::ParseRanges(item, "10000-19999 20000-29999 ");
  ASSERT_EQ(item.RangeCount, 2);
  lx::SetZipFrom(item, 1, "2500099");
  lx::SetZipTo(item, 3, "99999");  // no such slot
  EXPECT_EQ(lx::GetZipFrom(item, 1), "25000");
  EXPECT_EQ(lx::GetZipFrom(item, -1), "");
  EXPECT_TRUE(lx::ZipInRange(item, "25000"));
  EXPECT_FALSE(lx::ZipInRange(item, "20000"));

  // An empty first ZIP ends the search, as a range never read from a slot.
  lx::SetZipFrom(item, 0, "");
  EXPECT_FALSE(lx::ZipInRange(item, "25000"));

  lx::ParseRanges(item, "12000-124");  // a comment cut inside the last ZIP
  ASSERT_EQ(item.RangeCount, 1);
  EXPECT_EQ(item.ZipTo[0], "124");
  EXPECT_TRUE(lx::ZipInRange(item, "12399"));

  lx::ClearRanges(item);
  EXPECT_EQ(item.RangeCount, 0);
  EXPECT_EQ(item.ZipFrom[0], "");
  EXPECT_EQ(item.ZipTo[0], "");
}

}  // namespace
