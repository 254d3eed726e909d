#include "LxLists.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "DictFixture.h"
#include "LxConst.h"

namespace {

using lx::LxError;
using lx::TLxList;
using lxtest::TempDir;

class TitleSearch : public lx::TLxSimpleSearch {
 public:
  using TLxSimpleSearch::TLxSimpleSearch;
  std::int32_t ContextId() const override { return lx::ctxPrefix; }
};

// Keeps only records with the exception flag, as the family-word lookup does.
class FlaggedSearch : public TitleSearch {
 public:
  using TitleSearch::TitleSearch;
  bool AcceptRecord(const lx::TLxDictRecord& r) override { return r.Spec_Case != 0; }
};

std::vector<std::string> Keys(TLxList& list) {
  std::vector<std::string> keys;
  for (int i = 0; i < list.Count(); ++i) keys.push_back(list.Item(i).Key.str());
  return keys;
}

TEST(TLxListTest, KeepsKeysSortedAndUniqueIgnoringCase) {
  TLxList list;
  for (const char* k : {"MRS", "dr", "MR", "Ms"}) list.Add(k);
  EXPECT_EQ(Keys(list), (std::vector<std::string>{"dr", "MR", "MRS", "Ms"}));
  try {
    list.Add("mr");
    FAIL();
  } catch (const LxError& e) {
    EXPECT_STREQ(e.what(), "Key already exists");
  }
  EXPECT_EQ(list.Count(), 4);
  int index = -1;
  EXPECT_FALSE(list.Search("MQ", index));
  EXPECT_EQ(index, 1);
  EXPECT_TRUE(list.Search("ms", index));
  EXPECT_EQ(index, 3);
  EXPECT_EQ(list.FindExact("mr"), nullptr);
  EXPECT_EQ(list.FindExact("MR"), list.Find("mR"));
}

TEST(TLxListTest, BulkUpdateGivesTheSameListAsSortedInsertion) {
  std::mt19937 rng(3);
  std::vector<std::string> keys;
  for (int i = 0; i < 2000; ++i) {
    std::string k(1 + rng() % 12, 'a');
    for (char& c : k) c = "aBcDeF\xE9 -"[rng() % 9];
    keys.push_back(k);
  }
  TLxList one, bulk;
  bulk.BeginUpdate();
  for (const auto& k : keys) {
    const bool dup = one.Find(k) != nullptr;
    EXPECT_EQ(bulk.Find(k) != nullptr, dup) << k;
    if (dup) continue;
    one.Add(k);
    bulk.Add(k);
  }
  EXPECT_THROW(bulk.Add(keys.front()), LxError);
  bulk.EndUpdate();
  EXPECT_EQ(Keys(one), Keys(bulk));
  auto sorted = Keys(one);
  EXPECT_TRUE(std::is_sorted(
      sorted.begin(), sorted.end(),
      [](const std::string& a, const std::string& b) { return lx::CompareKeys(a, b) < 0; }));
}

TEST(TLxSimpleSearchTest, FirstActiveRecordOfAKeyWins) {
  TempDir dir;
  const std::string path = lxtest::WriteFixtureDictionary(
      dir, {{lx::ctxPrefix, "DR", "Doctor", 0, "", 0},  // inactive: never loaded
            {lx::ctxPrefix, "MR", "Mister"},
            {lx::ctxSuffix, "JR", "Junior"},  // another context
            {lx::ctxPrefix, "Mr", "Second"},
            {lx::ctxPrefix, "DR", "Dr"},
            {lx::ctxPrefix, std::string(45, 'K'), "long"}});
  TitleSearch titles(path);
  EXPECT_EQ(titles.FormatFlag, 1);
  titles.LoadFromFile();
  EXPECT_EQ(titles.List().Count(), 3);
  ASSERT_TRUE(titles.Lookup("mr"));
  EXPECT_EQ(titles.Found->Key, "MR");
  EXPECT_EQ(titles.Found->Target, "Mister");
  ASSERT_TRUE(titles.Lookup("DR"));
  EXPECT_EQ(titles.Found->Target, "Dr");
  EXPECT_FALSE(titles.Lookup("JR"));
  EXPECT_EQ(titles.Found, nullptr);
  // The record field holds 40 characters; lookups use at most 41.
  EXPECT_TRUE(titles.Lookup(std::string(40, 'k')));
  EXPECT_TRUE(titles.Lookup(std::string(41, 'k')) == false);
}

TEST(TLxSimpleSearchTest, KeysAreCutTo41Characters) {
  TempDir dir;
  TitleSearch titles(lxtest::WriteFixtureDictionary(dir, {}));
  lx::TLxDictRecord r;
  r.ContextId = lx::ctxPrefix;
  r.Active = 1;
  std::memset(r.Source, 'Q', sizeof r.Source);  // 41 characters, no terminator
  titles.AddRecord(r);
  ASSERT_NE(titles.LastAdded, nullptr);
  EXPECT_EQ(titles.LastAdded->Key.size(), 41u);
  EXPECT_TRUE(titles.Lookup(std::string(45, 'Q')));
}

TEST(TLxSimpleSearchTest, FilterRunsAfterTheDuplicateTest) {
  TempDir dir;
  FlaggedSearch family(lxtest::WriteFixtureDictionary(
      dir, {{lx::ctxPrefix, "FAMILY", "unflagged", 0}, {lx::ctxPrefix, "FAMILY", "flagged", 1}}));
  family.LoadFromFile();
  ASSERT_TRUE(family.Lookup("FAMILY"));
  EXPECT_EQ(family.Found->Target, "flagged");
  EXPECT_EQ(family.LastAdded, family.Found);
}

TEST(TLxSimpleSearchTest, EmptyDictionaryAndPathChanges) {
  TempDir dir;
  const std::string empty = lxtest::WriteFixtureDictionary(dir, {}, "empty.dct");
  const std::string full = lxtest::WriteFixtureDictionary(dir, {{lx::ctxPrefix, "MR", "Mr"}});
  TitleSearch titles(empty);
  titles.LoadFromFile();
  EXPECT_FALSE(titles.Lookup("MR"));
  EXPECT_EQ(titles.Found, nullptr);

  titles.SetPath(full);
  titles.LoadFromFile();
  EXPECT_TRUE(titles.Lookup("MR"));
  titles.SetPath(full);  // same path: kept
  EXPECT_TRUE(titles.Lookup("MR"));
  titles.SetPath(empty);  // another path: emptied until reloaded
  EXPECT_EQ(titles.List().Count(), 0);
  EXPECT_EQ(titles.Found, nullptr);
}

TEST(TLxSimpleSearchTest, ConstructionChecksTheFile) {
  TempDir dir;
  const std::string bad = lxtest::WriteBytes(dir, "bad.dct", "not a dictionary at all, really");
  EXPECT_THROW(TitleSearch{bad}, LxError);
  EXPECT_THROW(TitleSearch{dir.File("missing.dct")}, LxError);
}

TEST(LoadLookupsTest, OnePassFeedsEveryLookupItsOwnContext) {
  TempDir dir;
  const std::string path = lxtest::WriteFixtureDictionary(
      dir,
      {{lx::ctxPrefix, "MR", "Mr"}, {lx::ctxPrefix, "MS", "Ms", 1}, {lx::ctxSuffix, "JR", "Jr"}});
  TitleSearch titles(path);
  FlaggedSearch flagged(path);
  lx::TLxBaseSearch* both[] = {&titles, &flagged};
  lx::LoadLookups(path, both);
  EXPECT_EQ(titles.List().Count(), 2);
  EXPECT_EQ(flagged.List().Count(), 1);
  EXPECT_TRUE(flagged.Lookup("ms"));
}

}  // namespace
