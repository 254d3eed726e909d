// TLxCaser: text written in capitals turned into mixed case.
//
// Each word is proper-cased (capital first letter and capitals after any
// non-letter), then corrected word by word: the exception list (context 401)
// and, while LastNameOption is non-zero, the last-name list (201) give a
// word's whole written form; fixed rules lower a possessive "'S", raise the
// letter after "Mc" and lower an ordinal ending ("21St" -> "21st"); a leading
// "the" is written "The". Mode 1 of ConvertCase also writes the state
// abbreviations of context 1401 in capitals. Context 301 is loaded with the
// others; no rule reads it yet.
//
// Words are split on blanks only: punctuation stays inside a word, a tab joins
// two words into one. A trailing "," "." or ":" is set aside for the two
// lists and put back, but a state abbreviation must stand without it.
//
// Dictionary targets are taken as they are, with two safeguards: a target of
// several words replaces the word by all of them and the pass goes on with
// the next word of the line, and a target that trims to nothing is ignored.
// A replacement that would pass the tokenizer's 255 characters or 64 words is
// not made, so that no word behind it is cut off: the word keeps its
// proper-cased form. No input makes a conversion fail.
//
// A new dictionary path frees the four lookups before loading new ones; when
// that load fails the caser keeps no lookups and no path, and only
// proper-cases and applies the fixed rules.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "LxBase.h"
#include "LxConst.h"
#include "LxLists.h"
#include "LxTypes.h"

namespace lx {

class TLxCaseLn : public TLxSimpleSearch {
 public:
  using TLxSimpleSearch::TLxSimpleSearch;
  std::int32_t ContextId() const override { return ctxCaseLastName; }
};

class TLxCaseMacs : public TLxSimpleSearch {
 public:
  using TLxSimpleSearch::TLxSimpleSearch;
  std::int32_t ContextId() const override { return ctxCaseMac; }
};

class TLxCaseExc : public TLxSimpleSearch {
 public:
  using TLxSimpleSearch::TLxSimpleSearch;
  std::int32_t ContextId() const override { return ctxCaseExceptions; }
};

class TLxCaseStates : public TLxSimpleSearch {
 public:
  using TLxSimpleSearch::TLxSimpleSearch;
  std::int32_t ContextId() const override { return ctxStateAbbrev; }
};

class TLxCaser : public TLxBaseParser {
 public:
  explicit TLxCaser(const std::string& path);

  // Input := the text trimmed and proper-cased (not upper-cased); then Parse.
  void SetInput(std::string_view text) override;
  // The converted text; mode 1 also writes state abbreviations in capitals.
  Str255 ConvertCase(std::string_view text, std::uint8_t mode);
  // Corrects one word in place; true when a list or a rule applied to it.
  bool FixWord(Str255& word);
  void UpperStates();

  TLxCaseExc* GetExceptions() { return Exceptions.get(); }
  TLxCaseLn* GetLastNames() { return LastNames.get(); }
  TLxCaseStates* GetStates() { return States.get(); }
  TLxCaseMacs* GetMacNames() { return MacNames.get(); }

  std::uint8_t LastNameOption = 1;

 protected:
  void CreateLookups() override;
  void FreeLookups() override;
  void Parse() override;

  std::unique_ptr<TLxCaseExc> Exceptions;
  std::unique_ptr<TLxCaseLn> LastNames;
  std::unique_ptr<TLxCaseStates> States;
  std::unique_ptr<TLxCaseMacs> MacNames;

 private:
  // Whether word i can become word without cutting the line at its end.
  bool Fits(int i, std::string_view word) const;

  // The word being fixed; a member, so that no word pays for clearing a
  // fresh 255-character buffer.
  Str255 word_;
};

}  // namespace lx
