#include "LxSource.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using lx::CharSet;
using lx::LxError;
using lx::TLxSource;

// The configuration of the name and address parsers: period removable.
TLxSource NameSource() {
  TLxSource s;
  s.SetRemovable(CharSet("."));
  return s;
}

std::vector<std::string> Words(const TLxSource& s) {
  std::vector<std::string> w;
  for (int i = 1; i <= s.WordCount(); ++i) w.emplace_back(s.WordView(i));
  return w;
}

// The invariants every public edit keeps: the length is right, the words are
// the maximal runs of non-delimiters in order, and the text does not end in a
// delimiter.
void ExpectConsistent(const TLxSource& s) {
  const std::string_view text = s.GetText();
  ASSERT_EQ(s.TextLength(), static_cast<int>(text.size()));
  ASSERT_LE(text.size(), 255u);
  if (!text.empty()) {
    EXPECT_FALSE(s.Delimiters().contains(text.back()));
  }
  int word = 0;
  for (std::size_t p = 0; p < text.size();) {
    while (p < text.size() && s.Delimiters().contains(text[p])) ++p;
    if (p == text.size()) break;
    const std::size_t start = p;
    while (p < text.size() && !s.Delimiters().contains(text[p])) ++p;
    ++word;
    ASSERT_LE(word, s.WordCount());
    EXPECT_EQ(s.WordStart(word), static_cast<int>(start));
    EXPECT_EQ(s.WordLength(word), static_cast<int>(p - start));
  }
  EXPECT_EQ(word, s.WordCount());
}

struct CleanCase {
  const char* input;
  const char* text;
  std::vector<std::string> words;
};

TEST(TLxSourceTest, CleansAndSplitsLikeTheNameParserNeeds) {
  const CleanCase cases[] = {
      {"J.R. SMITH", "JR SMITH", {"JR", "SMITH"}},
      {"SMITH, JOHN", "SMITH,JOHN", {"SMITH", "JOHN"}},
      {"SMITH , JOHN", "SMITH JOHN", {"SMITH", "JOHN"}},
      {"123 N. MAIN ST., APT 4", "123 N MAIN ST,APT 4", {"123", "N", "MAIN", "ST", "APT", "4"}},
      {"  ,JOHN ,, SMITH. ", "JOHN SMITH", {"JOHN", "SMITH"}},
      {"A; B", "A; B", {"A", "B"}},
      {"JOHN\tSMITH", "JOHN\tSMITH", {"JOHN\tSMITH"}},  // a tab is no delimiter
      {"", "", {}},
      {" , . ;", ";", {}},  // a lone semicolon survives cleaning; Split trims it
      {"\xC9MILE \xFF", "\xC9MILE \xFF", {"\xC9MILE", "\xFF"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.input);
    TLxSource s = NameSource();
    s.SetText(c.input);
    EXPECT_EQ(Words(s), c.words);
    EXPECT_EQ(s.GetText(), c.words.empty() ? "" : c.text);
    ExpectConsistent(s);
  }
}

TEST(TLxSourceTest, CaseConverterConfigurationKeepsPunctuationInWords) {
  TLxSource s;
  s.PunctuationSeparates = false;
  s.SetDelimiters(CharSet(" "));
  s.SetText("JONES,JR.");
  EXPECT_EQ(Words(s), std::vector<std::string>{"JONES,JR."});
}

TEST(TLxSourceTest, SameTextIsCleanedOnceUntilDelimitersChange) {
  TLxSource s;
  s.SetText("A.B");
  EXPECT_EQ(s.GetText(), "A.B");
  s.SetRemovable(CharSet("."));
  s.SetText("A.B");  // unchanged text: no new cleaning
  EXPECT_EQ(s.GetText(), "A.B");
  s.SetDelimiters(s.Delimiters());
  EXPECT_TRUE(s.Dirty());
  s.SetText("A.B");
  EXPECT_EQ(s.GetText(), "AB");
  EXPECT_FALSE(s.Dirty());
}

TEST(TLxSourceTest, EmptyTextRaisesOnWordAccess) {
  TLxSource s = NameSource();
  s.SetText(" .,");
  EXPECT_EQ(s.WordCount(), 0);
  try {
    s.FirstWord();
    FAIL() << "FirstWord on an empty text must throw";
  } catch (const LxError& e) {
    EXPECT_STREQ(e.what(), "Input string is empty");
  }
  EXPECT_THROW(s.LastWord(), LxError);
  EXPECT_THROW(s.DeleteWord(1), LxError);
}

TEST(TLxSourceTest, WordNumbersOutsideTheTextRaiseIndexOutOfRange) {
  TLxSource s = NameSource();
  s.SetText("A B C");
  for (int i : {0, 4, -1}) {
    try {
      s.GetWord(i);
      FAIL() << i;
    } catch (const LxError& e) {
      EXPECT_STREQ(e.what(), "Index out of range");
    }
  }
  // A range running past the end changes nothing.
  EXPECT_THROW(s.DeleteWords(2, 3), LxError);
  EXPECT_EQ(s.GetText(), "A B C");
}

struct EditCase {
  const char* name;
  const char* text;
  void (*edit)(TLxSource&);
  const char* result;
};

TEST(TLxSourceTest, EditsKeepTextAndWordTableInStep) {
  const EditCase cases[] = {
      {"delete only word", "A", [](TLxSource& s) { s.DeleteWord(1); }, ""},
      {"delete first word", "A, B C", [](TLxSource& s) { s.DeleteWord(1); }, "B C"},
      {"delete last word drops its delimiters", "A B;;C", [](TLxSource& s) { s.DeleteWord(3); },
       "A B"},
      {"delete inner word before two delimiters", "A B; C", [](TLxSource& s) { s.DeleteWord(2); },
       "A C"},
      {"delete words up to the end", "A B C", [](TLxSource& s) { s.DeleteWords(2, 2); }, "A"},
      {"delete inner words", "A B C D", [](TLxSource& s) { s.DeleteWords(2, 2); }, "A D"},
      {"replace inner word", "A B C", [](TLxSource& s) { s.ReplaceWord(2, "X"); }, "A X C"},
      {"replace last word", "A B", [](TLxSource& s) { s.ReplaceWord(2, "X"); }, "A X"},
      {"replace by two words", "A B C", [](TLxSource& s) { s.ReplaceWord(2, "X Y"); }, "A X Y C"},
      {"replace by nothing deletes", "A B C", [](TLxSource& s) { s.ReplaceWord(2, "  "); }, "A C"},
      {"replace after a comma", "A,B C", [](TLxSource& s) { s.ReplaceWord(1, "X"); }, "X B C"},
      {"insert before first", "B C", [](TLxSource& s) { s.InsertWord(1, " A "); }, "A B C"},
      {"append", "A B", [](TLxSource& s) { s.AppendWord("C"); }, "A B C"},
      {"append blank does nothing", "A", [](TLxSource& s) { s.AppendWord(" \t"); }, "A"},
      {"remove every dash", "- 12 - MAIN -", [](TLxSource& s) { s.RemoveWord("-"); }, "12 MAIN"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TLxSource s = NameSource();
    s.SetText(c.text);
    c.edit(s);
    EXPECT_EQ(s.GetText(), c.result);
    ExpectConsistent(s);
  }
}

TEST(TLxSourceTest, AppendingToAnEmptyTextStartsWithABlank) {
  TLxSource s;
  s.SetText("");
  s.AppendWord("X");
  EXPECT_EQ(s.GetText(), " X");
  EXPECT_EQ(s.WordCount(), 1);
  EXPECT_EQ(s.WordStart(1), 1);
}

TEST(TLxSourceTest, FindPhraseMatchesAtWordStartsWithinTheText) {
  TLxSource s;
  s.SetText("JOHN CARE OF MARY");
  EXPECT_EQ(s.FindPhrase("CARE OF "), 5);
  EXPECT_EQ(s.FindPhrase("ARE "), -1);   // not at a word start
  EXPECT_EQ(s.FindPhrase("MARY "), -1);  // would run past the end
  EXPECT_EQ(s.FindPhrase("M"), 13);
  EXPECT_EQ(s.FindPhrase(""), -1);
}

TEST(TLxSourceTest, ReplacementsRunUntilNothingChanges) {
  const struct {
    const char* input;
    const char* result;
  } cases[] = {
      {"JOHN SMITH CARE OF MARY SMITH", "JOHN SMITH C/O MARY SMITH"},
      {"A CARE OF B CARE OF C", "A C/O B C/O C"},
      {"MARY IN TRUST FOR JOHN", "MARY ITF JOHN"},
      {"JOHN SMITH CARE OF", "JOHN SMITH CARE OF"},  // a trailing phrase is never found
  };
  for (const auto& c : cases) {
    TLxSource s = NameSource();
    s.Replacements.AddPair("IN TRUST FOR ", "ITF ");
    s.Replacements.AddPair("CARE OF ", "C/O ");
    s.SetText(c.input);
    s.ApplyReplacements();
    EXPECT_EQ(s.GetText(), c.result);
    ExpectConsistent(s);
  }
}

TEST(TLxSourceTest, ReplacementsThatRecreateTheirSourceStillEnd) {
  TLxSource s;
  s.Replacements.AddPair("A ", "B ");
  s.Replacements.AddPair("B ", "A ");
  s.SetText("A X");
  s.ApplyReplacements();
  ExpectConsistent(s);
}

TEST(TLxSourceTest, WordsAfterTheSixtyFourthAreDroppedFromTheText) {
  std::string line;
  for (int i = 0; i < 100; ++i) line += "W ";
  TLxSource s;
  s.SetText(line);
  EXPECT_EQ(s.WordCount(), 64);
  EXPECT_EQ(s.TextLength(), 127);
  ExpectConsistent(s);
  s.AppendWord("X");  // no room in the table
  EXPECT_EQ(s.WordCount(), 64);
  s.InsertWord(1, "X");
  EXPECT_EQ(s.WordView(1), "X");
  EXPECT_EQ(s.WordCount(), 64);
  ExpectConsistent(s);
}

TEST(TLxSourceTest, InsertionsAreCutAt255Characters) {
  const std::string longWord(120, 'L');
  TLxSource s;
  s.SetText(longWord + " " + longWord);  // 241 characters
  s.InsertWord(2, "ABCDEFGHIJKLMNOPQRSTUVWXYZ");
  EXPECT_EQ(s.TextLength(), 255);
  ExpectConsistent(s);
  s.SetText(std::string(250, 'A'));
  s.AppendWord("BCDEFGH");
  EXPECT_EQ(s.GetText(), std::string(250, 'A') + " BCDE");
  ExpectConsistent(s);
  s.ReplaceWord(1, std::string(300, 'Z'));
  EXPECT_EQ(s.GetText(), std::string(255, 'Z'));
  ExpectConsistent(s);
  s.SetText(std::string(300, 'Q'));
  EXPECT_EQ(s.TextLength(), 255);
}

TEST(TLxSourceTest, ReplacingAWordInAFullLineKeepsTheLineEnd) {
  TLxSource s;
  const std::string tail = " " + std::string(250, 'T');
  s.SetText("ABC" + tail);  // 254 characters
  s.ReplaceWord(1, "XYZ");
  EXPECT_EQ(s.GetText(), "XYZ" + tail);
  s.ReplaceWord(1, "UV W");
  EXPECT_EQ(s.GetText(), "UV W" + tail);
  ExpectConsistent(s);

  std::string words = "A";
  for (int i = 1; i < 64; ++i) words += " " + std::to_string(i % 10);
  s.SetText(words);
  s.ReplaceWord(2, "Z");
  EXPECT_EQ(s.WordCount(), 64);
  EXPECT_EQ(s.LastWord(), "3");
  ExpectConsistent(s);
}

}  // namespace
