#include "LxCase.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DictFixture.h"
#include "HostileLines.h"
#include "LxConst.h"

namespace {

using lx::TLxCaser;
using lxtest::FixtureEntry;
using lxtest::TempDir;

const std::vector<FixtureEntry> kCaseEntries = {
    {lx::ctxCaseExceptions, "THE", "the"},
    {lx::ctxCaseExceptions, "OF", "of"},
    {lx::ctxCaseExceptions, "III", "III"},
    {lx::ctxCaseExceptions, "PHD", "PhD"},
    {lx::ctxCaseExceptions, "VANDYKE", "Vandyke"},
    {lx::ctxCaseExceptions, "ST.JOHN", "St. John"},
    {lx::ctxCaseExceptions, "NOWHERE", "  "},
    {lx::ctxCaseLastName, "DELUCA", "DeLuca"},
    {lx::ctxCaseLastName, "VANDYKE", "VanDyke"},
    {lx::ctxCaseMac, "MACDONALD", "MacDonald"},
    {lx::ctxStateAbbrev, "NY", "36NEW YORK", 0, "10000-14999 "},
};

class CaserTest : public testing::Test {
 protected:
  TempDir dir;
  std::string path = lxtest::WriteFixtureDictionary(dir, kCaseEntries);
};

struct Conversion {
  const char* input;
  const char* output;
};

void ExpectConversions(TLxCaser& caser, std::uint8_t mode,
                       std::initializer_list<Conversion> cases) {
  for (const Conversion& c : cases)
    EXPECT_EQ(caser.ConvertCase(c.input, mode), c.output) << c.input << " mode " << int{mode};
}

TEST_F(CaserTest, ProperCaseAndTheFixedRules) {
  TLxCaser caser(path);
  ExpectConversions(caser, 0,
                    {
                        {"O'NEIL", "O'Neil"},
                        {"JOHN'S", "John's"},
                        {"MARY-ANN", "Mary-Ann"},
                        {"MCDONALD", "McDonald"},
                        {"MCDONALD'S,", "McDonald's,"},
                        {"MC", "Mc"},
                        {"21ST", "21st"},
                        {"4TH", "4th"},
                        {"100TH.", "100th."},
                        {"1ST2", "1St2"},
                        {"12-B", "12-B"},
                        {"123", "123"},
                        {"mary o'neil", "Mary O'Neil"},
                        {"  JOHN   SMITH  ", "John Smith"},
                        {"JOHN\tSMITH", "John\tSmith"},
                        {"JONES,JR.", "Jones,Jr."},
                        {"", ""},
                        {" \t ", ""},
                    });
}

TEST_F(CaserTest, ExceptionsApplyEverywhereButALeadingThe) {
  TLxCaser caser(path);
  ExpectConversions(caser, 0,
                    {
                        {"THE ROLLING STONES", "The Rolling Stones"},
                        {"ROLL THE DICE", "Roll the Dice"},
                        {"THE", "The"},
                        {"OF THE PEOPLE", "of the People"},
                        {"JOHN SMITH III, PHD.", "John Smith III, PhD."},
                    });
}

TEST_F(CaserTest, LastNamesOnlyWhileTheOptionIsOn) {
  TLxCaser caser(path);
  EXPECT_EQ(caser.LastNameOption, 1);
  // VANDYKE is an exception whose form is also a last name: the last name wins.
  ExpectConversions(caser, 0, {{"MARY DELUCA", "Mary DeLuca"}, {"VANDYKE, JOHN", "VanDyke, John"}});
  caser.LastNameOption = 0;
  ExpectConversions(caser, 0, {{"MARY DELUCA", "Mary Deluca"}, {"VANDYKE, JOHN", "Vandyke, John"}});
  // The Mac list is loaded but no rule reads it.
  ExpectConversions(caser, 0, {{"MACDONALD", "Macdonald"}});
  EXPECT_EQ(caser.GetMacNames()->List().Count(), 1);
}

TEST_F(CaserTest, ModeOneWritesStatesInCapitals) {
  TLxCaser caser(path);
  const char* line = "JOHN MCDONALD 21ST ST, ALBANY NY";
  EXPECT_EQ(caser.ConvertCase(line, 1), "John McDonald 21st St, Albany NY");
  EXPECT_EQ(caser.ConvertCase(line, 0), "John McDonald 21st St, Albany Ny");
  EXPECT_EQ(caser.ConvertCase(line, 2), "John McDonald 21st St, Albany Ny");
  // The state must stand without a trailing mark.
  EXPECT_EQ(caser.ConvertCase("ALBANY NY, 12207", 1), "Albany Ny, 12207");
  EXPECT_EQ(caser.ConvertCase("ny ny", 1), "NY NY");
}

TEST_F(CaserTest, TargetsOfSeveralWordsOrOfNothingLoseNoWord) {
  TLxCaser caser(path);
  ExpectConversions(caser, 0,
                    {
                        {"ST.JOHN MCDONALD 21ST", "St. John McDonald 21st"},
                        {"MCDONALD ST.JOHN, 21ST", "McDonald St. John, 21st"},
                        {"NOWHERE MCDONALD", "Nowhere McDonald"},
                        {"MCDONALD NOWHERE", "McDonald Nowhere"},
                    });
  // Near the end of the line's 255 characters a longer form no longer fits and
  // the word stays proper-cased rather than cutting off the words behind it.
  std::string full;
  for (int i = 0; i < 30; ++i) full += "ST.JOHN ";
  full += "MCDONALD";  // 248 characters: room for 7 more
  std::string expected;
  for (int i = 0; i < 30; ++i) expected += i < 7 ? "St. John " : "St.John ";
  expected += "McDonald";
  EXPECT_EQ(caser.ConvertCase(full, 0), expected);
  // The same for the line's 64 words.
  std::string ones;
  for (int i = 0; i < 62; ++i) ones += " 1";
  EXPECT_EQ(caser.ConvertCase("ST.JOHN" + ones, 0), "St. John" + ones);
  EXPECT_EQ(caser.ConvertCase("ST.JOHN" + ones + " 1", 0), "St.John" + ones + " 1");
}

TEST_F(CaserTest, NoInputFails) {
  TLxCaser caser(path);
  std::vector<std::string> lines = lxtest::HostileLines();
  lines.push_back(std::string(40, 'x') + " ST.JOHN NOWHERE THE ny, ny");
  for (const std::string& line : lines) {
    for (std::uint8_t mode : {0, 1}) {
      EXPECT_NO_THROW(caser.ConvertCase(line, mode)) << line;
      EXPECT_LE(caser.ConvertCase(line, mode).size(), 255u);
    }
  }
}

TEST_F(CaserTest, ANewDictionaryReplacesTheLists) {
  TLxCaser caser(path);
  const std::string other = lxtest::WriteFixtureDictionary(
      dir, {{lx::ctxCaseExceptions, "USA", "USA"}, {lx::ctxStateAbbrev, "VT", "50VERMONT"}},
      "other.dct");
  caser.SetDictionaryPath(other);
  EXPECT_EQ(caser.ConvertCase("OF THE USA, VT NY", 1), "Of The USA, VT Ny");
  EXPECT_EQ(caser.GetExceptions()->List().Count(), 1);
  EXPECT_EQ(caser.GetLastNames()->List().Count(), 0);

  EXPECT_THROW(caser.SetDictionaryPath(dir.File("missing.dct")), lx::LxError);
  EXPECT_EQ(caser.GetExceptions(), nullptr);
  EXPECT_EQ(caser.ConvertCase("THE USA, MCDONALD VT", 1), "The Usa, McDonald Vt");
  caser.SetDictionaryPath(other);
  EXPECT_EQ(caser.ConvertCase("THE USA, MCDONALD VT", 1), "The USA, McDonald VT");
}

TEST(CaserDefaultDictionaryTest, ConvertsRealLines) {
  TLxCaser caser(LX_DEFAULT_DICTIONARY);
  EXPECT_EQ(caser.ConvertCase("MARY MACDONALD O'BRIEN III, 21ST ST NW, ALBANY NY", 1),
            "Mary MacDonald O'Brien III, 21st St NW, Albany NY");
}

}  // namespace
