#include "LxName.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

#include "DictFixture.h"

namespace {

using lx::TLxNameParser;
using lxtest::TempDir;

// The dictionary the name cases are written against. SMITH, JONES, BERG,
// ACME and JA are in no context.
std::vector<lxtest::FixtureEntry> NameEntries() {
  return {
      {lx::ctxGenders, "JOHN", "1"},
      {lx::ctxGenders, "MARY", "2"},
      {lx::ctxGenders, "PAUL", "1"},
      {lx::ctxGenders, "AL", "1"},
      {lx::ctxGenders, "MAC", "1"},
      {lx::ctxPrefix, "MR", "MR"},
      {lx::ctxPrefix, "MS", "MS"},
      {lx::ctxPrefix, "MRS", "MRS"},
      {lx::ctxPrefix, "DR", "DR"},
      {lx::ctxSuffix, "JR", "JR", 0},
      {lx::ctxSuffix, "FAMILY", "FAMILY", 1},
      {lx::ctxFirms, "INC", "INC", 0},
      {lx::ctxFirms, "CORP", "CORP", 1},
      {lx::ctxProfTitles, "MD", "MD"},
      {lx::ctxProfTitles, "CPA", "CPA"},
      {lx::ctxCompoundLast, "VAN", "VAN"},
      {lx::ctxCompoundLast, "DER", "DER"},
      {lx::ctxCareOf, "C/O", "C/O"},
  };
}

const char* ResultName(lx::TLxNameResult r) {
  static const char* const names[] = {"nrName", "nrNameLast", "nrFamily",
                                      "nrFirm", "nrEmpty",    "nrUnknown"};
  return r <= lx::nrUnknown ? names[r] : "?";
}

// "nrName M1 first=JOHN last=SMITH": result, gender, level, non-empty parts.
std::string Describe(const TLxNameParser& p, int i) {
  std::string s = ResultName(p.NameResult(i));
  s += ' ';
  s += p.Gender(i);
  s += p.GenderLevel(i);
  const auto part = [&s](const char* label, std::string_view v) {
    if (!v.empty()) s.append(" ").append(label).append("=").append(v);
  };
  part("careof", p.CareOf(i));
  part("prefix", p.NamePrefix(i));
  part("first", p.FirstName(i));
  part("middle", p.MiddleName(i));
  part("last", p.LastName(i));
  part("suffix", p.NameSuffix(i));
  part("prof", p.ProfTitle(i));
  return s;
}

// Every record of the last parse, separated by " / ".
std::string DescribeAll(const TLxNameParser& p) {
  std::string s;
  for (int i = 1; i <= p.NameCount(); ++i) s += (i > 1 ? " / " : "") + Describe(p, i);
  return s;
}

struct Options {
  std::uint8_t type = lx::ntNatural;
  bool compound = false;
  bool firms = false;
  bool initials = false;
  bool byPrefix = true;
  bool commaReverse = false;
};

void Apply(TLxNameParser& p, const Options& o) {
  p.NameType = o.type;
  p.CheckCompoundNames = o.compound;
  p.CheckFirms = o.firms;
  p.CompoundInitials = o.initials;
  p.GenderByPrefix = o.byPrefix;
  p.CommaReverse = o.commaReverse;
}

class NameParserTest : public ::testing::Test {
 protected:
  TempDir dir;
  std::unique_ptr<TLxNameParser> parser =
      std::make_unique<TLxNameParser>(lxtest::WriteFixtureDictionary(dir, NameEntries()));

  std::string Parse(const std::string& line, const Options& o = {}) {
    Apply(*parser, o);
    parser->SetInput(line);
    return DescribeAll(*parser);
  }
  void Check(std::initializer_list<struct Case> cases);
};

struct Case {
  Options options;
  const char* input;
  const char* expected;
};

void NameParserTest::Check(std::initializer_list<Case> cases) {
  for (const Case& c : cases) EXPECT_EQ(Parse(c.input, c.options), c.expected) << c.input;
}

constexpr Options kNatural{};
constexpr Options kReverse{.type = lx::ntReverse};
constexpr Options kDetect{.type = lx::ntDetect};
constexpr Options kCompound{.compound = true};

TEST_F(NameParserTest, NaturalOrder) {
  Check({
      {kNatural, "JOHN A SMITH JR", "nrName M1 first=JOHN middle=A last=SMITH suffix=JR"},
      {kNatural, "john a b smith", "nrName M1 first=JOHN middle=A B last=SMITH"},
      {kNatural, "JOHN VAN DER BERG", "nrName M1 first=JOHN last=VAN DER BERG"},
      {kNatural, "JOHN SMITH VAN", "nrName M1 first=JOHN last=SMITH"},
      {kNatural, "JOHN SMITH MD CPA", "nrName M1 first=JOHN last=SMITH prof=MD CPA"},
      {kNatural, "SMITH", "nrNameLast U9 last=SMITH"},
      {kNatural, "MARY", "nrName F2 first=MARY"},
      {kNatural, "DR SMITH", "nrNameLast U9 prefix=DR last=SMITH"},
      {kNatural, "DR. J. SMITH", "nrName U9 prefix=DR first=J last=SMITH"},
      {kNatural, "DR DR SMITH", "nrName U9 prefix=DR first=DR last=SMITH"},
      {kNatural, "C/O JOHN SMITH", "nrName M1 careof=C/O first=JOHN last=SMITH"},
      {kNatural, "JOHN SMITH FAMILY", "nrFamily M1 first=JOHN last=SMITH suffix=FAMILY"},
      {kNatural, "SMITH FAMILY", "nrFamily U9 last=SMITH suffix=FAMILY"},
      // A given name VAN or MAC is never a middle name.
      {kNatural, "JOHN MAC SMITH", "nrName M1 first=JOHN last=MAC"},
      {kNatural, "JOHN MARY SMITH", "nrName M1 first=JOHN middle=MARY last=SMITH"},
      // The words from the conjunction on are not parsed.
      {kNatural, "JOHN AND MARY SMITH", "nrName M1 first=JOHN"},
      {kNatural, "MARY SMITH CARE OF JOHN JONES", "nrName F2 first=MARY last=SMITH"},
      {kNatural, "", "nrNameLast U9"},
      {kCompound, "", "nrName U9"},
      {kReverse, "", "nrName U9"},
      {{.type = 7}, "JOHN SMITH", "nrUnknown U9"},
  });
}

TEST_F(NameParserTest, ReverseOrder) {
  constexpr Options kReverseCompound{.type = lx::ntReverse, .compound = true};
  Check({
      {kReverse, "SMITH JOHN A", "nrName M1 first=JOHN middle=A last=SMITH"},
      {kReverse, "SMITH JR JOHN", "nrName M1 first=JOHN last=SMITH suffix=JR"},
      {kReverse, "DR SMITH JOHN", "nrName M1 prefix=DR first=JOHN last=SMITH"},
      {kReverse, "SMITH MD JOHN", "nrName M1 first=JOHN last=SMITH prof=MD"},
      {kReverse, "SMITH FAMILY", "nrFamily U9 last=SMITH suffix=FAMILY"},
      // The first record looks for no care-of word; the middle name
      // then gives the gender.
      {kReverse, "C/O SMITH JOHN", "nrName M9 first=SMITH middle=JOHN last=C/O"},
      {kReverseCompound, "SMITH JOHN AND JONES C/O MARY",
       "nrName M1 first=JOHN last=SMITH / nrName F2 careof=C/O first=MARY last=JONES"},
      {kReverseCompound, "SMITH JOHN AND MARY",
       "nrName M1 first=JOHN last=SMITH / nrName U9 last=MARY"},
  });
}

TEST_F(NameParserTest, DetectedOrder) {
  constexpr Options kCommaReverse{.type = lx::ntDetect, .commaReverse = true};
  Check({
      {kDetect, "JOHN SMITH", "nrName M1 first=JOHN last=SMITH"},
      {kDetect, "SMITH JOHN", "nrName M1 first=JOHN last=SMITH"},
      {kDetect, "SMITH JOHN A", "nrName M1 first=JOHN middle=A last=SMITH"},
      {kDetect, "J SMITH", "nrName U9 first=J last=SMITH"},
      {kDetect, "DR SMITH JOHN", "nrName U9 prefix=DR first=SMITH last=JOHN"},
      {kDetect, "SMITH, JOHN", "nrName M1 first=JOHN last=SMITH"},
      {kCommaReverse, "SMITH, JOHN", "nrName M1 first=JOHN last=SMITH"},
      {kDetect, "JOHN SMITH, JR.", "nrName M1 first=JOHN last=SMITH suffix=JR"},
      {kCommaReverse, "JOHN SMITH,JR", "nrName M1 first=JOHN last=SMITH suffix=JR"},
      {kDetect, "JOHN, SMITH", "nrName M1 first=JOHN last=SMITH"},
      {kCommaReverse, "JOHN, SMITH", "nrName U9 first=SMITH last=JOHN"},
      {kDetect, "SMITH FAMILY", "nrFamily U9 last=SMITH suffix=FAMILY"},
      // Detection saw C/O, the parse proper sees CARE OF again.
      {{.type = lx::ntDetect, .compound = true},
       "MARY SMITH CARE OF JOHN JONES",
       "nrName F2 first=MARY last=SMITH"},
  });
}

TEST_F(NameParserTest, SeveralNamesShareTheLastName) {
  Check({
      {kCompound, "JOHN AND MARY SMITH",
       "nrName M1 first=JOHN last=SMITH / nrName F2 first=MARY last=SMITH"},
      {kCompound, "JOHN MARY AND PAUL SMITH",
       "nrUnknown M1 first=JOHN last=SMITH / nrName F2 first=MARY last=SMITH / "
       "nrName M1 first=PAUL last=SMITH"},
      // A name without a last name takes the one of the name right after it.
      {kCompound, "JOHN SMITH AND MARY AND PAUL JONES",
       "nrName M1 first=JOHN last=SMITH / nrName F2 first=MARY last=JONES / "
       "nrName M1 first=PAUL last=JONES"},
      {kCompound, "JOHN SMITH AND FAMILY", "nrName M1 first=JOHN last=SMITH"},
      {kCompound, "MARY SMITH CARE OF JOHN JONES",
       "nrName F2 first=MARY last=SMITH / nrName M1 careof=C/O first=JOHN last=JONES"},
      {kCompound, "MR JOHN SMITH & MRS MARY JONES",
       "nrName M1 prefix=MR first=JOHN last=SMITH / nrName F2 prefix=MRS first=MARY "
       "last=JONES"},
      {kCompound, "DR SMITH", "nrNameLast U9 prefix=DR last=SMITH"},
      // The prefix rule gives MR a gender first, so SMITH stays the first name.
      {kCompound, "MR SMITH", "nrName M9 prefix=MR first=SMITH"},
      {kCompound, "JOHN SMITH AND JONES",
       "nrName M1 first=JOHN last=SMITH / nrName U9 first=JONES last=SMITH"},
      // A word that starts no name ends the loop.
      {kCompound, "JOHN SMITH JONES MARY", "nrName M1 first=JOHN last=SMITH"},
      // Record 5 is the last one: the rest of the line is not parsed.
      {kCompound, "JOHN AND MARY AND PAUL AND AL AND JOHN AND MARY SMITH",
       "nrName M1 first=JOHN / nrName F2 first=MARY / nrName M1 first=PAUL / "
       "nrName M1 first=AL / nrName M1 first=JOHN"},
      {kCompound, "JOHN MARY PAUL AL JOHN MARY AND PAUL SMITH",
       "nrUnknown M1 first=JOHN / nrUnknown F2 first=MARY / nrUnknown M1 first=PAUL / "
       "nrUnknown M1 first=AL / nrName M1 first=JOHN middle=MARY"},
  });
}

TEST_F(NameParserTest, Firms) {
  constexpr Options kFirms{.firms = true};
  constexpr Options kFirmsCompound{.compound = true, .firms = true};
  Check({
      {kFirms, "ACME INC", "nrFirm U9 last=ACME INC"},
      {kNatural, "ACME INC", "nrName U9 first=ACME last=INC"},
      // A weak firm word does not make a person a firm; a strong one does.
      {kFirms, "JOHN SMITH INC", "nrName M1 first=JOHN last=SMITH"},
      {kFirms, "DR SMITH INC", "nrName U9 prefix=DR first=SMITH last=INC"},
      {kFirms, "JOHN SMITH CORP", "nrFirm U9 last=JOHN SMITH CORP"},
      {kFirms, "SMITH AND JONES", "nrFirm U9 last=SMITH AND JONES"},
      {kFirmsCompound, "SMITH AND JONES", "nrName U9 first=SMITH / nrName U9 first=JONES"},
      {kFirmsCompound, "ACME INC AND JOHN SMITH",
       "nrFirm U9 last=ACME INC / nrName M1 first=JOHN last=SMITH"},
      // The firm test stops at the conjunction when looking for several names.
      {kFirmsCompound, "ACME AND JONES INC", "nrName U9 first=ACME / nrFirm U9 last=JONES INC"},
      {kFirms, "ACME WIDGETS AND GADGETS OF THE GREATER AREA INC",
       "nrFirm U9 last=ACME WIDGETS AND GADGETS OF THE GREATER "},
  });
}

TEST_F(NameParserTest, CompoundInitialsAndGender) {
  constexpr Options kInitials{.initials = true};
  Check({
      {kInitials, "JA SMITH", "nrName U9 first=J middle=A last=SMITH"},
      {kNatural, "JA SMITH", "nrName U9 first=JA last=SMITH"},
      {kInitials, "AL SMITH", "nrName M1 first=AL last=SMITH"},
      {kInitials, "JA B SMITH", "nrName U9 first=JA middle=B last=SMITH"},
      // A two-letter last title becomes the first name, then two initials.
      {kInitials, "MR DR", "nrNameLast M9 prefix=MR first=D middle=R"},
      {kNatural, "MR SMITH", "nrNameLast M9 prefix=MR last=SMITH"},
      {kNatural, "MS SMITH", "nrNameLast F9 prefix=MS last=SMITH"},
      {kNatural, "MRS SMITH", "nrNameLast U9 prefix=MRS last=SMITH"},
      {kNatural, "MR DR SMITH", "nrNameLast U9 prefix=MR DR last=SMITH"},
      {{.byPrefix = false}, "MR SMITH", "nrNameLast U9 prefix=MR last=SMITH"},
      {kNatural, "J MARY SMITH", "nrName F9 first=J middle=MARY last=SMITH"},
      {kNatural, "J MARY A SMITH", "nrName F9 first=J middle=MARY A last=SMITH"},
      {{.byPrefix = false}, "J MARY SMITH", "nrName U9 first=J middle=MARY last=SMITH"},
      // A known gender is never overruled by the prefix.
      {kNatural, "MS JOHN SMITH", "nrName M1 prefix=MS first=JOHN last=SMITH"},
  });
}

TEST_F(NameParserTest, FieldsAreCutToTheirWidths) {
  const std::string first(35, 'F');
  const std::string last(45, 'L');
  Parse(first + " " + last);
  EXPECT_EQ(parser->FirstName(1), first.substr(0, 30));
  EXPECT_EQ(parser->LastName(1), last.substr(0, 40));
}

TEST_F(NameParserTest, RecordsOfTheLastParseAreResetAndOutOfRangeReadsAreReset) {
  Parse("JOHN AND MARY AND PAUL SMITH", kCompound);
  ASSERT_EQ(parser->NameCount(), 3);
  Parse("JOHN SMITH", kCompound);
  EXPECT_EQ(parser->NameCount(), 1);
  for (int i : {-1, 0, 2, 3, 5, 6, 1000}) {
    EXPECT_EQ(Describe(*parser, i), "nrUnknown U9") << i;
    EXPECT_EQ(parser->FullName(i), "") << i;
  }
}

TEST_F(NameParserTest, DefaultOptions) {
  EXPECT_EQ(parser->NameType, lx::ntNatural);
  EXPECT_FALSE(parser->CheckFirms);
  EXPECT_FALSE(parser->CheckCompoundNames);
  EXPECT_FALSE(parser->CompoundInitials);
  EXPECT_TRUE(parser->GenderByPrefix);
  EXPECT_FALSE(parser->CommaReverse);
  EXPECT_EQ(parser->PrimarySalutation, lx::stPrefixLast);
  EXPECT_EQ(parser->SecondarySalutation, lx::stFirst);
  EXPECT_EQ(parser->SalutationError, lx::seFullname);
  EXPECT_EQ(parser->SalutationPrefix, "DEAR");
  EXPECT_EQ(parser->SalutationSuffix, ':');
  EXPECT_EQ(parser->SalutationText, "FRIEND");
  EXPECT_EQ(parser->NameCount(), 1);
  EXPECT_EQ(Describe(*parser, 1), "nrUnknown U9");
}

TEST_F(NameParserTest, FullNameJoinsThePartsWithoutGaps) {
  Parse("DR JOHN A SMITH JR MD");
  EXPECT_EQ(parser->FullName(1), "DR JOHN A SMITH, JR, MD");
  Parse("SMITH");
  EXPECT_EQ(parser->FullName(1), "SMITH");
  Parse("C/O JOHN SMITH CPA");
  EXPECT_EQ(parser->FullName(1), "JOHN SMITH, CPA");
}

struct SalutationCase {
  const char* input;
  Options options;
  const char* expected;
};

TEST_F(NameParserTest, SalutationWithDefaultSettings) {
  const SalutationCase cases[] = {
      {"MR JOHN SMITH", kNatural, "DEAR MR SMITH:"},
      {"JOHN SMITH", kNatural, "DEAR JOHN:"},
      {"J SMITH", kNatural, "DEAR J SMITH:"},
      {"SMITH FAMILY", kNatural, "DEAR SMITH FAMILY:"},
      {"ACME INC", {.firms = true}, "DEAR ACME INC:"},
      {"", kNatural, "DEAR FRIEND:"},
  };
  for (const auto& c : cases) {
    Parse(c.input, c.options);
    EXPECT_EQ(parser->Salutation(1), c.expected) << c.input;
  }
  EXPECT_EQ(parser->Salutation(0), "DEAR FRIEND:");
  EXPECT_EQ(parser->Salutation(6), "DEAR FRIEND:");
}

TEST_F(NameParserTest, SalutationSettings) {
  Parse("J SMITH");
  parser->SalutationError = lx::seText;
  EXPECT_EQ(parser->Salutation(1), "DEAR FRIEND:");
  parser->SalutationError = 7;  // no error type: the text is the last resort
  parser->SalutationText = "  SIR OR MADAM ";
  EXPECT_EQ(parser->Salutation(1), "DEAR SIR OR MADAM:");

  Parse("JOHN SMITH");
  parser->SalutationSuffix = ',';
  EXPECT_EQ(parser->Salutation(1), "DEAR JOHN,");
  parser->SalutationPrefix = "";
  EXPECT_EQ(parser->Salutation(1), " JOHN,");
  parser->SalutationPrefix = " HELLO ";
  parser->PrimarySalutation = 9;
  parser->SecondarySalutation = lx::stFullname;
  EXPECT_EQ(parser->Salutation(1), "HELLO JOHN SMITH,");

  Parse("DR JOHN A SMITH JR MD");
  lx::Str255 out = "stale";
  EXPECT_TRUE(parser->SalutationOfType(lx::stFullname, 1, 255, out));
  EXPECT_EQ(out, "HELLO DR JOHN A SMITH, JR, MD,");
  EXPECT_TRUE(parser->SalutationOfType(lx::stPrefixLast, 1, 9, out));
  EXPECT_EQ(out, "HELLO DR ");
  EXPECT_TRUE(parser->SalutationOfType(lx::stText, 1, 255, out));
  EXPECT_EQ(out, "HELLO SIR OR MADAM,");
  EXPECT_FALSE(parser->SalutationOfType(4, 1, 255, out));
  EXPECT_EQ(out, "");

  Parse("J SMITH");
  EXPECT_FALSE(parser->SalutationOfType(lx::stFirst, 1, 255, out));
  EXPECT_FALSE(parser->SalutationOfType(lx::stPrefixLast, 1, 255, out));
  EXPECT_EQ(out, "");
  Parse("SMITH FAMILY");
  EXPECT_TRUE(parser->SalutationOfType(lx::stFullname, 1, 255, out));
  EXPECT_EQ(out, "HELLO SMITH FAMILY,");
  Parse("");
  EXPECT_FALSE(parser->SalutationOfType(lx::stFullname, 1, 255, out));
}

TEST_F(NameParserTest, CompoundSalutation) {
  const SalutationCase cases[] = {
      {"JOHN AND MARY SMITH", kCompound, "DEAR JOHN AND MARY:"},
      {"JOHN AND MARY AND PAUL SMITH", kCompound, "DEAR JOHN, MARY AND PAUL:"},
      {"JOHN MARY AND PAUL SMITH", kCompound, "DEAR JOHN, MARY AND PAUL:"},
      {"JOHN SMITH", kCompound, ""},
      {"J AND MARY SMITH", kCompound, ""},
      {"ACME INC AND JOHN SMITH AND MARY",
       {.compound = true, .firms = true},
       "DEAR JOHN AND MARY:"},
  };
  for (const auto& c : cases) {
    Parse(c.input, c.options);
    EXPECT_EQ(parser->CompoundSalutation(), c.expected) << c.input;
  }
}

TEST_F(NameParserTest, NoLineMakesAParseFail) {
  std::string high;
  for (int b = 128; b < 256; ++b) high += static_cast<char>(b);
  std::string control;
  for (int b = 1; b < 32; ++b) control += static_cast<char>(b), control += "A ";
  std::string hundredWords;
  for (int i = 0; i < 100; ++i) hundredWords += (i % 3 ? "JOHN " : "AND ");
  const std::string lines[] = {
      "",
      "   ",
      std::string(300, 'x'),
      std::string(300, ' ') + "JOHN",
      hundredWords,
      "AND OR & AND",
      "AND FAMILY",
      "MR MS DR MRS MR",
      "C/O C/O",
      "MD CPA AND",
      "VAN DER",
      ", , ; .",
      high,
      control,
      std::string("JOHN\0SMITH", 10),
  };
  for (std::uint8_t type = 0; type < 4; ++type) {
    for (int flags = 0; flags < 16; ++flags) {
      const Options o{.type = static_cast<std::uint8_t>(type == 3 ? 7 : type),
                      .compound = (flags & 1) != 0,
                      .firms = (flags & 2) != 0,
                      .initials = (flags & 4) != 0,
                      .byPrefix = (flags & 8) != 0};
      for (const std::string& line : lines) {
        ASSERT_NO_THROW(Parse(line, o)) << line;
        ASSERT_GE(parser->NameCount(), 1);
        ASSERT_LE(parser->NameCount(), 5);
        for (int i = parser->NameCount() + 1; i <= 5; ++i)
          ASSERT_EQ(Describe(*parser, i), "nrUnknown U9") << line;
        for (int i = 1; i <= 5; ++i) {
          parser->Salutation(i);
          parser->FullName(i);
        }
        parser->CompoundSalutation();
      }
    }
  }
}

TEST_F(NameParserTest, RandomLinesOfDictionaryWords) {
  // Lines built from the words every stage reacts to, under every option.
  const char* const words[] = {"JOHN", "MARY", "AL",    "MR",  "DR",      "JR",  "FAMILY", "INC",
                               "CORP", "MD",   "VAN",   "DER", "C/O",     "AND", "&",      "OR",
                               "J",    "JA",   "SMITH", ",",   "CARE OF", "MAC", "A"};
  std::mt19937 rng(7);
  for (int n = 0; n < 3000; ++n) {
    std::string line;
    const int count = static_cast<int>(rng() % 12);
    for (int k = 0; k < count; ++k) line += std::string(words[rng() % std::size(words)]) + " ";
    const Options o{.type = static_cast<std::uint8_t>(rng() % 3),
                    .compound = (rng() & 1) != 0,
                    .firms = (rng() & 1) != 0,
                    .initials = (rng() & 1) != 0,
                    .byPrefix = (rng() & 1) != 0,
                    .commaReverse = (rng() & 1) != 0};
    ASSERT_NO_THROW(Parse(line, o)) << line;
    ASSERT_LE(parser->NameCount(), 5) << line;
    for (int i = 1; i <= parser->NameCount(); ++i) parser->Salutation(i);
  }
}

// Conjunctions that a title or professional-title context holds still
// separate names.
TEST(NameParserConjunctionTest, ConjunctionsInTitleAndProfessionContexts) {
  TempDir dir;
  auto entries = NameEntries();
  entries.push_back({lx::ctxProfTitles, "AND", "AND"});
  entries.push_back({lx::ctxPrefix, "&", "&"});
  TLxNameParser p(lxtest::WriteFixtureDictionary(dir, entries));
  const Case cases[] = {
      {kCompound, "JOHN SMITH MD AND MARY",
       "nrName M1 first=JOHN last=SMITH prof=MD / nrName F2 first=MARY last=SMITH"},
      {{.type = lx::ntReverse, .compound = true},
       "SMITH JOHN & MARY",
       "nrName M1 first=JOHN last=SMITH / nrName U9 last=MARY"},
      // The conjunction is cut out of the title text and stays in the line.
      {kReverse, "SMITH MD AND JOHN", "nrName M9 first=AND middle=JOHN last=SMITH prof=MD "},
  };
  for (const Case& c : cases) {
    Apply(p, c.options);
    p.SetInput(c.input);
    EXPECT_EQ(DescribeAll(p), c.expected) << c.input;
  }
}

TEST(NameParserConstructionTest, MissingOrInvalidDictionaryThrows) {
  TempDir dir;
  EXPECT_THROW(TLxNameParser{dir.File("missing.dct")}, lx::LxError);
  EXPECT_THROW(TLxNameParser{lxtest::WriteBytes(dir, "bad.dct", std::string(200, 'x'))},
               lx::LxError);
}

TEST(NameParserConstructionTest, ANewDictionaryReplacesEveryWord) {
  TempDir dir;
  TLxNameParser p(lxtest::WriteFixtureDictionary(
      dir, {{lx::ctxGenders, "JOHN", "1"}, {lx::ctxPrefix, "DR", "DR"}}, "a.dct"));
  p.SetDictionaryPath(lxtest::WriteFixtureDictionary(
      dir, {{lx::ctxGenders, "PAUL", "1"}, {lx::ctxSuffix, "DR", "DR"}}, "b.dct"));
  p.SetInput("JOHN");
  EXPECT_EQ(DescribeAll(p), "nrNameLast U9 last=JOHN");
  p.SetInput("PAUL SMITH DR");
  EXPECT_EQ(DescribeAll(p), "nrName M1 first=PAUL last=SMITH suffix=DR");
}

TEST(NameParserConstructionTest, DefaultDictionary) {
  TLxNameParser p(LX_DEFAULT_DICTIONARY);
  p.CheckCompoundNames = true;
  p.SetInput("Mr. John A. Smith Jr. and Mrs. Mary Smith");
  EXPECT_EQ(DescribeAll(p),
            "nrName M1 prefix=MR first=JOHN middle=A last=SMITH suffix=JR / "
            "nrName F2 prefix=MRS first=MARY last=SMITH");
  EXPECT_EQ(p.CompoundSalutation(), "DEAR JOHN AND MARY:");
}

}  // namespace
