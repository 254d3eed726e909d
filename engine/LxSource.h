// TLxSource: the word tokenizer every parser works on.
//
// It holds one line of at most 255 single-byte characters, cleaned (separator
// runs collapsed, removable characters dropped) and split into at most 64
// words on a set of delimiter characters. Parsers read words by number
// (1-based; character positions are 0-based) and edit the text word by word;
// every edit keeps the word table in step with the text. Nothing here
// allocates after construction.
//
// Limits the tokenizer enforces so that text and word table always agree:
// words after the 64th are dropped from the text, and an insertion or
// replacement that would pass 255 characters is cut at 255.
//
// Errors: word access on an empty text throws LxError("Input string is
// empty"); a word number outside 1..WordCount throws LxError("Index out of
// range"). The state is unchanged when an exception is thrown.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "LxTypes.h"

namespace lx {

struct TLxReplaceData {
  Str255 Source;  // the phrase to find
  Str255 Target;  // its replacement
};

// Phrase replacement pairs, applied in list order.
class TLxReplaceList {
 public:
  TLxReplaceData& AddPair(std::string_view source, std::string_view target);
  void Clear() { items_.clear(); }
  std::size_t Count() const { return items_.size(); }
  bool empty() const { return items_.empty(); }
  const TLxReplaceData& operator[](std::size_t i) const { return items_[i]; }
  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }

 private:
  std::vector<TLxReplaceData> items_;
};

class TLxSource {
 public:
  static constexpr int kMaxText = 255;
  static constexpr int kMaxWords = 64;

  TLxSource();

  // Text as a whole.
  void SetText(std::string_view s);
  std::string_view GetText() const { return {text_, text_length_}; }
  int TextLength() const { return text_length_; }
  int WordCount() const { return word_count_; }

  // Configuration.
  void SetRemovable(const CharSet& set) { removable_ = set; }
  // NUL always stays a delimiter; the next SetText re-cleans even an unchanged text.
  void SetDelimiters(const CharSet& set);
  const CharSet& Removable() const { return removable_; }
  const CharSet& Delimiters() const { return delimiters_; }
  bool PunctuationSeparates = true;
  TLxReplaceList Replacements;
  bool Dirty() const { return dirty_; }

  // Word access (word numbers are 1-based).
  void CheckNotEmpty() const;
  void CheckIndex(int i) const;
  Str255 FirstWord() const;
  Str255 LastWord() const;
  Str255 GetWord(int i) const { return Str255(WordView(i)); }
  // The same characters as GetWord, without a copy; valid until the next edit.
  std::string_view WordView(int i) const;
  int WordStart(int i) const;
  int WordLength(int i) const;

  // Editing.
  void Split();
  void DeleteWord(int i);
  void DeleteWords(int i, int n);
  void InsertWord(int i, std::string_view word);
  void AppendWord(std::string_view word) { InsertWord(0, word); }
  void ReplaceWord(int i, std::string_view word);
  void RemoveWord(std::string_view word);
  void ApplyReplacements();

  // Character-level operations behind ApplyReplacements.
  int FindPhrase(std::string_view phrase) const;
  void DeleteChars(int pos, int n, bool resplit);
  void InsertChars(int pos, std::string_view s, bool resplit);

  // Cleans a zero-terminated text of at most 255 characters in place.
  void CleanText(char* text, char* scratch) const;
  bool IsSeparator(char c) const;
  bool IsRemovable(char c) const { return removable_.contains(c); }

 private:
  CharSet removable_;
  std::uint8_t word_table_[2 * kMaxWords] = {};
  char text_[kMaxText + 1] = {};
  char scratch_[kMaxText + 1] = {};
  std::uint8_t word_count_ = 0;
  std::uint8_t text_length_ = 0;
  CharSet delimiters_;
  bool dirty_ = false;

  void SetEntry(int i, int start, int length) {
    word_table_[2 * i - 2] = static_cast<std::uint8_t>(start);
    word_table_[2 * i - 1] = static_cast<std::uint8_t>(length);
  }
  // Length of the zero-terminated text_, at most kMaxText.
  int TerminatedLength() const;
};

}  // namespace lx
