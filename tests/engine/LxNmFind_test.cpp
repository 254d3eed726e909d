#include "LxNmFind.h"

#include <gtest/gtest.h>

#include <string>

#include "DictFixture.h"

namespace {

using lxtest::TempDir;

struct GenderCase {
  const char* text;
  bool found;
  char gender;
  char level;
};

TEST(TLxGenderizeTest, ReportsGenderAndLevelOfTheFirstWord) {
  TempDir dir;
  const std::string path =
      lxtest::WriteFixtureDictionary(dir, {{lx::ctxGenders, "JOHN", "1"},
                                           {lx::ctxGenders, "Mary", "2 female"},
                                           {lx::ctxGenders, "JAMIE", "3"},
                                           {lx::ctxGenders, "ALEX", "4"},
                                           {lx::ctxGenders, "SAM", "5"},
                                           {lx::ctxGenders, "ODD", "7"},
                                           {lx::ctxGenders, "EMPTY", ""},
                                           {lx::ctxPrefix, "MR", "1"}});
  lx::TLxGenderize g(path);
  g.LoadFromFile();
  const GenderCase cases[] = {
      {"JOHN", true, 'M', '1'},      {"MARY", true, 'F', '2'},   {"mary ann", true, 'F', '2'},
      {"  JAMIE  ", true, 'M', '3'}, {"ALEX", true, 'F', '4'},   {"SAM", true, 'A', '5'},
      {"ODD", true, 'U', '7'},       {"EMPTY", true, 'U', '\0'}, {"SMITH", false, 'U', '9'},
      {"MR", false, 'U', '9'},       {"   ", false, 'U', '9'},   {"ANN MARY", false, 'U', '9'},
  };
  for (const auto& c : cases) {
    g.Gender = 'X';
    EXPECT_EQ(g.Lookup(c.text), c.found) << c.text;
    EXPECT_EQ(g.Gender, c.gender) << c.text;
    EXPECT_EQ(g.GenderLevel, c.level) << c.text;
  }
}

TEST(TLxGenderizeTest, DuplicateRecordChangesNoName) {
  TempDir dir;
  // The duplicate MARY comes right after JOHN was added: it must neither
  // re-code JOHN nor MARY.
  const std::string path = lxtest::WriteFixtureDictionary(dir, {{lx::ctxGenders, "MARY", "2"},
                                                                {lx::ctxGenders, "JOHN", "1"},
                                                                {lx::ctxGenders, "mary", "4"},
                                                                {lx::ctxGenders, "JOHN", "5"}});
  lx::TLxGenderize g(path);
  g.LoadFromFile();
  ASSERT_TRUE(g.Lookup("JOHN"));
  EXPECT_EQ(g.GenderLevel, '1');
  ASSERT_TRUE(g.Lookup("MARY"));
  EXPECT_EQ(g.GenderLevel, '2');
  EXPECT_EQ(g.Found->Target, "2");
  EXPECT_EQ(g.List().Count(), 2);
}

TEST(NameLookupsTest, ContextsAndFamilyFilter) {
  TempDir dir;
  const std::string path =
      lxtest::WriteFixtureDictionary(dir, {{lx::ctxSuffix, "JR", "JR", 0},
                                           {lx::ctxSuffix, "FAMILY", "FAMILY", 1},
                                           {lx::ctxFirms, "INC", "INC", 1},
                                           {lx::ctxCareOf, "C/O", "C/O"},
                                           {lx::ctxProfTitles, "MD", "MD"},
                                           {lx::ctxCompoundLast, "VAN", "VAN"},
                                           {lx::ctxPrefix, "DR", "DR"}});
  lx::TLxSuffixSearch suffixes(path);
  lx::TLxFamilySearch family(path);
  lx::TLxFirmSearch firms(path);
  lx::TLxCareOfSearch care(path);
  lx::TLxJobSearch jobs(path);
  lx::TLxLn2Search particles(path);
  lx::TLxTitleSearch titles(path);
  lx::TLxBaseSearch* all[] = {&suffixes, &family, &firms, &care, &jobs, &particles, &titles};
  lx::LoadLookups(path, all);

  EXPECT_TRUE(suffixes.Lookup("jr"));
  EXPECT_TRUE(suffixes.Lookup("FAMILY"));
  EXPECT_FALSE(family.Lookup("JR"));
  EXPECT_TRUE(family.Lookup("Family"));
  ASSERT_TRUE(firms.Lookup("inc"));
  EXPECT_EQ(firms.Found->Spec_Case, 1);
  EXPECT_TRUE(care.Lookup("C/O"));
  EXPECT_TRUE(jobs.Lookup("MD"));
  EXPECT_TRUE(particles.Lookup("VAN"));
  EXPECT_TRUE(titles.Lookup("DR"));
  // Each lookup holds its own context only.
  EXPECT_FALSE(titles.Lookup("MD"));
  EXPECT_FALSE(jobs.Lookup("DR"));
  EXPECT_EQ(firms.ContextId(), 501);
  EXPECT_EQ(care.ContextId(), 601);
  EXPECT_EQ(jobs.ContextId(), 801);
  EXPECT_EQ(particles.ContextId(), 901);
  EXPECT_EQ(titles.ContextId(), 1001);
  EXPECT_EQ(family.ContextId(), 1101);
}

}  // namespace

namespace {

TEST(TLxNameIndexTest, AgreesWithEveryLookup) {
  TempDir dir;
  const std::string longKey = "Abcdefghijklmnopqrstuvwxyzabcdefghijklmnopq";  // 43 characters
  const std::string path =
      lxtest::WriteFixtureDictionary(dir, {{lx::ctxGenders, "Mary", "2"},
                                           {lx::ctxGenders, "JEAN-LUC", "1"},
                                           {lx::ctxGenders, "Ren\xE9", "3"},
                                           {lx::ctxGenders, longKey, "5"},
                                           {lx::ctxFirms, "inc", "INC", 1},
                                           {lx::ctxFirms, "CO", "CO", 0},
                                           {lx::ctxFirms, "Mary", "MARY", 0},
                                           {lx::ctxPrefix, "MR", "MR"},
                                           {lx::ctxPrefix, "Mary", "MARY"},
                                           {lx::ctxSuffix, "FAMILY", "FAMILY", 1},
                                           {lx::ctxSuffix, "jr", "JR"}});
  lx::TLxGenderize given(path);
  lx::TLxFirmSearch firms(path);
  lx::TLxTitleSearch titles(path);
  lx::TLxSuffixSearch suffixes(path);
  lx::TLxFamilySearch family(path);
  lx::TLxBaseSearch* all[] = {&given, &firms, &titles, &suffixes, &family};
  lx::LoadLookups(path, all);
  lx::TLxNameIndex index;
  index.Add(given, 1);
  index.Add(firms, 2);
  index.Add(titles, 4);
  index.Add(suffixes, 8);
  index.Add(family, 16);

  const std::string probes[] = {"MARY",
                                "mary",
                                "MARy",
                                "JEAN-LUC",
                                "jean-luc",
                                "REN\xE9",
                                "REN\xC9",
                                "INC",
                                "Co",
                                "MR",
                                "MRS",
                                "FAMILY",
                                "JR",
                                "",
                                longKey,
                                longKey.substr(0, 41) + "ZZ",
                                longKey.substr(0, 40),
                                "M\xC1RY",
                                "{ARY",
                                "`ARY",
                                "SMITH",
                                "ABCDEFGHIJ",
                                "abcdefgh"};
  lx::TLxSimpleSearch* lookups[] = {&given, &firms, &titles, &suffixes, &family};
  for (const std::string& w : probes) {
    const lx::TLxNameIndex::Entry* e = index.Find(w);
    for (int k = 0; k < 5; ++k) {
      const bool inIndex = e != nullptr && (e->contexts & (1 << k)) != 0;
      EXPECT_EQ(inIndex, lookups[k]->Lookup(w)) << w << " context bit " << k;
    }
    if (given.Lookup(w)) {
      ASSERT_NE(e, nullptr);
      EXPECT_EQ(e->genderLevel, given.GenderLevel) << w;
    }
    if (firms.Lookup(w)) {
      EXPECT_EQ(e->strongFirm, firms.Found->Spec_Case != 0) << w;
    }
  }
  EXPECT_EQ(lx::TLxNameIndex().Find("MARY"), nullptr);
}

}  // namespace
