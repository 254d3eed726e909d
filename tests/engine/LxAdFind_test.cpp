#include "LxAdFind.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "DictFixture.h"
#include "LxConst.h"

namespace {

using lx::TLxSimpleSearch;
using lxtest::TempDir;

using Factory = std::function<std::unique_ptr<TLxSimpleSearch>(const std::string&)>;

template <class T>
Factory Make() {
  return [](const std::string& path) { return std::make_unique<T>(path); };
}

struct LookupCase {
  const char* name;
  Factory make;
  std::int32_t context;
  const char* key;     // a key of its own context, in the dictionary's spelling
  const char* target;  // its target
};

// One word per address context, and the same spelling in a name context, so
// that a lookup that loads the wrong context finds a word it should not.
const std::vector<lxtest::FixtureEntry> kEntries = {
    {lx::ctxStreetSuffix, "avenue", "AVE"}, {lx::ctxUnit, "Apt", "APT", 1},
    {lx::ctxDirectionals, "NORTH", "N"},    {lx::ctxPoBox, "POB", "PO BOX"},
    {lx::ctxRoutes, "RFD", "RR"},           {lx::ctxStreetNameStd, "MT", "MOUNT"},
    {lx::ctxPrefix, "OTHERCONTEXT", "X"},   {lx::ctxStreetSuffix, "ST", "ST"},
    {lx::ctxStreetSuffix, "st", "SAINT"},   {lx::ctxStreetSuffix, "AV", "AVE", 0, "", 0},
};

const LookupCase kCases[] = {
    {"StSuffix", Make<lx::TLxStSuffixSearch>(), 1601, "avenue", "AVE"},
    {"Unit", Make<lx::TLxUnitSearch>(), 101, "Apt", "APT"},
    {"Direct", Make<lx::TLxDirectSearch>(), 1701, "NORTH", "N"},
    {"Box", Make<lx::TLxBoxSearch>(), 1201, "POB", "PO BOX"},
    {"Route", Make<lx::TLxRouteSearch>(), 1301, "RFD", "RR"},
    {"StreetStd", Make<lx::TLxStreetStdSearch>(), 1801, "MT", "MOUNT"},
};

TEST(TLxAddressLookupsTest, EachLoadsOnlyItsOwnContext) {
  TempDir dir;
  const std::string path = lxtest::WriteFixtureDictionary(dir, kEntries);
  for (const LookupCase& c : kCases) {
    SCOPED_TRACE(c.name);
    auto lookup = c.make(path);
    EXPECT_EQ(lookup->ContextId(), c.context);
    lookup->LoadFromFile();
    ASSERT_TRUE(lookup->Lookup(c.key));
    EXPECT_EQ(lookup->Found->Key, c.key);
    EXPECT_EQ(lookup->Found->Target, c.target);
    for (const LookupCase& other : kCases) {
      if (other.context != c.context) {
        EXPECT_FALSE(lookup->Lookup(other.key)) << other.key;
      }
    }
    EXPECT_FALSE(lookup->Lookup("OTHERCONTEXT"));
    EXPECT_EQ(lookup->Found, nullptr);
  }
}

TEST(TLxAddressLookupsTest, MatchWholeKeysIgnoringCaseFirstRecordWinning) {
  TempDir dir;
  lx::TLxStSuffixSearch suffixes(lxtest::WriteFixtureDictionary(dir, kEntries));
  suffixes.LoadFromFile();
  ASSERT_TRUE(suffixes.Lookup("AVENUE"));  // stored in lower case
  EXPECT_EQ(suffixes.Found->Target, "AVE");
  EXPECT_FALSE(suffixes.Lookup("AVEN"));     // a key's beginning is no match
  EXPECT_FALSE(suffixes.Lookup("AVENUES"));  // nor is a word that begins with a key
  EXPECT_FALSE(suffixes.Lookup("AV"));       // inactive record
  ASSERT_TRUE(suffixes.Lookup("St"));
  EXPECT_EQ(suffixes.Found->Key, "ST");
  EXPECT_EQ(suffixes.Found->Target, "ST");

  lx::TLxUnitSearch units(suffixes.Path());
  units.LoadFromFile();
  ASSERT_TRUE(units.Lookup("APT"));
  EXPECT_EQ(units.Found->Spec_Case, 1);
}

TEST(TLxAddressLookupsTest, AContextWithoutRecordsFindsNothing) {
  TempDir dir;
  lx::TLxRouteSearch routes(lxtest::WriteFixtureDictionary(dir, {{lx::ctxPrefix, "RR", "RR"}}));
  routes.LoadFromFile();
  EXPECT_EQ(routes.List().Count(), 0);
  EXPECT_FALSE(routes.Lookup("RR"));
  EXPECT_EQ(routes.Found, nullptr);
}

}  // namespace
