#include "LxAddr.h"

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "DictFixture.h"
#include "LxConst.h"
#include "LxUtils.h"

namespace {

using lx::TLxAddressParser;
using lxtest::TempDir;
using namespace lx;  // option codes

// ST and AVE are suffixes written in short and long forms; APT and STE are
// units with a number, FL, FLOOR and REAR units that stand alone; RD is a route
// word and no suffix here. XX, YY and MLK are street-name words that stand for
// no word or for several.
const std::vector<lxtest::FixtureEntry> kAddressEntries = {
    {ctxStreetSuffix, "ST", "ST"},
    {ctxStreetSuffix, "STREET", "ST"},
    {ctxStreetSuffix, "AVE", "AVE"},
    {ctxStreetSuffix, "AVENUE", "AVE"},
    {ctxUnit, "APT", "APT"},
    {ctxUnit, "STE", "STE"},
    {ctxUnit, "FL", "FL", 1},
    {ctxUnit, "FLOOR", "FL", 1},
    {ctxUnit, "REAR", "REAR", 1},
    {ctxDirectionals, "N", "N"},
    {ctxDirectionals, "S", "S"},
    {ctxDirectionals, "E", "E"},
    {ctxDirectionals, "W", "W"},
    {ctxDirectionals, "NORTH", "N"},
    {ctxDirectionals, "NE", "NE"},
    {ctxDirectionals, "NW", "NW"},
    {ctxPoBox, "PO", "PO"},
    {ctxPoBox, "BOX", "BOX"},
    {ctxRoutes, "RR", "RR"},
    {ctxRoutes, "RD", "RR"},
    {ctxRoutes, "ROUTE", "RR"},
    {ctxRoutes, "RURAL", "RR"},
    {ctxRoutes, "RFD", "RR"},
    {ctxStreetNameStd, "MT", "MOUNT"},
    {ctxStreetNameStd, "MLK", "MARTIN LUTHER KING"},
    {ctxStreetNameStd, "XX", ""},
    {ctxStreetNameStd, "YY", "   "},
};

// A right-aligned house number, box or route.
std::string R(const std::string& s) {
  return std::string(10 - s.size(), ' ') + s;
}

struct Fields {
  std::string hn = {}, pfx = {};
  char hs = ' ';
  std::string fr = {}, pre = {}, name = {}, suf = {}, post = {}, ud = {}, uv = {}, box = {},
              rt = {};
  char oe = ' ';
  friend bool operator==(const Fields&, const Fields&) = default;
  friend std::ostream& operator<<(std::ostream& o, const Fields& f) {
    return o << "{hn '" << f.hn << "' pfx '" << f.pfx << "' hs '" << f.hs << "' fr '" << f.fr
             << "' pre '" << f.pre << "' name '" << f.name << "' suf '" << f.suf << "' post '"
             << f.post << "' ud '" << f.ud << "' uv '" << f.uv << "' box '" << f.box << "' rt '"
             << f.rt << "' oe '" << f.oe << "'}";
  }
};

Fields Got(const TLxAddressParser& p) {
  return {p.HouseNumber.str(),
          p.HousePrefix.str(),
          p.HouseSuffix,
          p.Fraction.str(),
          p.PreDir.str(),
          p.StreetName.str(),
          p.StreetSuffix.str(),
          p.PostDir.str(),
          p.UnitDesignator.str(),
          p.UnitValue.str(),
          p.Box.str(),
          p.Route.str(),
          p.OddEven};
}

using Options = std::vector<std::pair<unsigned, std::uint8_t>>;

struct Case {
  const char* in;
  Options opts;
  Fields want;
};

class AddressParserTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = new TempDir;
    path_ = lxtest::WriteFixtureDictionary(*dir_, kAddressEntries);
  }
  static void TearDownTestSuite() {
    delete dir_;
    dir_ = nullptr;
  }

  // One parser for a whole table, so that a result left over from an earlier
  // line shows up; its options go back to the defaults before every line.
  void RunTable(const std::vector<Case>& cases) {
    TLxAddressParser p(path_);
    std::uint8_t defaults[kAddrOptionCount];
    for (unsigned c = 0; c < kAddrOptionCount; ++c) defaults[c] = *p.OptionByCode(c);
    for (const Case& c : cases) {
      for (unsigned k = 0; k < kAddrOptionCount; ++k) *p.OptionByCode(k) = defaults[k];
      for (auto [code, value] : c.opts) *p.OptionByCode(code) = value;
      p.SetInput(c.in);
      EXPECT_EQ(Got(p), c.want) << "input '" << c.in << "'";
    }
  }

  static TempDir* dir_;
  static std::string path_;
};

TempDir* AddressParserTest::dir_ = nullptr;
std::string AddressParserTest::path_;

TEST_F(AddressParserTest, OptionsHaveTheirCodesAndDefaults) {
  TLxAddressParser p(path_);
  const std::pair<std::uint8_t*, std::uint8_t> table[] = {
      {&p.HouseRightJustify, 1}, {&p.HouseLeadingZeros, 0}, {&p.StdStreetSuffix, 1},
      {&p.StdStreetName, 1},     {&p.HouseSuffixToUnit, 1}, {&p.UnitRightJustify, 0},
      {&p.UnitFilterSpecial, 0}, {&p.CheckHyphen, 0},       {&p.ShortMatchCode, 1},
      {&p.ComplexAddress, 0}};
  for (unsigned code = 0; code < kAddrOptionCount; ++code) {
    EXPECT_EQ(p.OptionByCode(code), table[code].first) << code;
    EXPECT_EQ(*table[code].first, table[code].second) << code;
  }
  EXPECT_EQ(p.OptionByCode(10), nullptr);
  EXPECT_EQ(p.OptionByCode(static_cast<unsigned>(-1)), nullptr);
  EXPECT_EQ(Got(p), Fields{});  // before the first line
}

TEST_F(AddressParserTest, ParseFlowAndFinalisation) {
  RunTable({
      // Nothing to parse: Finalize does not run, so no 10 blanks either.
      {"", {}, {}},
      {"  - -  ", {}, {}},
      {"123 MAIN ST", {}, {.hn = R("123"), .name = "MAIN", .suf = "ST", .oe = 'O'}},
      {"124 MAIN ST",
       {{aoHouseLeadingZeros, 1}},
       {.hn = "0000000124", .name = "MAIN", .suf = "ST", .oe = 'E'}},
      {"124 MAIN ST",
       {{aoHouseRightJustify, 0}, {aoHouseLeadingZeros, 1}},
       {.hn = "124", .name = "MAIN", .suf = "ST", .oe = 'E'}},
      {"PO BOX 45", {}, {.hn = R(""), .box = R("45")}},
      {"PO BOX 45", {{aoHouseLeadingZeros, 1}}, {.hn = "0000000000", .box = R("45")}},
      {"P.O. Box 45", {}, {.hn = R(""), .box = R("45")}},
      {"P O BOX 45", {}, {.hn = R(""), .box = R("45")}},
      {"123A MAIN ST",
       {},
       {.hn = R("123"), .name = "MAIN", .suf = "ST", .ud = "APT", .uv = "A", .oe = 'O'}},
      {"123A MAIN ST",
       {{aoHouseSuffixToUnit, 0}},
       {.hn = R("123"), .hs = 'A', .name = "MAIN", .suf = "ST", .oe = 'O'}},
      // A unit found keeps the house suffix where it is.
      {"123A MAIN ST #4",
       {},
       {.hn = R("123"), .hs = 'A', .name = "MAIN", .suf = "ST", .ud = "NBR", .uv = "4", .oe = 'O'}},
      {"123 MAIN ST 5",
       {},
       {.hn = R("123"), .name = "MAIN", .suf = "ST", .ud = "NBR", .uv = "5", .oe = 'O'}},
      // The second pass finds the house number behind a leading unit.
      {"APT 5 123 MAIN ST",
       {},
       {.hn = R("123"), .name = "MAIN", .suf = "ST", .ud = "APT", .uv = "5", .oe = 'O'}},
      {"123 MAIN ST APT 5-B",
       {{aoUnitFilterSpecial, 1}},
       {.hn = R("123"), .name = "MAIN", .suf = "ST", .ud = "APT", .uv = "5B", .oe = 'O'}},
      {"123 MAIN ST APT 5-B",
       {{aoUnitFilterSpecial, 1}, {aoUnitRightJustify, 1}},
       {.hn = R("123"), .name = "MAIN", .suf = "ST", .ud = "APT", .uv = R("5B"), .oe = 'O'}},
      {"123 MAIN ST APT 5-B",
       {{aoUnitRightJustify, 2}},
       {.hn = R("123"), .name = "MAIN", .suf = "ST", .ud = "APT", .uv = R("5-B"), .oe = 'O'}},
      {"123 MAIN STREET", {}, {.hn = R("123"), .name = "MAIN", .suf = "ST", .oe = 'O'}},
      {"123 MAIN STREET",
       {{aoStdStreetSuffix, 0}},
       {.hn = R("123"), .name = "MAIN", .suf = "STREET", .oe = 'O'}},
      // No suffix: the standard form replaces the written one even when empty.
      {"123 MAIN", {}, {.hn = R("123"), .name = "MAIN", .oe = 'O'}},
  });
}

TEST_F(AddressParserTest, InputIsRewrittenBeforeTheStages) {
  TLxAddressParser p(path_);
  const std::pair<const char*, const char*> cases[] = {
      {"  123main st\t", "123 MAIN ST"},
      {"1234AB MAIN", "1234 AB MAIN"},
      {"12B MAIN ST", "12B MAIN ST"},  // 3 characters stay whole
      {"1ST AVE", "1ST AVE"},
      {"12-B MAIN", "12 -B MAIN"},
      {"N123 W456 MAIN", "N123 W456 MAIN"},
      {"123 MAIN APT AB12", "123 MAIN APT AB12"},  // after a unit with target APT
      {"123 MAIN STE AB12", "123 MAIN STE AB 12"},
      {"123 MAIN STE100", "123 MAIN STE 100"},
      {"RR2 BOX 5", "RR 2 BOX 5"},
      {"A-12 MAIN #12 A12", "A-12 MAIN #12 A12"},
      {"MAIN AB12CD34", "MAIN AB 12CD34"},
      {"P O BOX 5", "PO BOX 5"},
      {"R R 2 R D 3 R F D 4", "RR 2 RR 3 RFD 4"},
      {"123 N. MAIN ST., APT 4", "123 N MAIN ST APT 4"},
  };
  for (auto [in, want] : cases) {
    p.SetInput(in);
    EXPECT_EQ(p.GetInput(), want) << in;
    EXPECT_EQ(p.GetCleanInput(), want) << in;
  }
}

TEST_F(AddressParserTest, ComplexAddresses) {
  const Options complex = {{aoComplexAddress, 1}};
  RunTable({
      {"APT 10 125 MAIN ST",
       complex,
       {.hn = R("125"), .name = "MAIN", .suf = "ST", .ud = "APT", .uv = "10", .oe = 'O'}},
      {"ACME TOWER 200 MAIN ST", complex, {.hn = R("200"), .name = "MAIN", .suf = "ST", .oe = 'E'}},
      {"ACME TOWER 200 MAIN ST", {}, {.hn = R(""), .name = "ACME TOWER 200 MAIN", .suf = "ST"}},
      {"CITY HALL ANNEX N MAIN ST",
       complex,
       {.hn = R(""), .pre = "N", .name = "MAIN", .suf = "ST"}},
      {"CITY HALL ANNEX N MAIN ST",
       {},
       {.hn = R(""), .name = "CITY HALL ANNEX N MAIN", .suf = "ST"}},
      // Ends in a direction: one word before the suffix goes with it.
      {"ACME TOWER MAIN ST N", complex, {.hn = R(""), .name = "MAIN", .suf = "ST", .post = "N"}},
      // Box and route come out first; three words are still enough for a street.
      {"PO BOX 5 ELM ST N",
       complex,
       {.hn = R(""), .name = "ELM", .suf = "ST", .post = "N", .box = R("5")}},
      // Box and route leave too little: nothing is set aside.
      {"PO BOX 5 RR 2", complex, {.hn = R(""), .box = R("5"), .rt = R("2")}},
      {"PO BOX 5 RR 2 ELM", complex, {.hn = R(""), .name = "ELM", .box = R("5"), .rt = R("2")}},
      {"PO BOX 5 RR 2 ELM ST",
       complex,
       {.hn = R(""), .name = "ELM", .suf = "ST", .box = R("5"), .rt = R("2")}},
      // Four words, or a suffix in second place: an ordinary line.
      {"TOWER 10 MAIN ST", complex, {.hn = R(""), .name = "TOWER 10 MAIN", .suf = "ST"}},
      {"MAIN ST TOWER 10 ELM", complex, {.hn = R(""), .name = "MAIN ST TOWER 10 ELM"}},
  });
}

TEST_F(AddressParserTest, HouseNumbersFractionsAndDirections) {
  RunTable({
      {"1ST AVE", {}, {.hn = R(""), .name = "1ST", .suf = "AVE"}},
      {"12N MAIN", {}, {.hn = R(""), .name = "12N MAIN"}},
      {"N123 MAIN ST", {}, {.hn = R("N123"), .name = "MAIN", .suf = "ST", .oe = 'O'}},
      {"N MAIN", {}, {.hn = R(""), .pre = "N", .name = "MAIN"}},
      {"123 1/2 MAIN ST",
       {},
       {.hn = R("123"), .fr = "1/2", .name = "MAIN", .suf = "ST", .oe = 'O'}},
      {"10-25 MAIN ST",
       {{aoCheckHyphen, 1}},
       {.hn = R("25"), .pfx = R("10"), .name = "MAIN", .suf = "ST", .oe = 'O'}},
      {"10-24 MAIN ST",
       {{aoCheckHyphen, 1}, {aoHouseLeadingZeros, 1}},
       {.hn = "0000000024", .pfx = "0000000010", .name = "MAIN", .suf = "ST", .oe = 'E'}},
      {"10-25 MAIN ST", {}, {.hn = R("10-25"), .name = "MAIN", .suf = "ST", .oe = 'O'}},
      {"1-A MAIN ST",
       {},
       {.hn = R("1"), .name = "MAIN", .suf = "ST", .ud = "APT", .uv = "A", .oe = 'O'}},
      {"1-A MAIN ST",
       {{aoHouseSuffixToUnit, 0}},
       {.hn = R("1"), .hs = 'A', .name = "MAIN", .suf = "ST", .oe = 'O'}},
      {"123 N E MAIN ST",
       {},
       {.hn = R("123"), .pre = "NE", .name = "MAIN", .suf = "ST", .oe = 'O'}},
      {"123 E N MAIN ST",
       {},
       {.hn = R("123"), .pre = "E", .name = "N MAIN", .suf = "ST", .oe = 'O'}},
      {"123 NORTH MAIN ST",
       {},
       {.hn = R("123"), .pre = "N", .name = "MAIN", .suf = "ST", .oe = 'O'}},
      {"123 NE N MAIN", {}, {.hn = R("123"), .pre = "NE", .name = "N MAIN", .oe = 'O'}},
      {"123 N MAIN", {}, {.hn = R("123"), .pre = "N", .name = "MAIN", .oe = 'O'}},
      {"123 N", {}, {.hn = R("123"), .name = "N", .oe = 'O'}},
      {"123 MAIN ST N E",
       {},
       {.hn = R("123"), .name = "MAIN", .suf = "ST", .post = "NE", .oe = 'O'}},
      {"123 MAIN ST E N",
       {},
       {.hn = R("123"), .name = "MAIN E", .suf = "ST", .post = "N", .oe = 'O'}},
      {"123 N MAIN ST NW",
       {},
       {.hn = R("123"), .pre = "N", .name = "MAIN", .suf = "ST", .post = "NW", .oe = 'O'}},
  });
}

TEST_F(AddressParserTest, SuffixesAndStreetNames) {
  RunTable({
      {"123 AVE B", {}, {.hn = R("123"), .name = "AVE B", .oe = 'O'}},
      {"123 MAIN ST EXT", {}, {.hn = R("123"), .name = "MAIN EXT", .suf = "ST", .oe = 'O'}},
      {"123 MT VERNON AVE", {}, {.hn = R("123"), .name = "MOUNT VERNON", .suf = "AVE", .oe = 'O'}},
      {"123 MT VERNON AVE",
       {{aoStdStreetName, 0}},
       {.hn = R("123"), .name = "MT VERNON", .suf = "AVE", .oe = 'O'}},
      {"123 5 AVE", {}, {.hn = R("123"), .name = "5TH", .suf = "AVE", .oe = 'O'}},
      {"123 5 B", {}, {.hn = R("123"), .name = "5 B", .oe = 'O'}},
      // A word that stands for nothing goes, and the next word is still looked at.
      {"123 XX MT VERNON", {}, {.hn = R("123"), .name = "MOUNT VERNON", .oe = 'O'}},
      {"123 YY MAIN ST", {}, {.hn = R("123"), .name = "MAIN", .suf = "ST", .oe = 'O'}},
      {"123 XX ST", {}, {.hn = R("123"), .name = "", .suf = "ST", .oe = 'O'}},
      // A word that stands for several: each of the name's own words once.
      {"123 MLK MT AVE",
       {},
       {.hn = R("123"), .name = "MARTIN LUTHER KING MOUNT", .suf = "AVE", .oe = 'O'}},
  });
}

TEST_F(AddressParserTest, NumericStreetNamesBecomeOrdinals) {
  TLxAddressParser p(path_);
  const std::pair<const char*, const char*> cases[] = {
      {"5", "5TH"},     {"1", "1ST"},     {"2", "2ND"},   {"3", "3RD"},   {"11", "11TH"},
      {"12", "12TH"},   {"13", "13TH"},   {"21", "21ST"}, {"22", "22ND"}, {"102", "102ND"},
      {"111", "111TH"}, {"100", "100TH"}, {"0", "0TH"},   {"4", "4TH"},
  };
  for (auto [name, ordinal] : cases) {
    const std::string line = std::string("9 ") + name;
    p.StdStreetName = 1;
    p.SetInput(line);
    EXPECT_EQ(p.StreetName, ordinal) << line;
    p.StdStreetName = 0;
    p.SetInput(line);
    EXPECT_EQ(p.StreetName, name) << line;
  }
}

TEST_F(AddressParserTest, UnitsBoxesAndRoutes) {
  RunTable({
      {"123 MAIN ST #5",
       {},
       {.hn = R("123"), .name = "MAIN", .suf = "ST", .ud = "NBR", .uv = "5", .oe = 'O'}},
      {"123 MAIN ST APT 5",
       {},
       {.hn = R("123"), .name = "MAIN", .suf = "ST", .ud = "APT", .uv = "5", .oe = 'O'}},
      {"123 MAIN ST APT 5 B",
       {},
       {.hn = R("123"), .name = "MAIN", .suf = "ST", .ud = "APT", .uv = "5B", .oe = 'O'}},
      {"123 MAIN ST APT 5 12",
       {},
       {.hn = R("123"), .name = "MAIN", .suf = "ST", .ud = "APT", .uv = "512", .oe = 'O'}},
      {"123 MAIN ST APT 5 BC",
       {},
       {.hn = R("123"), .name = "MAIN BC", .suf = "ST", .ud = "APT", .uv = "5", .oe = 'O'}},
      {"123 MAIN ST APT", {}, {.hn = R("123"), .name = "MAIN APT", .suf = "ST", .oe = 'O'}},
      {"123 MAIN ST STE 100",
       {},
       {.hn = R("123"), .name = "MAIN", .suf = "ST", .ud = "STE", .uv = "100", .oe = 'O'}},
      {"123 MAIN ST REAR",
       {},
       {.hn = R("123"), .name = "MAIN", .suf = "ST", .ud = "NONE", .uv = "REAR", .oe = 'O'}},
      {"123 MAIN ST APT REAR",
       {},
       {.hn = R("123"), .name = "MAIN", .suf = "ST", .ud = "APT", .uv = "REAR", .oe = 'O'}},
      {"123 MAIN ST 2ND FL",
       {},
       {.hn = R("123"), .name = "MAIN", .suf = "ST", .ud = "FL", .uv = "2", .oe = 'O'}},
      {"123 MAIN ST FL 3",
       {},
       {.hn = R("123"), .name = "MAIN", .suf = "ST", .ud = "FL", .uv = "3", .oe = 'O'}},
      {"123 MAIN ST FLOOR 3RD",
       {},
       {.hn = R("123"), .name = "MAIN", .suf = "ST", .ud = "FL", .uv = "3", .oe = 'O'}},
      // A unit word in front of the floor goes with it.
      {"123 MAIN ST APT 2ND FL",
       {},
       {.hn = R("123"), .name = "MAIN", .suf = "ST", .ud = "FL", .uv = "2", .oe = 'O'}},
      {"123 MAIN ST 12345678901",
       {},
       {.hn = R("123"), .name = "MAIN", .suf = "ST", .ud = "NBR", .uv = "1234567890", .oe = 'O'}},
      {"PO BOX 45", {}, {.hn = R(""), .box = R("45")}},
      {"BOX A", {}, {.hn = R(""), .name = "BOX A"}},
      {"123 MAIN ST PO BOX 45",
       {},
       {.hn = R("123"), .name = "MAIN", .suf = "ST", .box = R("45"), .oe = 'O'}},
      {"RR 2 BOX 10", {}, {.hn = R(""), .box = R("10"), .rt = R("2")}},
      {"RURAL ROUTE 2", {}, {.hn = R(""), .rt = R("2")}},
      {"RR 5 RD MAIN", {}, {.hn = R(""), .name = "MAIN", .rt = R("5")}},
      {"RD 5 RD MAIN", {}, {.hn = R(""), .name = "RD MAIN", .rt = R("5")}},
      {"RD 5 MAIN", {}, {.hn = R(""), .name = "MAIN", .rt = R("5")}},
      {"R D 5 RD MAIN", {}, {.hn = R(""), .name = "MAIN", .rt = R("5")}},
      // Streets named after a route keep their number.
      {"123 COUNTY RD 5", {}, {.hn = R("123"), .name = "COUNTY RD 5", .oe = 'O'}},
      {"123 RD 5", {}, {.hn = R("123"), .name = "RD 5", .oe = 'O'}},
      {"123 ROUTE 66 RR 4", {}, {.hn = R("123"), .name = "ROUTE 66 RR 4", .oe = 'O'}},
      {"123 MAIN ST RR 4",
       {},
       {.hn = R("123"), .name = "MAIN", .suf = "ST", .rt = R("4"), .oe = 'O'}},
  });
}

TEST_F(AddressParserTest, MatchCodeAndWalkKeyLayouts) {
  TLxAddressParser p(path_);
  const std::string stars20(20, '*');
  p.SetInput("123 N MAIN ST APT 5");
  EXPECT_EQ(p.MatchCode(),
            "0000000123"
            "MAIN      "
            "*********5" +
                stars20);
  p.ShortMatchCode = 0;  // read when the code is built, not when the line is parsed
  EXPECT_EQ(p.MatchCode(),
            "0000000123"
            "N "
            "MAIN                "
            "  "
            "ST        "
            "*********5" +
                stars20);
  EXPECT_EQ(p.WalkKey(1),
            "MAIN                "
            "ST        "
            "N "
            "  "
            "O"
            "0000000123"
            "*********5" +
                stars20);
  EXPECT_EQ(p.WalkKey(0),
            "MAIN                "
            "ST        "
            "N "
            "  "
            " "
            "0000000123"
            "*********5" +
                stars20);

  p.SetInput("");
  EXPECT_EQ(p.MatchCode(), "0000000000" + std::string(34, ' ') + std::string(30, '*'));
  p.ShortMatchCode = 1;
  EXPECT_EQ(p.MatchCode(), "0000000000" + std::string(10, ' ') + std::string(30, '*'));
  for (std::uint8_t flag : {0, 1})
    EXPECT_EQ(p.WalkKey(flag), std::string(35, ' ') + "0000000000" + std::string(30, '*'));

  // Aligned values are refilled: blanks give way to zeros and stars.
  p.UnitRightJustify = 1;
  p.SetInput("PO BOX 45 RR 7 APT 2");
  EXPECT_EQ(p.MatchCode(),
            "0000000000"
            "          "
            "*********2"
            "*********7"
            "********45");
  EXPECT_EQ(p.WalkKey(1).view().substr(65), "********45");

  p.SetInput("123 ABCDEFGHIJKLMNOPQRSTUVWXYZ S");
  EXPECT_EQ(p.MatchCode().view().substr(10, 10), "ABCDEFGHIJ");
  p.ShortMatchCode = 0;
  EXPECT_EQ(p.MatchCode().view().substr(10, 24), "  ABCDEFGHIJKLMNOPQRSTS ");
  EXPECT_EQ(p.WalkKey(1).view().substr(0, 34),
            "ABCDEFGHIJKLMNOPQRST" + std::string(10, ' ') + "  S ");
}

TEST_F(AddressParserTest, NoLineMakesAParseFail) {
  std::string highBytes;
  for (int c = 128; c < 256; ++c) highBytes += static_cast<char>(c);
  std::string hundredWords;
  for (int i = 0; i < 100; ++i) hundredWords += (i % 3 ? "APT " : "12 ");
  std::string glued;
  for (int i = 0; i < 60; ++i) glued += "1STE2 ";
  const std::string lines[] = {"",
                               "-",
                               "- - -",
                               std::string(300, 'A'),
                               std::string(300, '1'),
                               hundredWords,
                               glued,
                               "1 2 3 4 5 6 7 8",
                               "APT STE FL REAR FLOOR APT",
                               "APT FL",
                               "FL APT",
                               "REAR REAR",
                               "#",
                               "# # #",
                               "1/",
                               "-1",
                               "1-",
                               "A-",
                               "-A",
                               "/",
                               "1/2",
                               highBytes,
                               "\x80\xff 12 \xe9",
                               "PO BOX",
                               "BOX BOX 1",
                               "RR",
                               "RR RR 1",
                               "N",
                               "N S",
                               "N N N N N N",
                               "123 N",
                               "123 N E",
                               "PO BOX 5 RR 2",
                               "PO BOX 5 RR 2 N",
                               "PO BOX 5 RR 2 ST",
                               "A B PO BOX 5 RR 2 N ST",
                               "12345678901234567890ABC MAIN ST APT 1234567890123456 99",
                               "123 MLK MLK MLK MLK MLK MLK MLK MLK MLK MLK MLK MLK XX YY",
                               "XX",
                               "9 XX",
                               "9 YY YY",
                               "10-",
                               "-10-25",
                               "1-A",
                               "A 1 B 2 C 3 D 4 E",
                               "ST ST ST ST ST 5",
                               "N123",
                               "W 5 N E"};
  const Options optionSets[] = {
      {},
      {{aoComplexAddress, 1}, {aoCheckHyphen, 1}},
      {{aoHouseLeadingZeros, 1},
       {aoUnitRightJustify, 1},
       {aoUnitFilterSpecial, 1},
       {aoComplexAddress, 1},
       {aoCheckHyphen, 1},
       {aoShortMatchCode, 0}},
      {{aoHouseRightJustify, 0},
       {aoStdStreetSuffix, 0},
       {aoStdStreetName, 0},
       {aoHouseSuffixToUnit, 0},
       {aoShortMatchCode, 0}},
  };
  for (const std::string& dictionary : {path_, std::string(LX_DEFAULT_DICTIONARY)}) {
    TLxAddressParser p(dictionary);
    for (const Options& options : optionSets) {
      for (auto [code, value] : options) *p.OptionByCode(code) = value;
      for (const std::string& line : lines) {
        SCOPED_TRACE(testing::Message() << dictionary << " '" << line << "'");
        ASSERT_NO_THROW(p.SetInput(line));
        EXPECT_EQ(p.MatchCode().size(), p.ShortMatchCode ? 50u : 74u);
        EXPECT_EQ(p.WalkKey(1).size(), 75u);
      }
    }
  }
}

// Lines drawn from the words every stage reacts to, in any order and under
// every option, reach each stage's boundaries far more often than real data.
TEST_F(AddressParserTest, RandomLinesOfStageWordsNeverFail) {
  const char* const pool[] = {"123", "5",   "12B",  "1-A",   "10-25", "1/2",   "N123", "#",
                              "#5",  "-",   "APT",  "STE",   "FL",    "FLOOR", "REAR", "2ND",
                              "PO",  "BOX", "RR",   "RD",    "ROUTE", "RURAL", "N",    "S",
                              "E",   "W",   "NE",   "NORTH", "ST",    "AVE",   "MT",   "MLK",
                              "XX",  "YY",  "MAIN", "A"};
  std::mt19937 rng(2024);
  std::uniform_int_distribution<int> length(0, 9), word(0, std::size(pool) - 1), flag(0, 1);
  TLxAddressParser p(path_);
  for (int n = 0; n < 20000; ++n) {
    std::string line;
    for (int k = length(rng); k > 0; --k) line += std::string(pool[word(rng)]) + " ";
    for (unsigned code = 0; code < kAddrOptionCount; ++code)
      *p.OptionByCode(code) = static_cast<std::uint8_t>(flag(rng));
    ASSERT_NO_THROW(p.SetInput(line)) << "'" << line << "'";
    ASSERT_NO_THROW(p.MatchCode());
  }
}

TEST_F(AddressParserTest, ADictionaryWithoutAddressContextsLeavesTheWords) {
  TempDir dir;
  TLxAddressParser p(lxtest::WriteFixtureDictionary(dir, {{ctxPrefix, "MR", "MR"}}));
  p.CheckHyphen = 1;
  p.SetInput("10-12B 1/2 N MAIN ST APT 5 #7");
  EXPECT_EQ(Got(p), (Fields{.hn = R("12"),
                            .pfx = R("10"),
                            .hs = 'B',
                            .fr = "1/2",
                            .name = "N MAIN ST APT 5",
                            .ud = "NBR",
                            .uv = "7",
                            .oe = 'E'}));
}

TEST_F(AddressParserTest, ANewDictionaryReloadsTheLookupsAndKeepsTheSettings) {
  TLxAddressParser p(path_);
  p.HouseRightJustify = 0;
  TempDir dir;
  p.SetDictionaryPath(lxtest::WriteFixtureDictionary(dir, {{ctxStreetSuffix, "RUE", "RUE"}}));
  p.SetInput("12 MAIN ST");
  EXPECT_EQ(Got(p), (Fields{.hn = "12", .name = "MAIN ST", .oe = 'E'}));
  p.SetInput("12 R R 4 MAIN RUE");  // the replacement pairs stay too
  EXPECT_EQ(p.GetInput(), "12 RR 4 MAIN RUE");
  EXPECT_EQ(p.StreetSuffix, "RUE");
}

TEST_F(AddressParserTest, NotADictionaryIsRefusedAndAFailedReloadKeepsTheOldLookups) {
  TempDir dir;
  const std::string bad = lxtest::WriteBytes(dir, "bad.dct", std::string(64, 'x'));
  EXPECT_THROW(TLxAddressParser p(bad), lx::LxError);

  TLxAddressParser p(path_);
  EXPECT_THROW(p.SetDictionaryPath(bad), lx::LxError);
  p.SetInput("12 MAIN ST");
  EXPECT_EQ(p.StreetSuffix, "ST");
}

// The default dictionary: one line through every context it feeds, and the
// one-pass load gives the lookups what loading each on its own gives.
TEST(AddressParserDefaultDictionaryTest, ParsesWithTheShippedData) {
  TLxAddressParser p(LX_DEFAULT_DICTIONARY);
  p.SetInput("123 n. mlk blvd, apt. 5");
  EXPECT_EQ(Got(p), (Fields{.hn = R("123"),
                            .pre = "N",
                            .name = "MARTIN LUTHER KING",
                            .suf = "BLVD",
                            .ud = "APT",
                            .uv = "5",
                            .oe = 'O'}));
  p.SetInput("P.O. Box 77, Rural Route 3");
  EXPECT_EQ(Got(p), (Fields{.hn = R(""), .box = R("77"), .rt = R("3")}));

  lx::TLxUnitSearch units(LX_DEFAULT_DICTIONARY);
  units.LoadFromFile();
  lx::TLxStreetStdSearch names(LX_DEFAULT_DICTIONARY);
  names.LoadFromFile();
  EXPECT_EQ(p.GetUnitLookup().List().Count(), units.List().Count());
  EXPECT_EQ(p.GetStreetStdLookup().List().Count(), names.List().Count());
  EXPECT_GT(p.GetSuffixLookup().List().Count(), 0);
  EXPECT_GT(p.GetDirectLookup().List().Count(), 0);
  EXPECT_GT(p.GetBoxLookup().List().Count(), 0);
  EXPECT_GT(p.GetRouteLookup().List().Count(), 0);
}

}  // namespace
