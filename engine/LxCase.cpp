#include "LxCase.h"

#include <algorithm>
#include <array>

#include "LxUtils.h"

namespace lx {

namespace {

constexpr bool IsCapital(char c) {
  return c >= 'A' && c <= 'Z';
}
constexpr bool IsTrailingMark(char c) {
  return c == ',' || c == '.' || c == ':';
}

// The target of the entry a lookup found, when it gives the word a written
// form at all: an entry that trims to nothing would delete the word.
bool FoundForm(TLxSimpleSearch* lookup, std::string_view word, std::string_view& form) {
  if (!lookup || !lookup->Lookup(word)) return false;
  form = lookup->Found->Target.view();
  return !Trim(form).empty();
}

// Words of text as the tokenizer will split it.
int CountWords(std::string_view text, const CharSet& delimiters) {
  int words = 0;
  bool inWord = false;
  for (char c : text) {
    const bool delimiter = delimiters.contains(c);
    if (!delimiter && !inWord) ++words;
    inWord = !delimiter;
  }
  return words;
}

}  // namespace

TLxCaser::TLxCaser(const std::string& path) {
  Construct(path);
  Source.SetDelimiters(CharSet(" "));
  Source.PunctuationSeparates = false;
}

void TLxCaser::FreeLookups() {
  Exceptions.reset();
  LastNames.reset();
  States.reset();
  MacNames.reset();
}

void TLxCaser::CreateLookups() {
  FreeLookups();
  try {
    Exceptions = std::make_unique<TLxCaseExc>(DictionaryPath);
    LastNames = std::make_unique<TLxCaseLn>(DictionaryPath);
    States = std::make_unique<TLxCaseStates>(DictionaryPath);
    MacNames = std::make_unique<TLxCaseMacs>(DictionaryPath);
    // One pass over the file fills all four, each in file order.
    const std::array<TLxBaseSearch*, 4> lookups = {Exceptions.get(), LastNames.get(), States.get(),
                                                   MacNames.get()};
    LoadLookups(DictionaryPath, lookups);
  } catch (...) {
    // Forgetting the path lets the same path be set again once it is fixed.
    FreeLookups();
    DictionaryPath.clear();
    throw;
  }
}

void TLxCaser::SetInput(std::string_view text) {
  Input.assign(ProperCase(text).view());
  Parse();
}

bool TLxCaser::FixWord(Str255& word) {
  bool changed = false;
  char mark = 0;
  if (!word.empty() && IsTrailingMark(word.back())) {
    mark = word.back();
    word.truncate(word.size() - 1);
  }
  std::string_view form;
  if (FoundForm(Exceptions.get(), word, form)) {
    word = form;
    changed = true;
  }
  if (LastNameOption != 0 && FoundForm(LastNames.get(), word, form)) {
    word = form;
    changed = true;
  }
  const std::size_t n = word.size();
  if (n > 2) {
    if (word[n - 2] == '\'' && IsCapital(word[n - 1])) {
      word[n - 1] = LowCase(word[n - 1]);
      changed = true;
    }
    if (word[0] == 'M' && word[1] == 'c') {
      word[2] = UpCase(word[2]);
      changed = true;
    }
    if (IsDigit(word[0])) {
      const auto digits =
          static_cast<std::size_t>(std::count_if(word.begin(), word.end(), IsDigit));
      // Only a number followed by exactly two more characters is an ordinal
      // ("21St"); the digits are counted anywhere, as "1St2" shows.
      if (n - 2 == digits) {
        word[digits] = LowCase(word[digits]);
        changed = true;
      }
    }
  }
  // An unchanged word is handed back exactly as it came.
  if (mark != 0) word.push_back(mark);
  return changed;
}

void TLxCaser::Parse() {
  TLxBaseParser::Parse();
  const int n = Source.WordCount();
  // k is where word i of the line now stands: a target of several words
  // shifts the words behind it.
  int k = 1;
  for (int i = 1; i <= n && k <= Source.WordCount(); ++i) {
    word_ = Source.WordView(k);
    int taken = 1;
    if (FixWord(word_) && word_ != Source.WordView(k) && Fits(k, word_)) {
      const int before = Source.WordCount();
      Source.ReplaceWord(k, word_);
      taken = std::max(1, Source.WordCount() - before + 1);
    }
    if (i == 1 && Source.WordView(1) == "the") Source.ReplaceWord(1, "The");
    k += taken;
  }
}

bool TLxCaser::Fits(int i, std::string_view word) const {
  const std::string_view t = Trim(word);
  const int length = Source.TextLength() - Source.WordLength(i) + static_cast<int>(t.size());
  const int words = Source.WordCount() - 1 + CountWords(t, Source.Delimiters());
  return length <= TLxSource::kMaxText && words <= TLxSource::kMaxWords;
}

void TLxCaser::UpperStates() {
  if (!States) return;
  for (int i = 1; i <= Source.WordCount(); ++i) {
    if (!States->Lookup(Source.WordView(i))) continue;
    Str255 upper = Source.GetWord(i);
    for (char& c : upper) c = UpCase(c);
    if (upper != Source.WordView(i)) Source.ReplaceWord(i, upper);
  }
}

Str255 TLxCaser::ConvertCase(std::string_view text, std::uint8_t mode) {
  SetInput(text);
  if (mode == 1) UpperStates();
  return Str255(Source.GetText());
}

}  // namespace lx
